#include "app/ListState.h"

namespace quorvel {

void ListState::selectLine(int line)
{
    selectedLine_ = line >= 0 && line < static_cast<int>(answer_.leftLines().size()) ? line : -1;
    if (selectedLine_ == -1 || selectedLine_ == shownLine_)
        return;
    shownLine_ = selectedLine_;
    rows_ = RowsInOrder(answer_, static_cast<std::size_t>(shownLine_), order_);
}

void ListState::clickColumn(int column)
{
    const bool again = clickedColumn_ == column && order_.column == column;
    clickedColumn_ = column;
    order_.column = column;
    order_.descending = again && !order_.descending;
    if (shownLine_ >= 0)
        rows_ = RowsInOrder(answer_, static_cast<std::size_t>(shownLine_), order_);
}

void ListState::forgetAnswer()
{
    selectedLine_ = -1;
    shownLine_ = -1;
    rows_.clear();
}

void ListState::reselectAfter(const std::function<bool()>& run)
{
    const int previous = selectedLine_;
    if (!run())
        return;
    if (previous >= 0 && previous < static_cast<int>(answer_.leftLines().size()))
        selectLine(previous);
}

}  // namespace quorvel
