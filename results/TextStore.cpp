#include "results/TextStore.h"

#include "scenario/ShiftJis.h"

#include <algorithm>
#include <array>
#include <cstring>
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
    if (text.encoding() == TextEncoding::Unicode)
        return IsValidUtf8(shown) ? std::nullopt : std::optional<std::string>(ValidUtf8(shown));
    // Each thread decodes with a converter of its own.
    thread_local ShiftJisDecoder decoder;
    return decoder.toUtf8(shown);
}

// The Shift-JIS form of a UTF-8 text, nothing when it has none. The
// program's own words (kind words, labels) come back row after row, so the
// forms of the last few short texts are remembered, by each thread.
std::optional<std::string> shiftJisForm(std::string_view utf8)
{
    constexpr std::size_t Remembered = 8;
    constexpr std::size_t LongestRemembered = 64;
    struct Form {
        std::string utf8;
        std::optional<std::string> shiftJis;
    };
    thread_local std::array<Form, Remembered> forms;
    thread_local std::size_t next = 0;
    if (utf8.size() > LongestRemembered)
        return ToShiftJis(utf8);
    for (const Form& form : forms)
        if (!form.utf8.empty() && form.utf8 == utf8)
            return form.shiftJis;
    Form& form = forms[next++ % Remembered];
    form.utf8.assign(utf8);
    form.shiftJis = ToShiftJis(utf8);
    return form.shiftJis;
}

}  // namespace

KeptText TextStore::keep(const Text& text)
{
    const std::string_view stored = text.bytes();
    if (stored.empty())
        return {};
    if (stored.size() > std::numeric_limits<std::uint32_t>::max() / 4)
        throw std::length_error("a text too long to keep");
    std::uint8_t flags = 0;
    const std::optional<std::string> shown = shownFormUnlessItsOwn(text);
    const std::string_view shownBytes = shown ? std::string_view(*shown) : text.shownBytes();
    if (shown)
        flags |= KeptText::ShownFollows;
    if (std::any_of(shownBytes.begin(), shownBytes.end(), IsSpecialInTextFormats))
        flags |= KeptText::ShownNotPlain;
    std::optional<std::string> sortForm;
    if (text.encoding() == TextEncoding::Unicode) {
        flags |= KeptText::Unicode;
        if (!DecodesToItself(stored)) {
            sortForm = shiftJisForm(stored);
            if (!sortForm)
                flags |= KeptText::NoShiftJisForm;
        }
    } else if (text.endsInStoredByte()) {
        flags |= KeptText::EndsInStoredByte;
    }
    if (sortForm)
        flags |= KeptText::SortFollows;

    const std::array<std::size_t, 3> sizes{stored.size(), shownBytes.size(), sortForm ? sortForm->size() : 0};
    const std::size_t sizeCount = sortForm ? 3 : 2;
    const bool wide
        = std::any_of(sizes.begin(), sizes.begin() + sizeCount, [](std::size_t size) { return size > 0xFF; });
    if (wide)
        flags |= KeptText::WideSizes;
    const std::size_t header = 1 + sizeCount * (wide ? sizeof(std::uint32_t) : 1);
    const std::size_t shownExtra = shown ? shown->size() : 0;
    const std::size_t sortExtra = sortForm ? sortForm->size() : 0;
    char* const at = room_.take(header + stored.size() + shownExtra + sortExtra);
    char* next = at;
    *next++ = static_cast<char>(flags);
    for (std::size_t i = 0; i < sizeCount; ++i) {
        if (wide) {
            const auto size = static_cast<std::uint32_t>(sizes[i]);
            std::memcpy(next, &size, sizeof size);
            next += sizeof size;
        } else {
            *next++ = static_cast<char>(sizes[i]);
        }
    }
    next = std::copy(stored.begin(), stored.end(), next);
    if (shown)
        next = std::copy(shown->begin(), shown->end(), next);
    if (sortForm)
        std::copy(sortForm->begin(), sortForm->end(), next);
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
    // Newest first: a column mostly repeats its last text. Equality looks at
    // the sizes first: most texts that differ differ in it.
    const std::string_view bytes = text.bytes();
    for (std::size_t age = 0; age < RecentTexts; ++age) {
        const KeptText known = recent.texts[(recent.next + RecentTexts - age) % RecentTexts];
        if (known.stored() != bytes)
            continue;
        const Text knownText = known.text();
        if (knownText.encoding() == text.encoding() && knownText.endsInStoredByte() == text.endsInStoredByte())
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
