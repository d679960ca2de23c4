#pragma once

#include "results/ResultIndex.h"

#include <cstddef>
#include <span>
#include <vector>

namespace quorvel {

// The answer of the last command: the lines of the left list, each showing
// an entry of the index and owning the rows filed under it (a line a search
// added beyond the index's entries has none), and the value names the flag
// and step search reads. The window shows it; the headless program prints it.
class Answer {
public:
    ResultIndex index;
    ValueNameTable valueNames;

    // The lines of the left list, kept by the index with its rows.
    const std::vector<KeptText>& leftLines() const { return leftLines_; }
    // What tells line `line` apart from others of its name (the note of its
    // entry); empty for lines a search added itself.
    const KeptText& leftLineNote(std::size_t line) const { return leftNotes_.at(line); }
    // The rows of a line, in filing order.
    std::span<const HitRow> rowsOf(std::size_t line) const;
    // The rows under every line.
    std::size_t places() const;

    // A search adds a line of its own per entry, or copies all keys at the end.
    void addLeftLine(const Text& line)
    {
        leftLines_.push_back(index.texts().keep(line));
        leftNotes_.emplace_back();
    }
    void copyKeysToLeftList();

    // Empties the lists and the index; the index's mode stays.
    void clear();

private:
    std::vector<KeptText> leftLines_;
    std::vector<KeptText> leftNotes_;
};

// The order a line's rows are shown in, in the list, on the clipboard and
// in a saved answer alike: the filing order (column 0), or sorted by one of
// the row's texts (columns 1 to 6; CompareRowTexts; rows of equal texts
// keep their filing order); `descending` turns it round.
struct RowOrder {
    int column = 0;
    bool descending = false;
};

std::vector<const HitRow*> RowsInOrder(const Answer& answer, std::size_t line, const RowOrder& order);

// How rows sort by a text: by its Shift-JIS bytes, byte by byte with ASCII
// letters folded to capitals (trail bytes of two-byte characters too), a
// text first before the longer texts it begins; texts without a Shift-JIS
// form after all others, by their UTF-8. Negative when a sorts first.
int CompareRowTexts(const KeptText& a, const KeptText& b);

}  // namespace quorvel
