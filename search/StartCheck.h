#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// Lists every start-content name that a link or call jumps to but that no
// start content of its own event carries; under each, those links and calls.
void CheckStart(SearchContext& context);

// One event: its links, then its calls, whose target none of its start
// names equals without regard to letter case, keyed by their target.
void CheckStartEvent(const EventVisit& visit, std::vector<KeyedRow>& found);

}  // namespace quorvel
