#pragma once

#include "scenario/GrowingChunks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorvel {

// A text an answer keeps, in its two forms: the bytes as stored (Shift-JIS;
// a data-file text keeps its final zero byte), which names compare and rows
// sort by, and the form the lists, the printer and the JSON answer show: its
// bytes up to the first zero byte, as UTF-8. Both forms are made once, when
// the text is kept. A default KeptText is the empty text.
class KeptText {
public:
    KeptText() = default;

    std::string_view stored() const
    {
        const Layout layout = this->layout();
        return {bytes(), layout.storedSize & ~Layout::SpecialsBit};
    }
    std::string_view shown() const
    {
        const Layout layout = this->layout();
        return {bytes() + layout.shownOffset, layout.shownSize};
    }
    // True when the shown form holds no character IsSpecialInTextFormats;
    // most texts are plain.
    bool shownIsPlain() const { return (layout().storedSize & Layout::SpecialsBit) == 0; }

private:
    friend class TextStore;

    // How a kept text lies in its store: this layout, then the stored bytes,
    // then the shown form unless it is the start of the stored bytes (a text
    // of plain ASCII shows as it is stored).
    struct Layout {
        // Stored texts are shorter than a gigabyte: the top bit tells a shown form that is not plain.
        static constexpr std::uint32_t SpecialsBit = 1u << 31;
        std::uint32_t storedSize;
        std::uint32_t shownOffset;  // from the first stored byte
        std::uint32_t shownSize;
    };
    static constexpr char EmptyText[sizeof(Layout)] = {};

    explicit KeptText(const char* at) : at_(at) { }
    Layout layout() const
    {
        Layout layout;
        std::memcpy(&layout, at_, sizeof layout);  // kept texts lie one after another, unaligned
        return layout;
    }
    const char* bytes() const { return at_ + sizeof(Layout); }

    const char* at_ = EmptyText;
};

// Whether text formats such as JSON write a character other than as it is:
// a quote, a backslash or a control character.
inline bool IsSpecialInTextFormats(char c)
{
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

// The six texts of a row as they are made (stored bytes), before they are kept.
using RowTexts = std::array<std::string_view, 6>;

// Texts kept for as long as the answer whose rows and lines show them. What
// is kept never moves, a store can take over the texts of another, and
// everything is released together. A store is used by one thread at a time;
// the shown forms are decoded on the thread that keeps the texts.
class TextStore {
public:
    KeptText keep(std::string_view stored);
    // A copy of the bytes alone, for what is compared but never shown (the
    // names rows are filed under); the same bytes as the last ones are
    // shared with them, as a check files all its rows under one word.
    std::string_view keepBytes(std::string_view bytes);

    // Keeps the six texts of a row. A text equal to one of the last few its
    // column kept is shared with it, so what the rows of one event have in
    // common (file name, event, head start name) is kept once, and so are
    // the few kind words and values that come back from row to row.
    std::array<KeptText, 6> keepRow(const RowTexts& texts);

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
    std::array<RecentOfColumn, 6> recent_;

    std::string_view lastBytes_;  // the last bytes keepBytes kept

    KeptText keepInColumn(RecentOfColumn& recent, std::string_view text);
};

}  // namespace quorvel
