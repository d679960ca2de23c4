#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"
#include "search/SummaryReader.h"

#include <limits>
#include <string>
#include <vector>

namespace quorvel {

// A use of a flag or step: the row, the name it is filed under, and for a
// change, which of the name's value names the value column shows.
struct FlagStepUse {
    static constexpr int NoValueName = std::numeric_limits<int>::min();

    std::string name;
    HitRow row;
    int valueName = NoValueName;
};

// Lists every flag (or step) Summary.wsm declares, and "未定義" when some
// content names one it does not; under each, every content, card and cell
// that uses it. Nothing is listed when the summary cannot be read.
void SearchFlagStep(SearchContext& context, SummarySection section);

// The uses in one loaded file, in walk order: events, card flags before each
// card's events, then Area cells (cards and cells for flags only).
void WalkFlagStepFile(const DataFile& file, SummarySection section, std::vector<FlagStepUse>& found, TextStore& texts);

// The uses in one event: five passes, each over every start content.
void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, std::vector<FlagStepUse>& found);

}  // namespace quorvel
