#include "search/BranchCheck.h"
#include "search/DialogueCheck.h"
#include "search/StartCheck.h"

#include "tests/support/ScenarioTest.h"

namespace quorvel::build {
namespace {
using Rows = std::vector<std::string>;

class CheckTest : public ScenarioTest { };

TEST_F(CheckTest, StartChecksFindTargetsWithoutRegardToCaseButNeverFoldBytes)
{
    const std::string a = "\x83\x41";    // ア
    const std::string dzi = "\x83\x61";  // ヂ: the trail byte of ア plus 0x20
    Event own({Start("Hall",
                     {WithText(1, "hall"), WithText(52, sj("ｒｏｏｍ")), WithText(1, sj("ＲＯＯＭ")),
                      WithText(1, sj("д")), WithText(1, dzi)}),
               Start(sj("ｒｏｏｍ")), Start(sj("Д")), Start(a)});
    Event other({Start("Cellar", {WithText(52, "Hall"), WithText(1, "Gone")})});
    add("Area1.wid", dataFile(0, "A", {own, other}));
    add("Area2.wid", dataFile(0, "B", {Event({Start("x", {WithText(1, "Gone"), WithText(1, "GONE")})})}));
    CheckStart(context());
    ASSERT_EQ(leftLines(), (Rows{"Gone", "GONE", "Hall", "ヂ"})) << "two missing names that differ in case";
    EXPECT_EQ(rowsOf("ヂ"), (Rows{"Area1.wid|A|Hall[1]|Hall|リンク|ヂ"}));
    EXPECT_EQ(rowsOf("Hall"), (Rows{"Area1.wid|A|Cellar[2]|Cellar|コール|Hall"})) << "in another event only";
    EXPECT_EQ(rowsOf("Gone"), (Rows{"Area1.wid|A|Cellar[2]|Cellar|リンク|Gone", "Area2.wid|B|x[1]|x|リンク|Gone"}));
}

TEST_F(CheckTest, StartCheckFilesLinksBeforeCallsOfEachEvent)
{
    add("Area1.wid", dataFile(0, "A", {Event({Start("S", {WithText(52, "no"), Node(0, "", {WithText(1, "no")})})})}));
    CheckStart(context());
    EXPECT_EQ(rowsOf("no"), (Rows{"Area1.wid|A|S[1]|S|リンク|no", "Area1.wid|A|S[1]|S|コール|no"}));
}

TEST_F(CheckTest, BranchesWithMoreThanTwoWaysOrTwoAlikeAreReported)
{
    Content three = Node(15, "three", {Start("a"), Start("b"), Start("c")});
    Content alike = Node(14, "alike", {Start("x"), Start("x")});
    Content cased = Node(14, "cased", {Start("x"), Start("X")});
    Content clean = Node(13, "clean", {Start("yes"), Start("no")});
    Content inner = Node(20, "inner", {Start("same"), Start("same")});
    Content outer = Node(20, "outer", {Node(0, "w", {inner}), Start("v"), Start("u")});
    Content one = Node(57, "one", {Start("only")});
    Event event({Start("S", {three, alike, cased, clean, outer, one}), Node(60, "G", {Start("p"), Start("p")})});
    add("Area1.wid", dataFile(0, "A", {event}));
    CheckBranches(context());
    ASSERT_EQ(leftLines(), (Rows{"チェック！"}));
    EXPECT_EQ(
        rows(0),
        (Rows{"Area1.wid|A|S[1]|S|フラグ分岐|", "Area1.wid|A|S[1]|S|ランダム分岐|", "Area1.wid|A|S[1]|S|アイテム分岐|",
              "Area1.wid|A|S[1]|S|アイテム分岐|", "Area1.wid|A|S[1]|G|ゴシップ分岐|"}));

    add("Area1.wid", dataFile(0, "A", {Event({Start("S", {clean, cased, one})})}));
    CheckBranches(context());
    EXPECT_TRUE(leftLines().empty());
}

Content dialogue(std::vector<DialogueEntry> entries)
{
    Content content = Node(40, "talk");
    content.dialogueEntries = std::move(entries);
    return content;
}

TEST_F(CheckTest, DialoguesWithAnEntryBeforeTheLastWithoutCondition)
{
    const std::string wideSpace = sj("　");
    Content lastEmpty = dialogue({{"hero", "Hi"}, {"", "Bye"}});
    Content blankFirst = dialogue({{" \r\n\t", "\r\n  Who are you?\r\n"}, {"hero", "Hero!"}});
    Content wideFirst = dialogue({{wideSpace, "x"}, {"hero", "y"}});
    Content laterGap = dialogue({{"a", " First words "}, {"b", "2"}, {"", "3"}, {"c", "4"}});
    Content storedBare = dialogue({{"", "no zero byte\r\n", false}, {"hero", "z", false}});
    Content single = dialogue({{"", "alone"}});
    Event event({Start("S", {lastEmpty, blankFirst, wideFirst, laterGap, storedBare, single, dialogue({})})});
    File town = dataFile(0, "A", {event});
    Card card;
    card.name = "Door";
    card.events = {Event({Start("C", {blankFirst})})};
    town.cards = {card};
    add("Area1.wid", town);
    CheckDialogues(context());
    ASSERT_EQ(leftLines(), (Rows{"チェック！"}));
    EXPECT_EQ(rows(0),
              (Rows{"Area1.wid|A|S[1]|S|台詞|Who are you?", "Area1.wid|A|S[1]|S|台詞|First words",
                    "Area1.wid|A|S[1]|S|台詞|no zero byte", "Area1.wid|Door[1]|C[1]|C|台詞|Who are you?"}));
}

}  // namespace
}  // namespace quorvel::build
