// The searches and checks over the contents the later revisions of the
// format add: substitutes, comparisons, step checks, coupon evaluations,
// the new branches, and text and colour cells.

#include "search/BranchCheck.h"
#include "search/FlagStepSearch.h"
#include "search/TextSearch.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/SummaryBuilder.h"

#include <limits>

namespace quorvel::build {
namespace {

using Rows = std::vector<std::string>;

Content twoNames(std::uint8_t kind, const std::string& first, const std::string& second)
{
    Content content = WithText(kind, first);
    content.text2 = second;
    return content;
}

Content stepCheck(const std::string& step, std::int32_t value, std::int8_t comparison)
{
    Content check = WithText(72, step);
    check.number = value;
    check.option = comparison;
    return check;
}

Cell typedCell(std::uint8_t type, const std::string& flag)
{
    Cell cell;
    cell.numbers[2] = 60000;
    cell.type = type;
    cell.text = "words";
    cell.flag = flag;
    return cell;
}

class LaterKindsSearchTest : public ScenarioTest {
protected:
    void declare(std::vector<FlagDeclaration> flags)
    {
        Summary summary;
        summary.steps = {{"day", {"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8", "d9"}}};
        summary.flags = std::move(flags);
        addBytes("Summary.wsm", EncodeSummary(summary));
    }

