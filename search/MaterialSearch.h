#pragma once

#include "search/SearchContext.h"

namespace quorvel {

// Lists every file path the scenario's contents, cards and cells name
// (sounds, music, images), as written, in sorted order; under each, every
// place that names it, with the kind word of the field. Paths the engine
// takes as no file (NamesNoFile) are left out.
void SearchMaterials(SearchContext& context);

}  // namespace quorvel
