#include "search/EventCheck.h"

#include "search/RowTexts.h"

namespace quorvel {

void CheckEachEvent(SearchContext& context, const EventRule& checkEvent)
{
    ResultsPanel& results = context.results;
    results.ClearResults();
    results.index.setMode(TableMode::Unsorted);
    FindInDataFiles<HitRow>(
        context, UsePassMask,
        [&](const DataFile& file, std::vector<HitRow>& found, TextStore& texts) {
            WalkFileEvents(file, texts, [&](const EventVisit& visit) { checkEvent(visit, found); });
        },
        [&](HitRow& row) {
            if (results.index.count() == 0)
                results.index.add(FixedWord("チェック！"));
            results.index.fileKeptRow(0, row);
        });
    results.copyKeysToLeftList();
}

}  // namespace quorvel
