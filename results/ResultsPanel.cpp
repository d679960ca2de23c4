#include "results/ResultsPanel.h"

#include <algorithm>

namespace quorvel {

int CompareListTexts(std::string_view a, std::string_view b)
{
    const auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 0x20 : int{c}; };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]));
        if (difference != 0)
            return difference;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

void ResultsPanel::copyKeysToLeftList()
{
    leftLines_.clear();
    leftNotes_.clear();
    for (int position = 0; position < index.count(); ++position) {
        const auto& entry = index.at(position);
        leftLines_.push_back(index.texts().keep(entry.key));
        leftNotes_.push_back(entry.payload.note);
    }
}

void ResultsPanel::clear()
{
    leftLines_.clear();
    leftNotes_.clear();
    resultLines_.clear();
    selectedLine_ = -1;
    index.clear();
    shownLine = -1;
}

void ResultsPanel::selectLine(int line)
{
    selectedLine_ = line >= 0 && line < static_cast<int>(leftLines_.size()) ? line : -1;
    showSelectedRows();
}

void ResultsPanel::showSelectedRows()
{
    const int line = selectedLine_;
    if (line == -1 || line == shownLine)
        return;
    shownLine = line;
    resultLines_.clear();
    if (line < index.count()) {
        for (const HitRow& row : index.rows(line))
            resultLines_.push_back(ResultLine{{}, &row});
    }
    sortAndNumber();
}

void ResultsPanel::sortByColumn(int column)
{
    sortColumn = column;
    sortDescending = false;
    sortAndNumber();
}

void ResultsPanel::clickColumn(int column)
{
    const bool again = clickedColumn_ == column && sortColumn == column;
    clickedColumn_ = column;
    sortColumn = column;
    sortDescending = again && !sortDescending;
    sortAndNumber();
}

void ResultsPanel::sortAndNumber()
{
    const int column = std::clamp(sortColumn, 0, 6);
    // Equal texts keep their filing order either way.
    std::stable_sort(resultLines_.begin(), resultLines_.end(), [&](const ResultLine& a, const ResultLine& b) {
        const int order = CompareListTexts(a.sortText(column), b.sortText(column));
        return sortDescending ? order > 0 : order < 0;
    });
    for (std::size_t k = 0; k < resultLines_.size(); ++k)
        resultLines_[k].number = std::to_string(k + 1);
}

void ResultsPanel::reload(const std::function<bool(SearchMode)>& run)
{
    const int previous = selectedLine_;
    if (!run(searchMode))
        return;
    if (previous >= 0 && previous < static_cast<int>(leftLines_.size()))
        selectLine(previous);
}

}  // namespace quorvel
