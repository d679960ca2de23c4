#pragma once

#include "results/Answer.h"
#include "results/Messages.h"

#include <iosfwd>
#include <string>

namespace quorvel {

// Writes a command's answer as one JSON object on one line,
//   {"command": ..., "messages": [{"caption": ..., "text": ...}], "names": [{"name": ..., "rows": [[...]]}]}
// name by name and row by row, as it goes. Each text is what the window
// shows: the shown form its answer keeps.
// Each name's rows stand in `order`. Runs of names are made ready on up to
// `workers` threads.
void WriteJsonAnswer(std::ostream& out, const std::string& command, const MessageList& messages, const Answer& answer,
                     const RowOrder& order, unsigned workers);

}  // namespace quorvel
