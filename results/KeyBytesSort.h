#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// Sorts items by the bytes of key(item), compared as unsigned, a key first
// before the longer keys it begins; items of equal keys by tieLess. Names
// of one scenario share long beginnings ("フラグ_村_", "flag_of_the_scene_"),
// which a comparison sort would compare again at every comparison: this
// sort looks at each byte position once per range of items that agree up
// to it (a three-way radix quicksort).
template <typename Item, typename Key, typename TieLess>
void SortByKeyBytes(std::vector<Item>& items, Key&& key, TieLess&& tieLess)
{
    // Below this many items, insertion by whole comparison is quicker.
    constexpr std::size_t ShortRange = 12;
    struct Range {
        std::size_t begin;
        std::size_t end;
        std::size_t depth;  // the items agree on the bytes before this
    };
    const auto less = [&](const Item& a, const Item& b, std::size_t depth) {
        const int order = key(a).substr(depth).compare(key(b).substr(depth));
        return order != 0 ? order < 0 : tieLess(a, b);
    };
    // 0 past the end of the key, else the byte and one: a key stands before the keys it begins.
    const auto byteAt = [&](const Item& item, std::size_t depth) -> int {
        const std::string_view bytes = key(item);
        return depth < bytes.size() ? static_cast<unsigned char>(bytes[depth]) + 1 : 0;
    };
    std::vector<Range> todo{{0, items.size(), 0}};
    while (!todo.empty()) {
        const Range range = todo.back();
        todo.pop_back();
        if (range.end - range.begin <= ShortRange) {
            for (std::size_t i = range.begin + 1; i < range.end; ++i)
                for (std::size_t j = i; j > range.begin && less(items[j], items[j - 1], range.depth); --j)
                    std::swap(items[j], items[j - 1]);
            continue;
        }
        const int first = byteAt(items[range.begin], range.depth);
        const int middle = byteAt(items[range.begin + (range.end - range.begin) / 2], range.depth);
        const int last = byteAt(items[range.end - 1], range.depth);
        const int pivot = std::max(std::min(first, middle), std::min(std::max(first, middle), last));
        // [begin, below) less than the pivot, [below, above) equal, [above, end) greater.
        std::size_t below = range.begin;
        std::size_t above = range.end;
        for (std::size_t i = range.begin; i < above;) {
            const int byte = byteAt(items[i], range.depth);
            if (byte < pivot)
                std::swap(items[below++], items[i++]);
            else if (byte > pivot)
                std::swap(items[i], items[--above]);
            else
                ++i;
        }
        todo.push_back({range.begin, below, range.depth});
        todo.push_back({above, range.end, range.depth});
        if (pivot == 0)  // the keys of the equal part have all ended: they are equal
            std::sort(items.begin() + static_cast<std::ptrdiff_t>(below),
                      items.begin() + static_cast<std::ptrdiff_t>(above), tieLess);
        else
            todo.push_back({below, above, range.depth + 1});
    }
}

}  // namespace quorvel
