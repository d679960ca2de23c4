#pragma once

#include "search/Summary.h"

#include <optional>

namespace quorvel {

// Reads the wanted section of a Summary.wsm of the classic format: each
// declared name (its bytes before the first zero byte) with its value
// names (2 for a flag, 10 for a step, each kept whole). The other section
// is passed over record by record. Nothing when the bytes are not a summary
// of this format.
std::optional<Summary> ReadClassicSummary(FileBytes bytes, SummarySection section);

// Reads the wanted section of a Summary.xml: the flags of Flags/Flag (their
// Name, value names True then False) or the steps of Steps/Step (their
// Name, value names every child whose name begins with "Value", in document
// order), in document order. Nothing when the bytes are not well-formed.
std::optional<Summary> ReadXmlSummary(FileBytes bytes, SummarySection section);

}  // namespace quorvel
