#pragma once

#include "results/Answer.h"

#include <functional>
#include <optional>
#include <vector>

namespace quorvel {

// What the window's two lists show of an answer: the line selected in the
// left list, the line whose rows the result list shows, and those rows in
// the order the user chose by clicking column headers (a row's running
// number is its position, from 1). The order holds for every later answer.
class ListState {
public:
    explicit ListState(const Answer& answer) : answer_(answer) { }

    int selectedLine() const { return selectedLine_; }
    // The line whose rows are shown; -1 for none.
    int shownLine() const { return shownLine_; }
    const std::vector<const HitRow*>& rows() const { return rows_; }
    const RowOrder& order() const { return order_; }

    // The left list's selection changed (mouse, keyboard or Reload): shows
    // the rows of that line unless they are shown already.
    void selectLine(int line);
    // A click on a column's header: the first sorts by it ascending (the
    // number column: the filing order), a click on the header clicked last
    // turns the order round.
    void clickColumn(int column);
    // The answer is being replaced: nothing is selected or shown; the order stays.
    void forgetAnswer();
    // Runs `run`, which replaces the answer and tells whether it did, and
    // selects the line at the position selected before, when there is one.
    void reselectAfter(const std::function<bool()>& run);

private:
    const Answer& answer_;
    int selectedLine_ = -1;
    int shownLine_ = -1;
    std::vector<const HitRow*> rows_;
    RowOrder order_;
    std::optional<int> clickedColumn_;
};

}  // namespace quorvel
