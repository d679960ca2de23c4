#pragma once

#include "results/TextStore.h"

#include <array>

namespace quorvel {

// One result row: file name, event, head start name, owning start name,
// kind word, value. The texts are kept by the answer holding the row.
struct HitRow {
    std::array<KeptText, RowTextCount> texts;
};

}  // namespace quorvel
