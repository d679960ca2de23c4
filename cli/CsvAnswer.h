#pragma once

#include "results/ResultsPanel.h"

#include <iosfwd>

namespace quorvel {

// Writes a command's answer as CSV (RFC 4180: UTF-8, CRLF line ends, fields
// quoted where they hold a comma, a quote or a line break): a header line,
// then each name of the left list in order, a line per row with the name
// and the row's six texts as the window shows them, or a line of the name
// alone when it has no rows. Rows stand in the order a sort by
// `sortColumn` gives (0: filing order), ascending unless `descending`.
void WriteCsvAnswer(std::ostream& out, const ResultsPanel& results, int sortColumn, bool descending = false);

}  // namespace quorvel
