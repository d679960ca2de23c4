#pragma once

#include "search/EventCheck.h"

namespace quorvel {

// Lists every branch or judgement content with more than two children, or
// with two children whose names are the same bytes.
void CheckBranches(SearchContext& context);
void CheckEventBranches(const EventVisit& visit, std::vector<HitRow>& found);

}  // namespace quorvel
