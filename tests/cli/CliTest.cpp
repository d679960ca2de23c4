#include "cli/Cli.h"
#include "base/Version.h"
#include "cli/CommandList.h"
#include "results/JsonAnswer.h"

#include "search/Commands.h"
#include "tools/builder/Encoding.h"

#include "tests/support/TempFolder.h"
#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace quorvel::build {
namespace {

class CliTest : public ::testing::Test {
protected:
    TempFolder folder{"cli"};
    std::string out;
    std::string err;

    void SetUp() override
    {
        File herb;
        herb.kind = 3;
        herb.title = build::Sjis("薬草");
        herb.storedId = 40001;
        WriteFile(folder.file("Item1.wid"), Encode(herb));
        File town;
        town.kind = 0;
        town.title = "Town";
        town.events = {Event({Start("b", {Gain(27, 1, 2, 1)}), Start("a", {Gain(34, 1, 0, 2)})})};
        WriteFile(folder.file("Area1.wid"), Encode(town));
    }

    int run(std::vector<std::string> arguments)
    {
        std::ostringstream o, e;
        const int status = RunCli(arguments, o, e);
        out = o.str();
        err = e.str();
        return status;
    }
};

TEST_F(CliTest, JsonAnswerHoldsMessagesNamesAndRowsAsShown)
{
    ASSERT_EQ(run({"--json", "item", folder.path().string()}), 0) << err;
    EXPECT_EQ(out,
              "{\"command\": \"item\", \"messages\": [], \"names\": [{\"name\": \"薬草\", \"rows\": ["
              "[\"Area1.wid\", \"Town\", \"b[1]\", \"b\", \"入手\", \"2:誰か\"], "
              "[\"Area1.wid\", \"Town\", \"b[1]\", \"a\", \"喪失\", \"all:全員\"]]}]}\n");
    EXPECT_TRUE(err.empty());
}

TEST_F(CliTest, TheTextSearchTakesAPatternAndItsOwnOptionsAndRefusesWrongOnes)
{
    ASSERT_EQ(run({"--json", "--in", "title,card", "text", "ｔｏｗ", folder.path().string()}), 0) << err;
    EXPECT_EQ(out,
              "{\"command\": \"text\", \"messages\": [], \"names\": [{\"name\": \"Tow\", \"rows\": ["
              "[\"Area1.wid\", \"\", \"\", \"\", \"エリア名\", \"Town\"]]}]}\n");
    ASSERT_EQ(run({"--json", "--case", "text", "town", folder.path().string()}), 0) << err;
    EXPECT_NE(out.find("\"names\": []"), std::string::npos) << out;

    EXPECT_EQ(run({"text", "", folder.path().string()}), 2);
    EXPECT_EQ(run({"--regex", "text", "a(b", folder.path().string()}), 2);
    EXPECT_NE(err.find("正規表現が正しくありません: 位置 "), std::string::npos) << err;
    EXPECT_EQ(run({"--in", "nothing", "text", "a", folder.path().string()}), 2);
    EXPECT_EQ(run({"--case", "item", folder.path().string()}), 2) << "an option of text only";
    EXPECT_EQ(run({"text", folder.path().string()}), 2);
}

TEST_F(CliTest, SortOrdersEachLinesRowsLikeAColumnClick)
{
    ASSERT_EQ(run({"--json", "--sort", "4", "item", folder.file("Item1.wid")}), 0);
    const auto answer = nlohmann::json::parse(out);
    const auto& rows = answer["names"][0]["rows"];
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], "a");
    EXPECT_EQ(rows[1][3], "b");

    ASSERT_EQ(run({"--json", "--sort", "0", "item", folder.path().string()}), 0);
    EXPECT_EQ(nlohmann::json::parse(out)["names"][0]["rows"][0][3], "b") << "0 keeps filing order";
}

TEST_F(CliTest, AFailedFileIsAMessageAndExitStatusOne)
{
    WriteFile(folder.file("Area2.wid"), std::string("\x09", 1));
    EXPECT_EQ(run({"--json", "item", folder.path().string()}), 1);
    const auto answer = nlohmann::json::parse(out);
    ASSERT_EQ(answer["messages"].size(), 1u);
    EXPECT_EQ(answer["messages"][0]["caption"], "I'm sorry!");
    EXPECT_EQ(answer["messages"][0]["text"], "Area2.widの読み込みに失敗しました");

    EXPECT_EQ(run({"item", folder.path().string()}), 1);
    EXPECT_NE(err.find("Area2.widの読み込みに失敗しました"), std::string::npos);
}

