#include "search/ReferenceChecks.h"
#include "search/Commands.h"
#include "search/Scenarios.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/ScenarioFolder.h"
#include "tools/builder/SummaryBuilder.h"

#include <limits>

namespace quorvel::build {
namespace {

using Lines = std::vector<std::string>;

class ReferenceChecksTest : public ScenarioTest {
protected:
    // A summary declaring flag "f" (twice) and step "s", starting in area `startArea`.
    void summary(std::int64_t startArea = 1, std::vector<std::string> moreFlags = {})
    {
        Summary declared;
        declared.flags = {{"f", "on", "off"}, {"f", "on", "off"}};
        for (const std::string& flag : moreFlags)
            declared.flags.push_back({flag, "on", "off"});
        declared.steps = {{"s", {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}}};
        declared.startAreaId = startArea;
        addBytes("Summary.wsm", EncodeSummary(declared));
    }

    void run(const char* command) { RunCommand(*FindCommand(command), context()); }

    // A battle using a cast member in each way: branch, loss, an enemy card, gain.
    static File usesOfEveryKind(std::int32_t id)
    {
        Card enemy;
        enemy.castId = id;
        enemy.events = {Event({Start("hit", {WithNumber(26, id)})})};
        File battle = dataFile(1, "Fight", {Event({Start("b", {WithNumber(19, id), WithNumber(33, id)})})});
        battle.cards = {enemy};
        return battle;
    }

