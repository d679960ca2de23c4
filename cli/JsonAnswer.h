#pragma once

#include "results/ResultsPanel.h"

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// Message boxes a command raised: text and caption, UTF-8.
using MessageList = std::vector<std::pair<std::string, std::string>>;

// Writes a command's answer as one JSON object on one line,
//   {"command": ..., "messages": [{"caption": ..., "text": ...}], "names": [{"name": ..., "rows": [[...]]}]}
// name by name and row by row, as it goes. Each text is what the window
// shows: the shown form its answer keeps.
// `sortColumn` 1..6 orders each name's rows as a click on that column would.
// Runs of names are made ready on up to `workers` threads.
// `descending` turns that order round, as a second click on the column does.
void WriteJsonAnswer(std::ostream& out, const std::string& command, const MessageList& messages,
                     const ResultsPanel& results, int sortColumn, unsigned workers, bool descending = false);

// The rows of entry `line` in the order the window shows them sorted by
// column `sortColumn` (0 keeps filing order), ascending unless `descending`.
std::vector<const HitRow*> RowsInShownOrder(const ResultsPanel& results, int line, int sortColumn,
                                            bool descending = false);

}  // namespace quorvel
