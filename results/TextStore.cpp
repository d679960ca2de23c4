#include "results/TextStore.h"

#include "scenario/ShiftJis.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace quorvel {

KeptText TextStore::keep(std::string_view stored)
{
    if (stored.empty())
        return {};
    if (stored.size() > std::numeric_limits<std::uint32_t>::max() / 4)
        throw std::length_error("a text too long to keep");
    const std::string_view shownBytes = UpToFirstZero(stored);
    // Each thread decodes with a converter of its own.
    thread_local ShiftJisDecoder decoder;
    const bool asStored = DecodesToItself(shownBytes);
    const std::string_view decoded = asStored ? std::string_view() : std::string_view(decoder.toUtf8(shownBytes));
    const std::string_view shown = asStored ? shownBytes : decoded;
    const bool plain = std::none_of(shown.begin(), shown.end(), IsSpecialInTextFormats);
    const KeptText::Layout layout{static_cast<std::uint32_t>(stored.size())
                                      | (plain ? 0 : KeptText::Layout::SpecialsBit),
                                  asStored ? 0 : static_cast<std::uint32_t>(stored.size()),
                                  static_cast<std::uint32_t>(asStored ? shownBytes.size() : decoded.size())};
    char* const at = room_.take(sizeof layout + stored.size() + decoded.size());
    std::memcpy(at, &layout, sizeof layout);
    std::memcpy(at + sizeof layout, stored.data(), stored.size());
    if (!decoded.empty())
        std::memcpy(at + sizeof layout + stored.size(), decoded.data(), decoded.size());
    return KeptText(at);
}

std::string_view TextStore::keepBytes(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    if (bytes == lastBytes_)
        return lastBytes_;
    char* const at = room_.take(bytes.size());
    std::memcpy(at, bytes.data(), bytes.size());
    lastBytes_ = {at, bytes.size()};
    return lastBytes_;
}

std::array<KeptText, 6> TextStore::keepRow(const RowTexts& texts)
{
    std::array<KeptText, 6> kept;
    for (std::size_t column = 0; column < texts.size(); ++column)
        kept[column] = keepInColumn(recent_[column], texts[column]);
    return kept;
}

KeptText TextStore::keepInColumn(RecentOfColumn& recent, std::string_view text)
{
    // Newest first: a column mostly repeats its last text.
    for (std::size_t age = 0; age < RecentTexts; ++age) {
        const KeptText known = recent.texts[(recent.next + RecentTexts - age) % RecentTexts];
        if (known.stored() == text)
            return known;
    }
    recent.next = (recent.next + 1) % RecentTexts;
    recent.texts[recent.next] = keep(text);
    return recent.texts[recent.next];
}

void TextStore::adopt(TextStore&& other)
{
    room_.adopt(std::move(other.room_));
    other.clear();
}

void TextStore::clear()
{
    room_.release();
    recent_ = {};
    lastBytes_ = {};
}

}  // namespace quorvel
