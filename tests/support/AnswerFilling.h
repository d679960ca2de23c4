#pragma once

#include "results/Answer.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace quorvel::build {

// Fills an answer with lines (keys and shown names alike, unsorted) and,
// under each, rows whose file column is the given text and whose other
// columns are fixed.
inline void FillAnswer(Answer& answer, const std::vector<std::string>& lines,
                       const std::vector<std::vector<std::string>>& filesOfRows)
{
    answer.clear();
    answer.index.setMode(TableMode::Unsorted);
    for (std::size_t line = 0; line < lines.size(); ++line) {
        const EntryId entry = answer.index.add(Text::Unicode(std::to_string(line)));
        answer.addLeftLine(Text::Unicode(lines[line]));
        for (const std::string& file : line < filesOfRows.size() ? filesOfRows[line] : std::vector<std::string>())
            answer.index.fileKeptRow(
                entry,
                HitRow{answer.index.texts().keepRow(
                    {Text::Unicode(file), Word("event"), Word("head[1]"), Word("start"), Word("k"), Word("")})});
    }
}

}  // namespace quorvel::build
