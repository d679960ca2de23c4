#include "results/Answer.h"

#include "base/AsciiCase.h"

#include <algorithm>

namespace quorvel {

std::span<const HitRow> Answer::rowsOf(std::size_t line) const
{
    if (line >= static_cast<std::size_t>(index.count()))
        return {};
    return index.rows(static_cast<int>(line));
}

std::size_t Answer::places() const
{
    std::size_t places = 0;
    for (int entry = 0; entry < index.count(); ++entry)
        places += index.rows(entry).size();
    return places;
}

void Answer::copyKeysToLeftList()
{
    leftLines_.clear();
    leftNotes_.clear();
    for (int position = 0; position < index.count(); ++position) {
        const auto& entry = index.at(position);
        leftLines_.push_back(index.texts().keep(entry.key.text()));
        leftNotes_.push_back(entry.payload.note);
    }
}

void Answer::clear()
{
    leftLines_.clear();
    leftNotes_.clear();
    index.clear();
}

int CompareRowTexts(const KeptText& a, const KeptText& b)
{
    if (a.hasShiftJisForm() != b.hasShiftJisForm())
        return a.hasShiftJisForm() ? -1 : 1;
    return CompareIgnoringAsciiCase<FoldTo::Upper>(a.sortBytes(), b.sortBytes());
}

std::vector<const HitRow*> RowsInOrder(const Answer& answer, std::size_t line, const RowOrder& order)
{
    std::vector<const HitRow*> rows;
    for (const HitRow& row : answer.rowsOf(line))
        rows.push_back(&row);
    if (order.column >= 1 && order.column <= RowTextCount) {
        const auto text = static_cast<std::size_t>(order.column - 1);
        std::stable_sort(rows.begin(), rows.end(), [&](const HitRow* a, const HitRow* b) {
            const int compared = CompareRowTexts(a->texts[text], b->texts[text]);
            return order.descending ? compared > 0 : compared < 0;
        });
    } else if (order.descending) {
        std::reverse(rows.begin(), rows.end());
    }
    return rows;
}

}  // namespace quorvel
