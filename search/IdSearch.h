#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// The seven searches for things defined by a data file of their own and
// referred to by id.
enum class IdSearchKind { Item, Skill, Info, Beast, Package, Area, Battle };

// Lists every defining file (title) and then one "未定義" line per id used
// but not defined; under each, every content that uses the id.
void SearchIdUses(SearchContext& context, IdSearchKind kind);

// The use pass for one event: every use, keyed by the id as decimal text.
void CollectIdUses(const EventVisit& visit, IdSearchKind kind, const TargetWordTable& targetWords,
                   std::vector<KeyedRow>& found);

// The SearchMode each search leaves behind.
int SearchModeOf(IdSearchKind kind);

}  // namespace quorvel
