#include "results/JsonAnswer.h"
#include "search/Commands.h"
#include "search/FolderSource.h"

#include "tests/support/DescribedScenario.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvel::build {
namespace {

// A command's whole answer as quorvel-cli --json prints it, rows sorted by `column`.
std::string answerOf(const ScenarioSource& source, const Command& command, const std::string& dataFile, int column)
{
    Answer answer;
    RecordingSink sink;
    const TargetWordTable targets = DefaultTargetWords();
    SearchContext context{source, answer, sink, targets};
    if (command.runOnFile)
        command.runOnFile(context, dataFile);
    else
        command.run(context);
    MessageList messages;
    for (const auto& [text, caption] : sink.messages)
        messages.push_back({text, caption});
    std::ostringstream out;
    WriteJsonAnswer(out, command.name, messages, answer, RowOrder{column}, 1);
    return out.str();
}

TEST(SecondReader, EveryCommandAnswersADescribedScenarioAsItAnswersItsClassicFiles)
{
    const TempFolder folder("described");
    WriteFile(folder.file("Summary.wsm"), EncodeSummary(DemoSummary()));
    for (const NamedFile& file : DemoDataFiles())
        WriteFile(folder.file(file.name), Encode(file.file));
    const FolderSource classic(folder.path().string());
    const DescribedScenario described(DemoDataFiles(), DemoSummary());

    std::size_t compared = 0;
    for (const Command& command : Commands()) {
        const std::vector<std::string> files
            = command.runOnFile ? classic.dataFiles(UsePassKinds) : std::vector<std::string>{""};
        for (const std::string& file : files)
            for (const int column : {0, 4}) {
                const std::string fromBytes = answerOf(classic, command, file, column);
                EXPECT_EQ(answerOf(described, command, file, column), fromBytes) << command.name << " " << file;
                EXPECT_EQ(fromBytes.find("の読み込みに失敗しました"), std::string::npos);
                ++compared;
            }
    }
    EXPECT_GT(compared, 40u) << "every command, the link search on every data file";
}

}  // namespace
}  // namespace quorvel::build
