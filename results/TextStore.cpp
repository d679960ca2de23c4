#include "results/TextStore.h"

#include <algorithm>
#include <iterator>

namespace quorvel {

std::string_view TextStore::keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (free_ < text.size()) {
        const std::size_t size = std::max(text.size(), nextChunk_);
        nextChunk_ = std::min(nextChunk_ * 2, LargestChunk);
        chunks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
        next_ = chunks_.back().bytes.get();
        free_ = size;
    }
    char* const at = next_;
    std::copy(text.begin(), text.end(), at);
    next_ += text.size();
    free_ -= text.size();
    return {at, text.size()};
}

HitRow TextStore::keepRow(const std::array<std::string_view, 6>& texts)
{
    HitRow row;
    for (std::size_t column = 0; column < texts.size(); ++column)
        row.texts[column] = keepInColumn(recent_[column], texts[column]);
    return row;
}

std::string_view TextStore::keepInColumn(RecentOfColumn& recent, std::string_view text)
{
    // Newest first: a column mostly repeats its last text.
    for (std::size_t age = 0; age < RecentTexts; ++age) {
        const std::string_view known = recent.texts[(recent.next + RecentTexts - age) % RecentTexts];
        if (known.size() == text.size() && known == text)
            return known;
    }
    recent.next = (recent.next + 1) % RecentTexts;
    recent.texts[recent.next] = keep(text);
    return recent.texts[recent.next];
}

void TextStore::adopt(TextStore&& other)
{
    if (other.chunks_.empty())
        return;
    // Keeping goes on in the chunk it was filling: next_ points into it, wherever it stands.
    chunks_.insert(chunks_.end(), std::make_move_iterator(other.chunks_.begin()),
                   std::make_move_iterator(other.chunks_.end()));
    other.clear();
}

void TextStore::clear()
{
    chunks_.clear();
    next_ = nullptr;
    free_ = 0;
    nextChunk_ = FirstChunk;
    recent_ = {};
}

}  // namespace quorvel
