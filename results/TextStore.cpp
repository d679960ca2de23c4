#include "results/TextStore.h"

#include "scenario/ShiftJis.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvel {

namespace {

// The shown form of a text when it is not a part of its bytes; nothing when it is.
std::optional<std::string> shownFormUnlessItsOwn(const Text& text)
{
    const std::string_view shown = text.shownBytes();
    if (DecodesToItself(shown))
        return std::nullopt;
    if (text.encoding() == TextEncoding::Unicode) {
        std::string valid = ValidUtf8(shown);
        return valid == shown ? std::nullopt : std::optional<std::string>(std::move(valid));
    }
    // Each thread decodes with a converter of its own.
    thread_local ShiftJisDecoder decoder;
    return decoder.toUtf8(shown);
}

}  // namespace

KeptText TextStore::keep(const Text& text)
{
    const std::string_view stored = text.bytes();
    if (stored.empty())
        return {};
    if (stored.size() > std::numeric_limits<std::uint32_t>::max() / 4)
        throw std::length_error("a text too long to keep");
    using Layout = KeptText::Layout;
    Layout layout{static_cast<std::uint32_t>(stored.size()), 0, 0, 0, static_cast<std::uint32_t>(stored.size()), 0};
    const std::optional<std::string> shown = shownFormUnlessItsOwn(text);
    const std::string_view shownBytes = shown ? std::string_view(*shown) : text.shownBytes();
    layout.shownOffset = shown ? layout.storedSize : 0;
    layout.shownSize = static_cast<std::uint32_t>(shownBytes.size());
    if (std::any_of(shownBytes.begin(), shownBytes.end(), IsSpecialInTextFormats))
        layout.flags |= Layout::ShownNotPlain;
    std::optional<std::string> sortForm;
    if (text.encoding() == TextEncoding::Unicode) {
        layout.flags |= Layout::Unicode;
        if (!DecodesToItself(stored)) {
            sortForm = ToShiftJis(stored);
            if (!sortForm)
                layout.flags |= Layout::NoShiftJisForm;
        }
    } else if (text.endsInStoredByte()) {
        layout.flags |= Layout::EndsInStoredByte;
    }
    const std::size_t shownExtra = shown ? shown->size() : 0;
    if (sortForm) {
        layout.sortOffset = static_cast<std::uint32_t>(stored.size() + shownExtra);
        layout.sortSize = static_cast<std::uint32_t>(sortForm->size());
    }
    const std::size_t sortExtra = sortForm ? sortForm->size() : 0;
    char* const at = room_.take(sizeof layout + stored.size() + shownExtra + sortExtra);
    std::memcpy(at, &layout, sizeof layout);
    std::memcpy(at + sizeof layout, stored.data(), stored.size());
    if (shown)
        std::memcpy(at + sizeof layout + stored.size(), shown->data(), shown->size());
    if (sortForm)
        std::memcpy(at + sizeof layout + stored.size() + shownExtra, sortForm->data(), sortForm->size());
    return KeptText(at);
}

Text TextStore::keepBytes(const Text& text)
{
    const std::string_view bytes = text.bytes();
    if (bytes.empty())
        return text.sameKindOver({});
    if (text.sameBytesAs(lastBytes_) && text.endsInStoredByte() == lastBytes_.endsInStoredByte())
        return lastBytes_;
    char* const at = room_.take(bytes.size());
    std::memcpy(at, bytes.data(), bytes.size());
    lastBytes_ = text.sameKindOver({at, bytes.size()});
    return lastBytes_;
}

std::array<KeptText, RowTextCount> TextStore::keepRow(const RowTexts& texts)
{
    std::array<KeptText, RowTextCount> kept;
    for (std::size_t column = 0; column < texts.size(); ++column)
        kept[column] = keepInColumn(recent_[column], texts[column]);
    return kept;
}

KeptText TextStore::keepInColumn(RecentOfColumn& recent, const Text& text)
{
    // Newest first: a column mostly repeats its last text.
    for (std::size_t age = 0; age < RecentTexts; ++age) {
        const KeptText known = recent.texts[(recent.next + RecentTexts - age) % RecentTexts];
        const Text knownText = known.text();
        if (knownText.sameBytesAs(text) && knownText.endsInStoredByte() == text.endsInStoredByte())
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
