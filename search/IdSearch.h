#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

namespace quorvel {

// The seven searches for things defined by a data file of their own and
// referred to by id.
enum class IdSearchKind { Item, Skill, Info, Beast, Package, Area, Battle };

// Lists every defining file (title) and then one "未定義" line per id used
// but not defined; under each, every content that uses the id.
void SearchIdUses(SearchContext& context, IdSearchKind kind);

// The use pass for one event.
void CollectIdUses(SearchContext& context, const EventVisit& visit, IdSearchKind kind);

// The SearchMode each search leaves behind.
int SearchModeOf(IdSearchKind kind);

}  // namespace quorvel
