#pragma once

#include "search/SearchContext.h"

namespace quorvel {

// Each path the scenario's contents, cards and cells name that no file of
// the scenario answers (MaterialKeysOfPath), in sorted order, with every
// place that names it. A path that climbs out of the scenario never answers.
void CheckMissingMaterials(SearchContext& context);

// Each picture, sound or music file of the scenario (IsMaterialFile) that no
// path names, in the order of the files' paths: one row each, its path in
// the file column and "素材" as its kind word.
void CheckUnusedMaterials(SearchContext& context);

}  // namespace quorvel
