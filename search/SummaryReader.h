#pragma once

#include "results/ResultIndex.h"
#include "search/SearchContext.h"

#include <cstdint>
#include <span>

namespace quorvel {

// The two sections of Summary.wsm the flag and step search reads.
enum class SummarySection { Flags = 0, Steps = 1 };

// Reads the wanted section of the bytes of a Summary.wsm: one entry per
// declared name added to the index (no rows), which is in sorted mode, and
// its value names (2 for a flag, 10 for a step, each kept whole) in the
// value-name table, which holds those of this read alone. The other section
// is passed over record by record. False when the bytes are not a summary
// of this format; entries read before the failure stay.
bool ReadSummaryBytes(std::span<const std::uint8_t> bytes, SummarySection section, ResultIndex& index,
                      ValueNameTable& valueNames);

// Reads the section from the scenario's one Summary.wsm (its name matched
// without regard to case). On failure the user is told
// "Summary.wsmの読み込みに失敗しました" and false is returned.
bool ReadSummary(SearchContext& context, SummarySection section);

}  // namespace quorvel
