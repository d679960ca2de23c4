#pragma once

#include "search/SearchContext.h"

namespace quorvel {

// "未定義の参照": each flag, step, item, skill, information card, summoned
// beast, package, area, battle and cast member that something uses and
// nothing defines (the summary declares flags and steps; a data file of
// its kind defines an id), as "<kind>: <name or id>", kinds in that order,
// names in the order of the name table and ids ascending. Under each, every
// place that uses it, as the search of its kind files it. The summary's
// start area is a use of that area.
void CheckUndefined(SearchContext& context);

// "未使用の定義": each of them that is defined and used nowhere, an id
// followed by the title of the first file that defines it; under each,
// where it is defined: the summary, or each file that defines the id.
void CheckUnused(SearchContext& context);

}  // namespace quorvel