    void town(std::vector<Content> contents)
    {
        File area = dataFile(0, "Town", {Event({Start("S", std::move(contents))})});
        add("Area1.wid", area);
    }
};

TEST_F(LaterKindsSearchTest, FlagSubstitutesAndComparisonsFileARowUnderEachName)
{
    declare({{"door", "open", "shut"}, {"lamp", "lit", "dark"}});
    town({twoNames(69, "door", "ghost"), twoNames(67, "door", "lamp"), twoNames(67, "??Random", "lamp"),
          twoNames(67, "ghost", "door"), twoNames(66, "door", "lamp"), twoNames(68, "door", "lamp")});
    SearchFlagStep(context(), SummarySection::Flags);
    ASSERT_EQ(leftLines(), (Rows{"door", "lamp", "未定義"}));
    EXPECT_EQ(rowsOf("door"),
              (Rows{"Area1.wid|Town|S[1]|S|代入元|lamp", "Area1.wid|Town|S[1]|S|代入先|ghost",
                    "Area1.wid|Town|S[1]|S|比較分岐|ghost"}));
    EXPECT_EQ(rowsOf("lamp"), (Rows{"Area1.wid|Town|S[1]|S|代入先|door", "Area1.wid|Town|S[1]|S|代入先|??Random"}));
    EXPECT_EQ(rowsOf("未定義"), (Rows{"Area1.wid|Town|S[1]|S|代入元|door", "Area1.wid|Town|S[1]|S|比較分岐|door"}))
        << "the undeclared random source files nothing";
}

TEST_F(LaterKindsSearchTest, ARandomSourceTheSummaryDeclaresFilesItsRow)
{
    declare({{"lamp", "lit", "dark"}, {"??Random", "", ""}});
    town({twoNames(67, "??Random", "lamp")});
    SearchFlagStep(context(), SummarySection::Flags);
    ASSERT_EQ(leftLines(), (Rows{"??Random", "lamp"}));
    EXPECT_EQ(rowsOf("??Random"), (Rows{"Area1.wid|Town|S[1]|S|代入元|lamp"}));
    EXPECT_EQ(rowsOf("lamp"), (Rows{"Area1.wid|Town|S[1]|S|代入先|??Random"}));
}

TEST_F(LaterKindsSearchTest, TextAndColourCellsCarryFlagsLikeAnyCell)
{
    declare({{"lamp", "lit", "dark"}});
    Content background = Node(8);
    background.cells = {typedCell(2, "lamp"), typedCell(3, "lamp")};
    File area = dataFile(0, "Town", {Event({Start("S", {background})})});
    area.cells = {typedCell(3, "lamp")};
    add("Area1.wid", area);
    SearchFlagStep(context(), SummarySection::Flags);
    EXPECT_EQ(rowsOf("lamp"),
              (Rows{"Area1.wid|Town|S[1]|S|背景変更[0]|", "Area1.wid|Town|S[1]|S|背景変更[1]|",
                    "Area1.wid|Town|||エリアセル[0]|"}));
}

TEST_F(LaterKindsSearchTest, StepSubstitutesComparisonsAndChecks)
{
    declare({});
    town({stepCheck("day", 0, 0), stepCheck("day", 9, 1), stepCheck("day", 12, 2), stepCheck("day", 3, 3),
          stepCheck("day", 4, 7), stepCheck("night", 1, 0), twoNames(68, "day", "night"), twoNames(66, "night", "day"),
          twoNames(67, "day", "day"), twoNames(66, "??Random", "day")});
    SearchFlagStep(context(), SummarySection::Steps);
    ASSERT_EQ(leftLines(), (Rows{"day", "未定義"}));
    EXPECT_EQ(rowsOf("day"),
              (Rows{"Area1.wid|Town|S[1]|S|代入先|night", "Area1.wid|Town|S[1]|S|代入先|??Random",
                    "Area1.wid|Town|S[1]|S|比較分岐|night", "Area1.wid|Town|S[1]|S|判定|＝d0",
                    "Area1.wid|Town|S[1]|S|判定|≠d9", "Area1.wid|Town|S[1]|S|判定|＞12",
                    "Area1.wid|Town|S[1]|S|判定|＜d3", "Area1.wid|Town|S[1]|S|判定|d4"}));
    EXPECT_EQ(rowsOf("未定義"),
              (Rows{"Area1.wid|Town|S[1]|S|代入元|day", "Area1.wid|Town|S[1]|S|比較分岐|day",
                    "Area1.wid|Town|S[1]|S|判定|＝未定義"}));
}

TEST_F(LaterKindsSearchTest, TheSmallestStepValueIsAValueLikeAnyOther)
{
    declare({});
    Content declared = WithText(18, "day");
    declared.number = std::numeric_limits<std::int32_t>::min();
    Content undeclared = WithText(18, "night");
    undeclared.number = std::numeric_limits<std::int32_t>::min();
    town({declared, undeclared, stepCheck("day", std::numeric_limits<std::int32_t>::min(), 0)});
    SearchFlagStep(context(), SummarySection::Steps);
    EXPECT_EQ(rowsOf("day"),
              (Rows{"Area1.wid|Town|S[1]|S|変更|-2147483648", "Area1.wid|Town|S[1]|S|判定|＝-2147483648"}));
    EXPECT_EQ(rowsOf("未定義"), (Rows{"Area1.wid|Town|S[1]|S|変更|未定義"}));
}

Content scored(std::vector<CouponScore> scores)
{
    Content talk = Node(40);
    talk.option = 3;
    talk.couponScores = std::move(scores);
    return talk;
}

TEST_F(LaterKindsSearchTest, CouponsOfAnEvaluationButNotItsStartingScore)
{
    Content bareStart = scored({{"", 7, false}, {"hero", -3}});
    Content notScored = scored({{"hero", 99}});
    notScored.option = 1;  // another speaker: no evaluation
    town({scored({{"", 50}, {"hero", 10}, {"", -5}}), WithText(32, "hero"), bareStart, notScored});
    SearchTextUses(context(), CouponUses);
    ASSERT_EQ(leftLines(), (Rows{"", "hero"}));
    EXPECT_EQ(rowsOf(""), (Rows{"Area1.wid|Town|S[1]|S|評価|-5"})) << "a later empty name is a coupon";
    EXPECT_EQ(
        rowsOf("hero"),
        (Rows{"Area1.wid|Town|S[1]|S|取得|選択中", "Area1.wid|Town|S[1]|S|評価|10", "Area1.wid|Town|S[1]|S|評価|-3"}));
}

TEST_F(LaterKindsSearchTest, TheNewTwoWayBranchesAreCheckedAndTheStepComparisonIsNot)
{
    const std::vector<Content> threeWays = {Start("○"), Start("×"), Start("○")};
    town({Node(69, "f", threeWays), Node(70, "r", {Start("○"), Start("○")}), Node(71, "k", threeWays),
          Node(73, "t", threeWays), Node(68, "s", {Start("<"), Start("="), Start(">")}),
          Node(73, "fine", {Start("○"), Start("×")})});
    CheckBranches(context());
    EXPECT_EQ(rows(0),
              (Rows{"Area1.wid|Town|S[1]|S|フラグ比較|", "Area1.wid|Town|S[1]|S|ランダム選択|",
                    "Area1.wid|Town|S[1]|S|キーコード分岐|", "Area1.wid|Town|S[1]|S|ラウンド分岐|"}));
}

}  // namespace
}  // namespace quorvel::build
