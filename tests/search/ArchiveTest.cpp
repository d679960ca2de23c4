#include "search/ArchiveTree.h"
#include "search/Commands.h"
#include "search/Scenarios.h"
#include "search/TreeSource.h"

#include "tests/support/AnswerJson.h"
#include "tests/support/TempFolder.h"
#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/Encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quorvel::build {
namespace {

// The demo scenario and a file whose name is Japanese.
std::vector<NamedFile> filesWithAJapaneseName()
{
    std::vector<NamedFile> files = DemoDataFiles();
    NamedFile harbour = files.front();
    harbour.name = "Area港町.wid";
    harbour.file.storedId += 50;
    files.push_back(harbour);
    return files;
}

std::vector<std::string> dataFilesOf(const ScenarioSource& source)
{
    return source.dataFiles(EveryFileKind);
}

// Every folder command answers the archive as it answers the folder the
// archive was made of.
void expectSameAnswers(const std::string& folder, const std::string& archive)
{
    const std::unique_ptr<ScenarioSource> onDisk = ScenarioAt(folder);
    const std::unique_ptr<ScenarioSource> packed = ScenarioAt(archive);
    ASSERT_TRUE(packed && packed->holdsScenario()) << archive;
    EXPECT_EQ(dataFilesOf(*packed), dataFilesOf(*onDisk)) << archive;
    for (const Command& command : Commands()) {
        if (command.runOnFile)
            continue;
        EXPECT_EQ(AnswerJson(*packed, command), AnswerJson(*onDisk, command)) << archive << " " << command.name;
    }
}

// The scenario lies in a sub-folder, beside a file at the top and below a
// deeper folder holding a summary of its own.
std::vector<ArchiveEntry> inSubFolder(const std::string& folder, const std::string& prefix = "./シナリオ/")
{
    std::vector<ArchiveEntry> entries = EntriesOfFolder(folder, prefix);
    entries.insert(entries.begin(), {"readme.txt", "about"});
    entries.push_back({prefix + "old/Summary.wsm", "not this one"});
    return entries;
}

TEST(Archive, EveryFormatAndNameEncodingAnswersAsTheFolderDoes)
{
    const TempFolder temp("archives");
    const std::string classic = temp.file("classic");
    const std::string xml = temp.file("xml");
    WriteClassicScenario(classic, DemoSummary(), filesWithAJapaneseName());
    WriteXmlScenario(xml, DemoSummary(), filesWithAJapaneseName());

    WriteArchive(temp.file("classic.zip"), inSubFolder(classic));
    expectSameAnswers(classic, temp.file("classic.zip"));
    WriteArchive(temp.file("classic.7z.zip"), inSubFolder(classic), ArchiveFormat::SevenZip);
    expectSameAnswers(classic, temp.file("classic.7z.zip"));
    std::vector<ArchiveEntry> shiftJisNames = inSubFolder(classic);
    for (ArchiveEntry& entry : shiftJisNames)
        entry.name = Sjis(entry.name);
    WriteArchive(temp.file("shift-jis.ZIP"), shiftJisNames, ArchiveFormat::Zip, NameMarking::Unmarked);
    expectSameAnswers(classic, temp.file("shift-jis.ZIP"));

    WriteArchive(temp.file("xml.wsn"), EntriesOfFolder(xml));
    expectSameAnswers(xml, temp.file("xml.wsn"));
    WriteArchive(temp.file("xml-sub.wsn"), inSubFolder(xml));
    expectSameAnswers(xml, temp.file("xml-sub.wsn"));
}

TEST(Archive, CabAndLzhMadeByWindowsToolsAnswerAsTheFolderDoes)
{
    const TempFolder temp("cab-lzh");
    const std::string classic = temp.file("classic");
    WriteClassicScenario(classic, DemoSummary(), filesWithAJapaneseName());
    const std::string script = std::string(QUORVEL_SOURCE_DIR) + "/tests/support/make-cab-and-lzh";
    ASSERT_EQ(std::system((script + " '" + classic + "' '" + temp.file("packed") + "'").c_str()), 0);
    expectSameAnswers(classic, temp.file("packed.cab"));
    expectSameAnswers(classic, temp.file("packed.lzh"));
}

TEST(Archive, EntriesThatLeaveTheFolderAreHiddenOrAreLinksAreLeftOut)
{
    const TempFolder temp("unsafe-entries");
    const std::string area = Encode(DemoDataFiles().front().file);
    WriteArchive(temp.file("unsafe.zip"),
                 {
                     {"Summary.wsm", EncodeSummary(DemoSummary())},
                     {"Area1.wid", area},
                     {"../Area2.wid", area},
                     {"/Area3.wid", area},
                     {"sub/../../Area4.wid", area},
                     {"Area5.wid", "Area1.wid", ArchiveEntry::Type::SymbolicLink},
                     {".Area6.wid", area},
                     {"Area7.wid/", "", ArchiveEntry::Type::Folder},
                 });
    const std::unique_ptr<ScenarioSource> source = ScenarioAt(temp.file("unsafe.zip"));
    EXPECT_EQ(dataFilesOf(*source), std::vector<std::string>{"Area1.wid"});
    EXPECT_TRUE(source->openDataFile("Area1.wid"));
    EXPECT_FALSE(source->openDataFile("../Area2.wid"));
    EXPECT_FALSE(std::filesystem::exists(temp.path().parent_path() / "Area2.wid")) << "nothing is unpacked";
}

// The messages of a command that reads every file with events once.
Messages messagesOfDialogueCheck(const std::string& archive, ArchiveLimits limits)
{
    TreeSource source(ArchiveFolderTree(archive, limits));
    Answer answer;
    RecordingSink sink;
    const TargetWordTable targets = DefaultTargetWords();
    SearchContext context{source, answer, sink, targets};
    RunCommand(*FindCommand("check-dialogue"), context);
    return sink.messages;
}

TEST(Archive, AnEntryOrAnArchiveTooLargeUncompressedIsNotReadAndNamed)
{
    const TempFolder temp("limits");
    File item = DemoDataFiles()[9].file;
    ASSERT_EQ(item.kind, 3);
    const std::string small = Encode(item);
    item.body.blockLength = 200 << 10;  // ten blocks of zeros: two MiB, a few KiB packed
    WriteArchive(temp.file("bomb.zip"),
                 {{"Item1.wid", small}, {"Item2.wid", Encode(item)}, {"Item3.wid", small}, {"Item4.wid", small}});
    ASSERT_LT(std::filesystem::file_size(temp.file("bomb.zip")), 64u << 10);

    EXPECT_EQ(messagesOfDialogueCheck(temp.file("bomb.zip"), {}), Messages{});
    const Messages tooLarge{{"Item2.widの読み込みに失敗しました", "I'm sorry!"}};
    EXPECT_EQ(messagesOfDialogueCheck(temp.file("bomb.zip"), {.entry = 1 << 20}), tooLarge);
    const Messages pastTheTotal{{"Item2.widの読み込みに失敗しました", "I'm sorry!"},
                                {"Item4.widの読み込みに失敗しました", "I'm sorry!"}};
    EXPECT_EQ(messagesOfDialogueCheck(temp.file("bomb.zip"), {.entry = 1 << 20, .total = 2 * small.size() + 1}),
              pastTheTotal);
}

TEST(Archive, AnArchiveThatCannotBeReadIsOneMessageAndNothingElse)
{
    const TempFolder temp("unreadable");
    WriteFile(temp.file("broken.wsn"), "PK\x03\x04 this is no archive");
    const Messages expected{{"broken.wsnの読み込みに失敗しました", "I'm sorry!"}};
    for (const char* command : {"item", "flag", "check-start"}) {
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(temp.file("broken.wsn"));
        ASSERT_TRUE(source->holdsScenario());
        Answer answer;
        RecordingSink sink;
        const TargetWordTable targets = DefaultTargetWords();
        SearchContext context{*source, answer, sink, targets};
        RunCommand(*FindCommand(command), context);
        EXPECT_EQ(sink.messages, expected) << command;
        EXPECT_TRUE(answer.leftLines().empty()) << command;
    }
}

// A zip is read by its central directory: any cut of one (a download cut
// short) cannot be read at all, not read up to the cut.
TEST(Archive, EveryCutOfAnArchiveCannotBeReadAndAnswersOneMessage)
{
    const TempFolder temp("cut-archive");
    WriteArchive(temp.file("whole.zip"),
                 {{"Summary.wsm", EncodeSummary(DemoSummary())}, {"Area1.wid", Encode(DemoDataFiles().front().file)}});
    std::ifstream in(temp.file("whole.zip"), std::ios::binary);
    const std::string whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Command& flag = *FindCommand("flag");
    for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
        WriteFile(temp.file("cut.zip"), whole.substr(0, cut));
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(temp.file("cut.zip"));
        EXPECT_EQ(
            AnswerJson(*source, flag),
            R"({"command": "flag", "messages": [{"caption": "I'm sorry!", "text": "cut.zipの読み込みに失敗しました"}], "names": []}
)") << cut;
    }
}

}  // namespace
}  // namespace quorvel::build
