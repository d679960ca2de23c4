#pragma once

#include "results/ResultIndex.h"
#include "results/SearchMode.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Byte-wise comparison of result-list texts with ASCII letters folded to
// capitals (every byte, trail bytes of Shift-JIS characters included);
// length decides last. Negative when a sorts first.
int CompareListTexts(std::string_view a, std::string_view b);

// A line of the result list: its running number (column 0; empty until the
// lines are first numbered) and the row whose texts fill columns 1 to 6.
struct ResultLine {
    std::string number;
    const HitRow* row = nullptr;

    // What the line sorts by in a column: the number as text, or the row's stored bytes.
    std::string_view sortText(int column) const
    {
        return column == 0 ? std::string_view(number) : row->texts[static_cast<std::size_t>(column - 1)].stored();
    }
};

// The answer of the last command and the state of the two lists that show it:
// the left list (one line per entry of the index) and the result list (the
// rows of the shown line). The window mirrors it into widgets; the headless
// program reads it directly.
class ResultsPanel {
public:
    ResultIndex index;
    ValueNameTable valueNames;
    SearchMode searchMode = SearchMode::None;
    int shownLine = -1;  // the left-list line whose rows the result list shows
    int sortColumn = 0;  // the result-list column rows are sorted by, 0..6
    bool sortDescending = false;

    // The lines of the left list, kept by the index with its rows.
    const std::vector<KeptText>& leftLines() const { return leftLines_; }
    // What tells line `line` apart from others of its name (the note of its
    // entry); empty for lines a search added itself.
    const KeptText& leftLineNote(std::size_t line) const { return leftNotes_.at(line); }
    const std::vector<ResultLine>& resultLines() const { return resultLines_; }
    int selectedLine() const { return selectedLine_; }

    // A search adds a line of its own per entry, or copies all keys at the end.
    void addLeftLine(std::string_view stored)
    {
        leftLines_.push_back(index.texts().keep(stored));
        leftNotes_.emplace_back();
    }
    void copyKeysToLeftList();

    // Empties both lists and the index; the index's mode stays.
    void clear();
    void clearValueNames() { valueNames.clear(); }
    // The left list's selection changed (mouse, keyboard or Reload): shows
    // the rows of that line unless they are shown already.
    void selectLine(int line);
    // Sorts by the column, ascending.
    void sortByColumn(int column);
    // A click on a column's header: the first sorts by it ascending, as
    // sortByColumn does; a click on the header clicked last turns the order round.
    void clickColumn(int column);
    // Runs the command of searchMode again through `run` (which reports
    // whether it ran one) and re-selects the line at the same position.
    void reload(const std::function<bool(SearchMode)>& run);

private:
    void showSelectedRows();
    void sortAndNumber();

    std::vector<KeptText> leftLines_;
    std::vector<KeptText> leftNotes_;
    std::vector<ResultLine> resultLines_;
    int selectedLine_ = -1;
    std::optional<int> clickedColumn_;
};

}  // namespace quorvel
