#pragma once

#include "results/ResultIndex.h"
#include "results/SearchMode.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A line of the result list: column 0 is the running number, 1..6 copies of
// the row's texts.
using ResultLine = std::array<std::string, 7>;

// Byte-wise comparison of result-list texts with ASCII letters folded to
// capitals (every byte, trail bytes of Shift-JIS characters included);
// length decides last. Negative when a sorts first.
int ListViewCompare(std::string_view a, std::string_view b);

// The answer of the last command and the state of the two lists that show it:
// the left list (one line per entry of the index) and the result list (the
// rows of the shown line). The window mirrors it into widgets; the headless
// program reads it directly.
class ResultsPanel {
public:
    ResultIndex index;
    ValueNameTable valueNames;
    int SearchMode = NoSearch;
    int ShownIndex = -1;
    int SortColumn = 0;

    const std::vector<std::string>& leftLines() const { return leftLines_; }
    const std::vector<ResultLine>& resultLines() const { return resultLines_; }
    int selectedLine() const { return selectedLine_; }

    // A search adds a line of its own per entry, or copies all keys at the end.
    void addLeftLine(std::string text) { leftLines_.push_back(std::move(text)); }
    void copyKeysToLeftList();

    void ClearResults();
    void ClearValueNames();
    // The left list's selection changed (mouse, keyboard or Reload).
    void selectLine(int line);
    void ShowSelectedRows();
    void ListViewColumnClick(int column);
    // Runs the command of SearchMode again through `run` (which reports
    // whether it ran one) and re-selects the line at the same position.
    void Reload(const std::function<bool(int searchMode)>& run);

private:
    void sortAndNumber();

    std::vector<std::string> leftLines_;
    std::vector<ResultLine> resultLines_;
    int selectedLine_ = -1;
};

}  // namespace quorvel
