#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// Lists, under the one line "チェック！" (nothing when all is well), every
// branch or judgement content with more than two children, or with two
// children whose names are the same bytes.
void CheckBranches(SearchContext& context);
void CheckEventBranches(const EventVisit& visit, std::vector<KeyedRow>& found);

}  // namespace quorvel