TEST_F(CliTest, PeopleGetNumberedAlignedRows)
{
    ASSERT_EQ(run({"item", folder.path().string()}), 0);
    EXPECT_EQ(out,
              "薬草\n"
              "  1  Area1.wid  Town  b[1]  b  入手  2:誰か\n"
              "  2  Area1.wid  Town  b[1]  a  喪失  all:全員\n");
}

TEST_F(CliTest, WrongUsageAndMissingPathsExitWithTwo)
{
    EXPECT_EQ(run({"item"}), 2);
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(run({"nonsense", folder.path().string()}), 2);
    EXPECT_EQ(run({"--sort", "7", "item", folder.path().string()}), 2);
    EXPECT_EQ(run({"--sort"}), 2);
    EXPECT_EQ(run({"--colour", "item", folder.path().string()}), 2);
    EXPECT_EQ(run({"item", folder.file("nothing-here")}), 2);
    EXPECT_NE(err.find("nothing-here"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << "one line of reason";
    EXPECT_TRUE(out.empty());
}

TEST_F(CliTest, LinkReadsTheOneDataFileItIsGiven)
{
    File hall;
    hall.kind = 0;
    hall.title = "Hall";
    hall.events = {Event({Start("go", {WithText(52, "gone")})})};
    WriteFile(folder.file("Area2.wid"), Encode(hall));
    ASSERT_EQ(run({"--json", "link", folder.file("Area2.wid")}), 0) << err;
    EXPECT_EQ(out,
              "{\"command\": \"link\", \"messages\": [], \"names\": [{\"name\": \"go\", \"rows\": []}, "
              "{\"name\": \"無効なリンク\", \"rows\": [[\"Area2.wid\", \"Hall\", \"go[1]\", \"go\", \"コール\", "
              "\"gone\"]]}]}\n");

    WriteFile(folder.file("Area3.wid"), "\x07");
    EXPECT_EQ(run({"--json", "link", folder.file("Area3.wid")}), 1);
    EXPECT_EQ(nlohmann::json::parse(out)["names"].size(), 0u);
    EXPECT_EQ(nlohmann::json::parse(out)["messages"][0]["text"], "Area3.widの読み込みに失敗しました");

    EXPECT_EQ(run({"link", folder.path().string()}), 2);
    EXPECT_NE(err.find("link needs a data file"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_TRUE(out.empty());
}

TEST_F(CliTest, AnXmlScenarioIsFoundFromItsFolderAnyOfItsFilesOrItsArchive)
{
    const std::string xml = folder.file("xml");
    WriteXmlScenario(xml, DemoSummary(), DemoDataFiles());
    WriteArchive(folder.file("demo.wsn"), EntriesOfFolder(xml));
    ASSERT_EQ(run({"--json", "item", xml}), 0) << err;
    const std::string answer = out;
    EXPECT_NE(answer.find("\"CastCard/Mate1.xml\""), std::string::npos) << answer;
    for (const std::string& path : {xml + "/Summary.xml", xml + "/Area/Area1.xml", folder.file("demo.wsn")}) {
        EXPECT_EQ(run({"--json", "item", path}), 0) << path << err;
        EXPECT_EQ(out, answer) << path;
    }
    EXPECT_EQ(run({"--json", "link", xml + "/Area/Area4.xml"}), 0) << err;
    EXPECT_NE(out.find("\"Area/Area4.xml\""), std::string::npos) << out;

    const std::string onDisk = out;
    EXPECT_EQ(run({"--json", "link", folder.file("demo.wsn"), "Area/Area4.xml"}), 0) << err;
    EXPECT_EQ(out, onDisk) << "an entry of an archive answers as the file on disk";

    EXPECT_EQ(run({"link", folder.file("demo.wsn")}), 2);
    EXPECT_EQ(err, "quorvel-cli: link needs a data file on disk, or an archive and one of its data files\n");
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(run({"link", folder.file("demo.wsn"), "Area/Nowhere.xml"}), 2);
    EXPECT_EQ(err, "quorvel-cli: " + folder.file("demo.wsn") + " holds no data file Area/Nowhere.xml\n");
    EXPECT_EQ(run({"item", folder.file("demo.wsn"), "Area/Area4.xml"}), 2) << "only link takes an entry";
}

TEST_F(CliTest, TextSearchesAnswerForTheFolder)
{
    File town;
    town.kind = 0;
    town.title = "Town";
    Content coupon = WithText(32, "hero");
    coupon.option = 4;
    town.events = {Event({Start("s", {coupon, WithText(61, "news"), WithText(9, "bell")})})};
    WriteFile(folder.file("Area1.wid"), Encode(town));
    const std::pair<const char*, const char*> expected[] = {
        {"coupon", "{\"name\": \"hero\", \"rows\": [[\"Area1.wid\", \"Town\", \"s[1]\", \"s\", \"取得\", \"全体\"]]}"},
        {"gossip", "{\"name\": \"news\", \"rows\": [[\"Area1.wid\", \"Town\", \"s[1]\", \"s\", \"取得\", \"\"]]}"},
        {"sound", "{\"name\": \"bell\", \"rows\": [[\"Area1.wid\", \"Town\", \"s[1]\", \"s\", \"ラッパ\", \"\"]]}"},
    };
    for (const auto& [command, names] : expected) {
        ASSERT_EQ(run({"--json", command, folder.path().string()}), 0) << command;
        EXPECT_EQ(out,
                  std::string("{\"command\": \"") + command + "\", \"messages\": [], \"names\": [" + names + "]}\n");
    }
}

TEST_F(CliTest, ChecksExitWithOneWhenTheyListAnything)
{
    WriteFile(folder.file("Summary.wsm"), EncodeSummary(Summary{}));  // starts in area 1, Town
    EXPECT_EQ(run({"check-start", folder.path().string()}), 0);
    EXPECT_EQ(run({"--json", "check", folder.path().string()}), 0);
    EXPECT_EQ(out,
              "{\"command\": \"check-start\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-branch\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-dialogue\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-undefined\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-unused\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-missing-material\", \"messages\": [], \"names\": []}\n"
              "{\"command\": \"check-unused-material\", \"messages\": [], \"names\": []}\n");
    WriteFile(folder.file("Bgm/unused.OGG"), "music");
    EXPECT_EQ(run({"check-unused-material", folder.path().string()}), 1);
    std::filesystem::remove(folder.file("Bgm/unused.OGG"));

    File hall;
    hall.kind = 0;
    hall.title = "Hall";
    Content talk = Node(40);
    talk.dialogueEntries = {{"", "a"}, {"x", "b"}};
    hall.events = {Event({Start("s", {talk})})};
    WriteFile(folder.file("Area2.wid"), Encode(hall));
    EXPECT_EQ(run({"check-start", folder.path().string()}), 0);
    EXPECT_EQ(run({"check-branch", folder.path().string()}), 0);
    EXPECT_EQ(run({"check-dialogue", folder.path().string()}), 1);
    EXPECT_EQ(run({"check", folder.path().string()}), 1);
    EXPECT_NE(out.find("チェック！"), std::string::npos);

    WriteFile(folder.file("Area3.wid"), "\x07");
    EXPECT_EQ(run({"check-branch", folder.path().string()}), 1) << "a message counts as well";
    EXPECT_EQ(run({"check", folder.file("missing")}), 2);
}

TEST_F(CliTest, VersionAndShortOptions)
{
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out, "quorvel-cli " + std::string(QuorvelVersion) + "\n");
    EXPECT_EQ(run({"-V"}), 0);
    EXPECT_EQ(out, "quorvel-cli " + std::string(QuorvelVersion) + "\n");
    EXPECT_EQ(run({"-h"}), 0);
    EXPECT_TRUE(out.starts_with("usage: quorvel-cli"));
    EXPECT_EQ(run({"-x", "item", folder.path().string()}), 2);
    EXPECT_EQ(run({"--json", "--csv", "item", folder.path().string()}), 2);
}

TEST_F(CliTest, AFolderWithoutScenarioFilesIsRefusedAndOneWithSomeIsSearched)
{
    TempFolder empty{"empty"};
    WriteFile(empty.file("notes.txt"), "not a scenario");
    for (const std::string& path :
         {empty.path().string(), empty.file("notes.txt"), folder.path().parent_path().string()}) {
        EXPECT_EQ(run({"check", path}), 2) << path;
        EXPECT_TRUE(out.empty()) << path;
        EXPECT_NE(err.find("holds no scenario"), std::string::npos) << path;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
    }
    WriteFile(empty.file("Summary.wsm"), "");
    EXPECT_EQ(run({"item", empty.path().string()}), 0) << "a summary alone is a scenario, with nothing in it";
}

TEST_F(CliTest, LinkOnAMissingPathSaysSoLikeEveryCommand)
{
    EXPECT_EQ(run({"link", folder.file("Area9.wid")}), 2);
    EXPECT_EQ(err, "quorvel-cli: no such file or folder: " + folder.file("Area9.wid") + "\n");
    EXPECT_EQ(run({"link", folder.path().string()}), 2);
    EXPECT_NE(err.find("needs a data file"), std::string::npos);
}

TEST_F(CliTest, CsvHasAHeaderALinePerRowAndQuotesWhatNeedsIt)
{
    File odd;
    odd.kind = 0;
    odd.title = "Town, \"old\"";
    odd.events = {Event({Start("line\r\nbreak", {Gain(27, 9, 1, 0)})})};
    WriteFile(folder.file("Area2.wid"), Encode(odd));
    ASSERT_EQ(run({"--csv", "item", folder.path().string()}), 0) << err;
    EXPECT_EQ(out,
              "\xEF\xBB\xBF"  // a byte-order mark, for spreadsheet programs
              "name,filename,イベント所属,先頭スタート名,所属スタート名,種類,値\r\n"
              "薬草,Area1.wid,Town,b[1],b,入手,2:誰か\r\n"
              "薬草,Area1.wid,Town,b[1],a,喪失,all:全員\r\n"
              "未定義,Area2.wid,\"Town, \"\"old\"\"\",\"line\r\nbreak[1]\",\"line\r\nbreak\",入手,1:選択中\r\n");
    ASSERT_EQ(run({"--csv", "--sort", "4", "item", folder.path().string()}), 0);
    EXPECT_NE(out.find("薬草,Area1.wid,Town,b[1],a,喪失"), std::string::npos);
    EXPECT_LT(out.find(",a,喪失"), out.find(",b,入手"));
}

TEST_F(CliTest, EveryCheckAsCsvIsOneTableWhoseFirstColumnNamesTheCheck)
{
    Content branch = Node(14, "r", {Start("x"), Start("x")});
    Content talk = Node(40, "talk");
    talk.dialogueEntries = {{"", "hi"}, {"", "bye"}};
    File hall;
    hall.kind = 0;
    hall.title = "Hall";
    hall.events = {Event({Start("s", {branch, talk, WithText(1, "nowhere")})})};
    hall.storedId = 40002;
    WriteFile(folder.file("Area2.wid"), Encode(hall));
    WriteFile(folder.file("Summary.wsm"), EncodeSummary(Summary{}));
    ASSERT_EQ(run({"--csv", "check", folder.path().string()}), 1) << err;
    EXPECT_EQ(out,
              "\xEF\xBB\xBF"
              "チェック,name,filename,イベント所属,先頭スタート名,所属スタート名,種類,値\r\n"
              "スタートコンテント,nowhere,Area2.wid,Hall,s[1],s,リンク,nowhere\r\n"
              "分岐チェック,チェック！,Area2.wid,Hall,s[1],s,ランダム分岐,\r\n"
              "台詞称号抜け,チェック！,Area2.wid,Hall,s[1],s,台詞,hi\r\n"
              "未使用の定義,エリア: 2 Hall,Area2.wid,Hall,,,定義,\r\n");
}

TEST_F(CliTest, HelpListsEveryCommand)
{
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* command :
         {"check-start", "check-branch", "check-dialogue", "check", "flag", "step", "coupon", "gossip", "item", "skill",
          "info", "beast", "package", "area", "battle", "link", "sound"})
        EXPECT_NE(out.find(std::string("  ") + command + " "), std::string::npos) << command;
}

// The commands the installed man page lists, as (name, what it answers).
std::vector<std::pair<std::string, std::string>> manPageCommands()
{
    std::ifstream page(QUORVEL_MAN_PAGE);
    std::vector<std::string> lines;
    for (std::string line; std::getline(page, line);) {
        for (std::size_t at; (at = line.find("\\-")) != std::string::npos;)
            line.erase(at, 1);
        lines.push_back(line);
    }
    std::vector<std::pair<std::string, std::string>> listed;
    const auto section = std::find(lines.begin(), lines.end(), ".SH COMMANDS");
    for (auto at = section; at != lines.end() && at + 2 < lines.end(); ++at) {
        if (at != section && at->starts_with(".SH"))
            break;
        if (*at == ".TP" && at[1].starts_with(".B "))
            listed.emplace_back(at[1].substr(3), at[2]);
    }
    return listed;
}

TEST(ManPage, ListsEveryCommandOfTheTableInMenuOrder)
{
    std::vector<std::pair<std::string, std::string>> table;
    for (const Command& command : Commands())
        table.emplace_back(command.name, command.answers);
    std::vector<std::pair<std::string, std::string>> listed = manPageCommands();
    ASSERT_EQ(listed.size(), table.size() + 2) << "every command, " << TextCommand << " and " << CheckAll;
    EXPECT_EQ(listed.back().first, CheckAll);
    listed.pop_back();
    EXPECT_EQ(listed.back().first, TextCommand);
    listed.pop_back();
    EXPECT_EQ(listed, table);
}

}  // namespace
}  // namespace quorvel::build
