#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <functional>
#include <vector>

namespace quorvel {

// The frame of the branch and dialogue checks: every event of the scenario
// goes through `checkEvent`, and everything it reports is filed under the
// one line "チェック！"; the left list stays empty when nothing is reported.
using EventRule = std::function<void(const EventVisit& visit, std::vector<HitRow>& found)>;
void CheckEachEvent(SearchContext& context, const EventRule& checkEvent);

}  // namespace quorvel
