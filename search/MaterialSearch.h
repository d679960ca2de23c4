#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

namespace quorvel {

// Lists every file path the scenario's contents, cards and cells name
// (sounds, music, images), as written, in sorted order; under each, every
// place that names it, with the kind word of the field. Paths the engine
// takes as no file (NamesNoFile) are left out.
void SearchMaterials(SearchContext& context);

// Each place a data file (read with its written texts) names a file path,
// keyed by the path as written, in walk order.
void CollectMaterialUses(const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts);

}  // namespace quorvel
