#pragma once

#include "results/JsonAnswer.h"
#include "search/Commands.h"

#include "tests/support/RecordingSink.h"

#include <sstream>
#include <string>

namespace quorvel::build {

// A command's answer over a source as `quorvel-cli --json` writes it.
inline std::string AnswerJson(const ScenarioSource& source, const Command& command, int column = 0)
{
    Answer answer;
    RecordingSink sink;
    const TargetWordTable targets = DefaultTargetWords();
    SearchContext context{source, answer, sink, targets};
    RunCommand(command, context);
    MessageList messages;
    for (const auto& [text, caption] : sink.messages)
        messages.push_back({text, caption});
    std::ostringstream out;
    WriteJsonAnswer(out, command.name, messages, answer, RowOrder{column}, 1);
    return out.str();
}

}  // namespace quorvel::build
