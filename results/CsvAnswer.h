#pragma once

#include "results/Answer.h"

#include <iosfwd>

namespace quorvel {

// Writes a command's answer as CSV (RFC 4180: UTF-8, CRLF line ends, fields
// quoted where they hold a comma, a quote or a line break): a header line,
// then each name of the left list in order, a line per row with the name
// and the row's six texts as the window shows them, or a line of the name
// alone when it has no rows. Rows stand in `order`.
void WriteCsvAnswer(std::ostream& out, const Answer& answer, const RowOrder& order);

}  // namespace quorvel
