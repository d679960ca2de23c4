#include "search/FlagStepSearch.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/SummaryBuilder.h"

namespace quorvel::build {
namespace {
using Rows = std::vector<std::string>;

Content flagChange(const std::string& flag, std::int8_t value)
{
    Content change = WithText(16, flag);
    change.option = value;
    return change;
}

Content stepChange(const std::string& step, std::int32_t value)
{
    Content change = WithText(18, step);
    change.number = value;
    return change;
}

class FlagStepSearchTest : public ScenarioTest {
protected:
    void SetUp() override
    {
        Summary summary;
        summary.steps = {{"phase", {"p0", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p9"}}};
        summary.flags = {{"door", "open", "shut"}, {"lamp", "lit", "dark"}, {"unused", "a", "b"}};
        addBytes("Summary.wsm", EncodeSummary(summary));

        Content background = Node(8);
        background.cells.resize(3);
        background.cells[1].flag = "lamp";
        background.cells[2].flag = "door";
        File town = dataFile(0, "Town");
        town.events = {Event({Start("S",
                                    {WithText(15, "door"), flagChange("door", 1), flagChange("door", 0),
                                     flagChange("door", 2), WithText(43, "lamp"), WithText(65, "ghost"), background,
                                     flagChange("ghost", 1), stepChange("phase", 0), stepChange("phase", 9),
                                     stepChange("phase", 12), WithText(41, "phase"), WithText(17, "nostep")}),
                              Start("T", {Node(0, "", {WithText(15, "lamp")})})})};
        Card gate;
        gate.name = "Gate";
        gate.flag = "door";
        gate.events = {Event({Start("Talk", {WithText(15, "lamp")})})};
        town.cards = {gate};
        town.cells.resize(2);
        town.cells[0].flag = "lamp";
        add("Area1.wid", town);

        File battle = dataFile(1, "Fight");
        Card enemy;
        enemy.flag = "door";
        battle.cards = {enemy};
        add("Battle1.wid", battle);
    }
};

TEST_F(FlagStepSearchTest, FlagsListEveryDeclaredNameWithContentsCardsAndCells)
{
    SearchFlagStep(context(), SummarySection::Flags);
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(leftLines(), (Rows{"door", "lamp", "unused", "未定義"}));
    EXPECT_EQ(rowsOf("door"),
              (Rows{
                  "Area1.wid|Town|S[1]|S|分岐|",
                  "Area1.wid|Town|S[1]|S|変更|open",
                  "Area1.wid|Town|S[1]|S|変更|shut",
                  "Area1.wid|Town|S[1]|S|変更|shut",
                  "Area1.wid|Town|S[1]|S|背景変更[2]|",
                  "Area1.wid|Gate[1]|||カードフラグ|",
                  "Battle1.wid|エネミーカード[1]|||カードフラグ|",
              }));
    EXPECT_EQ(rowsOf("lamp"),
              (Rows{
                  "Area1.wid|Town|S[1]|T|分岐|",
                  "Area1.wid|Town|S[1]|S|反転|",
                  "Area1.wid|Town|S[1]|S|背景変更[1]|",
                  "Area1.wid|Gate[1]|Talk[1]|Talk|分岐|",
                  "Area1.wid|Town|||エリアセル[0]|",
              }));
    EXPECT_TRUE(rowsOf("unused").empty());
    EXPECT_EQ(rowsOf("未定義"), (Rows{"Area1.wid|Town|S[1]|S|変更|未定義", "Area1.wid|Town|S[1]|S|判定|"}));
}

TEST_F(FlagStepSearchTest, StepsShowTheirValueNamesAndIgnoreFlagsCardsAndCells)
{
    SearchFlagStep(context(), SummarySection::Steps);
    ASSERT_EQ(leftLines(), (Rows{"phase", "未定義"}));
    EXPECT_EQ(rowsOf("phase"),
              (Rows{
                  "Area1.wid|Town|S[1]|S|変更|p0",
                  "Area1.wid|Town|S[1]|S|変更|p9",
                  "Area1.wid|Town|S[1]|S|変更|12",
                  "Area1.wid|Town|S[1]|S|増加|",
              }));
    EXPECT_EQ(rowsOf("未定義"), (Rows{"Area1.wid|Town|S[1]|S|多岐分岐|"}));
}

TEST_F(FlagStepSearchTest, ThousandsOfNamesKeepTheRulesOfAFew)
{
    Summary summary;
    for (int i = 0; i < 3000; ++i)
        summary.flags.push_back({"f" + std::to_string(i), "on" + std::to_string(i), "off"});
    summary.flags.push_back({"f7", "again", "off"});  // declared twice: the later one stands first
    addBytes("Summary.wsm", EncodeSummary(summary));
    std::vector<Content> uses;
    for (int i = 0; i < 40; ++i)
        uses.push_back(flagChange(i % 2 ? "f" + std::to_string(i) : "ghost" + std::to_string(i), 1));
    uses.push_back(flagChange("f7", 1));
    add("Area1.wid", dataFile(0, "Town", {Event({Start("S", uses)})}));
    add("Battle1.wid", dataFile(1, "Fight"));
    SearchFlagStep(context(), SummarySection::Flags);
    const Rows lines = leftLines();
    ASSERT_EQ(lines.size(), 3002u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "未定義"), 1) << "未定義 is added once";
    EXPECT_EQ(rowsOf("未定義").size(), 20u);
    EXPECT_EQ(rowsOf("f7"), (Rows{"Area1.wid|Town|S[1]|S|変更|again", "Area1.wid|Town|S[1]|S|変更|again"}));
    EXPECT_EQ(rowsOf("f39"), (Rows{"Area1.wid|Town|S[1]|S|変更|on39"}));
}

TEST_F(FlagStepSearchTest, ASummaryThatCannotBeReadListsNothing)
{
    addBytes("Summary.wsm", "short");
    SearchFlagStep(context(), SummarySection::Flags);
    EXPECT_EQ(sink.messages, (Messages{{"Summary.wsmの読み込みに失敗しました", "I'm sorry!"}}));
    EXPECT_TRUE(answer.leftLines().empty());
}

}  // namespace
}  // namespace quorvel::build
