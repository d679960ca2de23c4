#pragma once

#include "results/JsonAnswer.h"
#include "search/Commands.h"

#include "tests/support/RecordingSink.h"

#include <optional>
#include <sstream>
#include <string>

namespace quorvel::build {

// A command's answer over a source as `quorvel-cli --json` writes it, rows
// sorted by `column`; the link search reads `dataFile` when one is given.
inline std::string AnswerJson(const ScenarioSource& source, const Command& command, int column = 0,
                              const std::optional<std::string>& dataFile = std::nullopt)
{
    Answer answer;
    RecordingSink sink;
    const TargetWordTable targets = DefaultTargetWords();
    SearchContext context{source, answer, sink, targets};
    if (command.runOnFile && dataFile)
        command.runOnFile(context, *dataFile);
    else
        RunCommand(command, context);
    MessageList messages;
    for (const auto& [text, caption] : sink.messages)
        messages.push_back({text, caption});
    std::ostringstream out;
    WriteJsonAnswer(out, command.name, messages, answer, RowOrder{column}, 1);
    return out.str();
}

}  // namespace quorvel::build
