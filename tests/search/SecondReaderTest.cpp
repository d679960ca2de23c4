#include "search/Commands.h"
#include "search/FolderSource.h"

#include "tests/support/AnswerJson.h"
#include "tests/support/DescribedScenario.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvel::build {
namespace {

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
                const std::string fromBytes = AnswerJson(classic, command, column, file);
                EXPECT_EQ(AnswerJson(described, command, column, file), fromBytes) << command.name << " " << file;
                EXPECT_EQ(fromBytes.find("の読み込みに失敗しました"), std::string::npos);
                ++compared;
            }
    }
    EXPECT_GT(compared, 40u) << "every command, the link search on every data file";
}

}  // namespace
}  // namespace quorvel::build