    // A beast summoned by an item, whose event summons a second beast; a third
    // beast is summoned by the item's own event.
    static File itemSummoningBeasts()
    {
        Effect inner;
        inner.type = 0x40808;
        inner.embedsCard = true;
        inner.embeddedName = "inner";
        inner.embeddedEvents = {Event({Start("i", {Gain(27, 2, 1, 0)})})};
        Content innerEffect = Node(11, "call inner");
        innerEffect.effects = {inner};
        Effect outer = inner;
        outer.embeddedName = "outer";
        outer.embeddedEvents = {Event({Start("o", {Gain(27, 1, 1, 0), innerEffect})})};
        Effect third = inner;
        third.embeddedName = "third";
        third.embeddedEvents = {Event({Start("t", {Gain(27, 3, 1, 0)})})};
        Content thirdEffect = Node(11, "call third");
        thirdEffect.effects = {third};
        File item = dataFile(3, "Horn", {Event({Start("use", {Gain(27, 4, 1, 0), thirdEffect})})}, 40009);
        item.body.effects = {outer};
        return item;
    }
};

TEST_F(ReferenceChecksTest, UndefinedReferencesAreListedKindByKindWithTheRowsTheirSearchFiles)
{
    summary(7);
    Content change = WithText(16, "g");
    change.option = 1;
    add("Area1.wid",
        dataFile(0, "Town",
                 {Event({Start("go",
                               {change, WithText(15, "f"), WithText(18, "t"), Gain(27, 3, 1, 0), Gain(28, 4, 1, 0),
                                WithNumber(29, 5), Gain(30, 6, 1, 0), WithNumber(53, 8), WithNumber(5, 9),
                                WithNumber(2, 10), WithText(15, "G")})})}));
    add("Battle1.wid", usesOfEveryKind(11));
    run("check-undefined");
    EXPECT_EQ(leftLines(),
              (Lines{"フラグ: g", "フラグ: G", "ステップ: t", "アイテム: 3", "スキル: 4", "情報: 5", "召喚獣: 6",
                     "パッケージ: 8", "エリア: 7", "エリア: 9", "バトル: 10", "キャスト: 11"}));
    EXPECT_EQ(rowsOf("フラグ: g"), (Lines{"Area1.wid|Town|go[1]|go|変更|未定義"}));
    EXPECT_EQ(rowsOf("アイテム: 3"), (Lines{"Area1.wid|Town|go[1]|go|入手|1:選択中"}));
    EXPECT_EQ(rowsOf("エリア: 7"), (Lines{"Summary.wsm|開始エリア|||開始エリア|"}));
    EXPECT_EQ(
        rowsOf("キャスト: 11"),
        (Lines{"Battle1.wid|Fight|b[1]|b|分岐|", "Battle1.wid|Fight|b[1]|b|離脱|",
               "Battle1.wid|エネミーカード[1]|||エネミーカード|", "Battle1.wid|エネミーカード[1]|hit[1]|hit|加入|"}));
    EXPECT_TRUE(sink.messages.empty());

    // Defined, nothing is listed.
    add("Area7.wid", dataFile(0, "Start", {}, 40007));
    add("Battle10.wid", dataFile(1, "Ten", {}, 40010));
    add("Mate1.wid", dataFile(2, "Eleven", {}, 40011));
    run("check-undefined");
    EXPECT_EQ(leftLines(),
              (Lines{"フラグ: g", "フラグ: G", "ステップ: t", "アイテム: 3", "スキル: 4", "情報: 5", "召喚獣: 6",
                     "パッケージ: 8", "エリア: 9"}));
}

TEST_F(ReferenceChecksTest, AFileListedAsAnotherKindDefinesItsStoredIdAsThatKindReadsIt)
{
    summary(1);
    add("Area1.wid", dataFile(0, "Town", {Event({Start("go", {WithNumber(53, 40001)})})}));
    add("package0.wid", dataFile(3, "An item", {}, 40001));
    add("Package1.wid", dataFile(8, "Pack", {}, 1));
    run("check-undefined");
    EXPECT_TRUE(leftLines().empty());
    run("check-unused");
    EXPECT_EQ(leftLines(), (Lines{"フラグ: f", "ステップ: s", "パッケージ: 1 Pack"}));
}

TEST_F(ReferenceChecksTest, TheStartAreaIsTheStoredFieldLessTheOffsetWithoutWrapping)
{
    summary(std::int64_t{std::numeric_limits<std::int32_t>::min()} - 40000);
    add("Area1.wid",
        dataFile(0, "Town", {Event({Start("go", {WithNumber(5, std::numeric_limits<std::int32_t>::min())})})}));
    run("check-undefined");
    EXPECT_EQ(leftLines(), (Lines{"エリア: -2147523648", "エリア: -2147483648"}));
}

TEST_F(ReferenceChecksTest, AnUnreadableSummaryIsOneMessageAndOnlyIdsAreExamined)
{
    addBytes("Summary.wsm", "\x01");
    add("Area1.wid", dataFile(0, "Town", {Event({Start("go", {WithText(15, "f"), Gain(27, 3, 1, 0)})})}));
    for (const char* check : {"check-undefined", "check-unused"}) {
        sink.messages.clear();
        run(check);
        EXPECT_EQ(sink.messages, (Messages{{"Summary.wsmの読み込みに失敗しました", "I'm sorry!"}})) << check;
    }
    EXPECT_EQ(leftLines(), (Lines{"エリア: 1 Town"})) << "the start area is not examined";
    run("check-undefined");
    EXPECT_EQ(leftLines(), (Lines{"アイテム: 3"}));
}

TEST_F(ReferenceChecksTest, UnusedDefinitionsAreWhereTheyAreDefinedAndAnyUseCounts)
{
    summary(1, {"card only", "cell only", "never"});
    File town = dataFile(0, "Town");
    Card door;
    door.name = "door";
    door.flag = "card only";
    town.cards = {door};
    town.cells = {{{1, 2, 3, 4}, "", "cell only"}};
    add("Area1.wid", town);
    add("Area2.wid", dataFile(0, "Lonely", {}, 40002));
    add("Item1.wid", dataFile(3, "Sword"));
    add("Item2.wid", dataFile(3, "Old sword", {}, 40001));
    add("Item3.wid", dataFile(3, "Used", {Event({Start("use", {Gain(34, 3, 1, 0)})})}, 40003));
    run("check-unused");
    EXPECT_EQ(leftLines(),
              (Lines{"フラグ: f", "フラグ: never", "ステップ: s", "アイテム: 1 Sword", "エリア: 2 Lonely"}));
    EXPECT_EQ(rowsOf("フラグ: f"), (Lines{"Summary.wsm||||フラグ定義|"})) << "declared twice, one line";
    EXPECT_EQ(rowsOf("アイテム: 1 Sword"), (Lines{"Item1.wid|Sword|||定義|", "Item2.wid|Old sword|||定義|"}));
    EXPECT_TRUE(sink.messages.empty());
}

// Every row of an answer, line by line, its texts joined by "|", the file
// column as `fileName`.
Lines allRows(const Answer& answer, const std::string& fileName)
{
    Lines rows;
    for (std::size_t line = 0; line < answer.leftLines().size(); ++line)
        for (const HitRow& row : answer.rowsOf(line)) {
            std::string joined = fileName;
            for (std::size_t text = 1; text < row.texts.size(); ++text)
                joined.append("|").append(row.texts[text].shown());
            rows.push_back(joined);
        }
    return rows;
}

TEST_F(ReferenceChecksTest, EventsOfSummonedBeastsAreWalkedAfterTheFilesOwnInBothFormats)
{
    // The item itself is item 9: each use makes a line of its own, in filing order.
    const Lines expected{"Item1.wid|Horn|use[1]|use|入手|1:選択中", "Item1.wid|outer[召喚]|o[1]|o|入手|1:選択中",
                         "Item1.wid|inner[召喚]|i[1]|i|入手|1:選択中", "Item1.wid|third[召喚]|t[1]|t|入手|1:選択中"};
    add("Item1.wid", itemSummoningBeasts());
    run("item");
    EXPECT_EQ(allRows(answer, "Item1.wid"), expected);

    const TempFolder xml("summoned-xml");
    WriteXmlScenario(xml.path().string(), Summary{}, {{"Item1.wid", itemSummoningBeasts()}});
    const std::unique_ptr<ScenarioSource> source = ScenarioAt(xml.path().string());
    Answer xmlAnswer;
    SearchContext xmlContext{*source, xmlAnswer, sink, targets};
    RunCommand(*FindCommand("item"), xmlContext);
    EXPECT_EQ(allRows(xmlAnswer, "Item1.wid"), expected);
    ASSERT_EQ(xmlAnswer.rowsOf(1).size(), 1u);
    EXPECT_EQ(xmlAnswer.rowsOf(1)[0].texts[0].shown(), "ItemCard/Item1.xml");
}

}  // namespace
}  // namespace quorvel::build
