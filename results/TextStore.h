#pragma once

#include "results/ResultColumns.h"
#include "scenario/GrowingChunks.h"
#include "scenario/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorvel {

// A text an answer keeps, in the forms the answer uses, each made once when
// the text is kept: the text itself (its bytes as given, their encoding);
// the bytes rows sort by, its Shift-JIS form (the bytes themselves for a
// Shift-JIS text); and the form the lists, the printer and the JSON answer
// show: its bytes up to the first zero byte, as UTF-8. A default KeptText
// is the empty text.
class KeptText {
public:
    KeptText() = default;

    Text text() const
    {
        const Forms forms = this->forms();
        if (forms.flags & Unicode)
            return Text::Unicode(forms.stored);
        return forms.flags & EndsInStoredByte ? Text::Stored(forms.stored) : Text::ShiftJis(forms.stored);
    }
    std::string_view shown() const { return forms().shown; }
    // The bytes rows sort by: its Shift-JIS form; for a text without one,
    // its UTF-8 (and hasShiftJisForm() is false).
    std::string_view sortBytes() const { return forms().sort; }
    bool hasShiftJisForm() const { return (flags() & NoShiftJisForm) == 0; }
    // The text's bytes as given, without making the text.
    std::string_view stored() const { return forms().stored; }
    // True when the shown form holds no character IsSpecialInTextFormats;
    // most texts are plain.
    bool shownIsPlain() const { return (flags() & ShownNotPlain) == 0; }

private:
    friend class TextStore;

    // How a kept text lies in its store: a byte of flags; the sizes of the
    // bytes as given, of the shown form and, where it follows them, of the
    // sort form, each in one byte when all three are under 256 and in four
    // otherwise; then the bytes as given, the shown form where it is not a
    // part of those bytes, and the sort bytes where they are not those bytes.
    // Most kept texts are short, so most headers take three bytes.
    enum Flag : std::uint8_t {
        Unicode = 1,
        EndsInStoredByte = 2,
        NoShiftJisForm = 4,
        ShownNotPlain = 8,
        ShownFollows = 16,
        SortFollows = 32,
        WideSizes = 64,
    };
    struct Forms {
        std::uint8_t flags;
        std::string_view stored;
        std::string_view shown;
        std::string_view sort;
    };
    static constexpr char EmptyText[3] = {};

    explicit KeptText(const char* at) : at_(at) { }
    std::uint8_t flags() const { return static_cast<std::uint8_t>(*at_); }
    Forms forms() const
    {
        const std::uint8_t flags = this->flags();
        const char* next = at_ + 1;
        const auto size = [&next, wide = (flags & WideSizes) != 0] {
            std::uint32_t size = 0;
            if (wide) {
                std::memcpy(&size, next, sizeof size);  // kept texts lie one after another, unaligned
                next += sizeof size;
            } else {
                size = static_cast<std::uint8_t>(*next++);
            }
            return std::size_t{size};
        };
        const std::size_t storedSize = size();
        const std::size_t shownSize = size();
        const std::size_t sortSize = flags & SortFollows ? size() : storedSize;
        const char* const stored = next;
        const char* const shown = flags & ShownFollows ? stored + storedSize : stored;
        const char* const sort
            = flags & SortFollows ? stored + storedSize + (flags & ShownFollows ? shownSize : 0) : stored;
        return {flags, {stored, storedSize}, {shown, shownSize}, {sort, sortSize}};
    }

    const char* at_ = EmptyText;
};

// Whether text formats such as JSON write a character other than as it is:
// a quote, a backslash or a control character.
inline bool IsSpecialInTextFormats(char c)
{
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

// The texts of a row as they are made, before they are kept.
using RowTexts = std::array<Text, RowTextCount>;

// Texts kept for as long as the answer whose rows and lines show them. What
// is kept never moves, a store can take over the texts of another, and
// everything is released together. A store is used by one thread at a time;
// the other forms of a text are made on the thread that keeps it.
class TextStore {
public:
    KeptText keep(const Text& text);
    // A copy of the text alone, for what is compared but never shown (the
    // names rows are filed under); the same bytes as the last ones are
    // shared with them, as a check files all its rows under one word.
    Text keepBytes(const Text& text);

    // Keeps the texts of a row. A text equal to one of the last few its
    // column kept is shared with it, so what the rows of one event have in
    // common (file name, event, head start name) is kept once, and so are
    // the few kind words and values that come back from row to row
    // (compare-speed, dense check-start: 41.1 -> 25.1 ms).
    std::array<KeptText, RowTextCount> keepRow(const RowTexts& texts);

    // Takes over every text `other` keeps; what was kept from it stays good.
    void adopt(TextStore&& other);

    void clear();

private:
    // An answer keeps from a few bytes (a clean check) to megabytes (every
    // use of a flag across a large scenario).
    GrowingChunks<char, 512, 64 * 1024> room_;

    // The last texts each column kept, the newest at `next`. Four cover the
    // kind words of a pass and the values that alternate within a run of files.
    static constexpr std::size_t RecentTexts = 4;
    struct RecentOfColumn {
        std::array<KeptText, RecentTexts> texts;
        std::size_t next = 0;
    };
    std::array<RecentOfColumn, RowTextCount> recent_;

    Text lastBytes_;  // the last text keepBytes kept

    KeptText keepInColumn(RecentOfColumn& recent, const Text& text);
};

}  // namespace quorvel
