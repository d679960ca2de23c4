#pragma once

#include "results/ResultIndex.h"
#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <string>

namespace quorvel {

// Reads the one data file `name` of the context's source and lists the
// names of all its start contents, and "無効なリンク" when a link or call
// names a start content that no event walked so far holds; under each, the
// links and calls that lead there. False when the file fails to load: the
// user has been told and the answer stays empty.
bool SearchLinks(SearchContext& context, const std::string& name);

// One event: its start names become entries (in front of equal ones), then
// its links and calls are filed under the front-most equal entry.
void CollectLinks(ResultIndex& index, const EventVisit& visit);

}  // namespace quorvel
