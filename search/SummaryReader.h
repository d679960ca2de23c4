#pragma once

#include "search/Summary.h"

#include <optional>

namespace quorvel {

// Reads the wanted sections of a Summary.wsm of the classic format: each
// declared name (its bytes before the first zero byte) with its value
// names (2 for a flag, 10 for a step, each kept whole). A section not
// wanted is passed over record by record; the format has no variants. Nothing when the bytes are not a summary
// of this format.
std::optional<Summary> ReadClassicSummary(FileBytes bytes, SummarySections sections);

// Reads the wanted sections of a Summary.xml: the flags of Flags/Flag (their
// Name, value names True then False), the steps of Steps/Step (their Name,
// value names every child whose name begins with "Value", in document
// order), the variants of Variants/Variant (their Name), in document order. Nothing when the bytes are not well-formed.
std::optional<Summary> ReadXmlSummary(FileBytes bytes, SummarySections sections);

}  // namespace quorvel
