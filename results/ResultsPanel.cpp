#include "results/ResultsPanel.h"

#include <algorithm>

namespace quorvel {

int ListViewCompare(std::string_view a, std::string_view b)
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
    for (const auto& entry : index.entries())
        leftLines_.push_back(entry.key);
}

void ResultsPanel::ClearResults()
{
    leftLines_.clear();
    resultLines_.clear();
    selectedLine_ = -1;
    index.clear();
    ShownIndex = -1;
}

void ResultsPanel::ClearValueNames()
{
    valueNames.clear();
}

void ResultsPanel::selectLine(int line)
{
    selectedLine_ = line >= 0 && line < static_cast<int>(leftLines_.size()) ? line : -1;
    ShowSelectedRows();
}

void ResultsPanel::ShowSelectedRows()
{
    const int line = selectedLine_;
    if (line == -1 || line == ShownIndex)
        return;
    ShownIndex = line;
    resultLines_.clear();
    if (line < index.count()) {
        for (const HitRow& row : index.rows(line)) {
            ResultLine shown;
            std::copy(row.texts.begin(), row.texts.end(), shown.begin() + 1);
            resultLines_.push_back(std::move(shown));
        }
    }
    sortAndNumber();
}

void ResultsPanel::ListViewColumnClick(int column)
{
    SortColumn = column;
    sortAndNumber();
}

void ResultsPanel::sortAndNumber()
{
    const auto column = static_cast<std::size_t>(std::clamp(SortColumn, 0, 6));
    std::stable_sort(resultLines_.begin(), resultLines_.end(), [&](const ResultLine& a, const ResultLine& b) {
        return ListViewCompare(a[column], b[column]) < 0;
    });
    for (std::size_t k = 0; k < resultLines_.size(); ++k)
        resultLines_[k][0] = std::to_string(k + 1);
}

void ResultsPanel::Reload(const std::function<bool(int searchMode)>& run)
{
    const int previous = selectedLine_;
    if (!run(SearchMode))
        return;
    if (previous >= 0 && previous < static_cast<int>(leftLines_.size()))
        selectLine(previous);
}

}  // namespace quorvel
