#include "search/IdSearch.h"

#include "tools/builder/Encoding.h"

#include "tests/support/ScenarioTest.h"
#include "tests/support/TextEquality.h"

namespace quorvel::build {
namespace {

class IdSearchTest : public ScenarioTest {
protected:
    void search(const IdSearchRule& kind) { SearchIdUses(context(), kind); }

    static File defining(std::uint8_t kind, const std::string& title, std::int32_t storedId)
    {
        return dataFile(kind, title, {}, storedId);
    }

    static File area(const std::string& title, std::vector<Event> events, std::int32_t storedId = 40001)
    {
        return dataFile(0, title, std::move(events), storedId);
    }
};

TEST_F(IdSearchTest, DefinitionLinesThenRowsInEventStartAndPassOrder)
{
    add("Item1.wid", defining(3, "薬草", 40001));
    add("Item2.wid", defining(3, "剣", 40002));
    Event first({Start(build::Sjis("開始"), {Gain(34, 1, 0, 2), Gain(27, 1, 2, 1)}),
                 Start("Other", {Node(0, "x", {Gain(20, 2, 1, 0), Gain(27, 2, 3, 3)})})});
    Event third({Start("Head", {}), Start("Late", {Gain(27, 1, 1, 4)})});
    add("Area1.wid", area("Town", {first, Event{}, third}));

    search(ItemUses);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(leftLines(), (std::vector<std::string>{"薬草", "剣"}));
    EXPECT_EQ(answer.index.key(0), "1");
    EXPECT_EQ(rows(0),
              (std::vector<std::string>{
                  "Area1.wid|Town|開始[1]|開始|入手|2:誰か",
                  "Area1.wid|Town|開始[1]|開始|喪失|all:全員",
                  "Area1.wid|Town|Head[3]|Late|入手|1:全体",
              }));
    EXPECT_EQ(rows(1),
              (std::vector<std::string>{
                  "Area1.wid|Town|開始[1]|Other|入手|3:荷物袋",
                  "Area1.wid|Town|開始[1]|Other|分岐|1:選択中",
              }));
}

TEST_F(IdSearchTest, CardLabelsOfEveryKind)
{
    Event use({Start("S", {Gain(28, 4, 1, 5)})});
    File town = area("Town", {});
    Card door;
    door.name = build::Sjis("扉");
    door.events = {Event{}, use};
    town.cards = {Card{}, door};
    add("Area1.wid", town);

    File battle = defining(1, "Fight", 40001);
    Card enemy;
    enemy.events = {use};
    battle.cards = {Card{}, enemy};
    add("Battle1.wid", battle);

    File mate = defining(2, "Hero", 40001);
    Card owned;
    owned.events = {use};
    owned.storedId = 40005;
    mate.cards = {owned};
    owned.storedId = 40007;
    mate.skills = {owned};
    owned.storedId = 40000;
    mate.beasts = {owned};
    add("Mate1.wid", mate);
    add("Skill1.wid", defining(5, "Fire", 40004));

    search(SkillUses);
    ASSERT_EQ(leftLines(), (std::vector<std::string>{"Fire"}));
    EXPECT_EQ(rows(0),
              (std::vector<std::string>{
                  "Area1.wid|扉[2]|S[2]|S|入手|1:フィールド",
                  "Battle1.wid|エネミーカード[2]|S[1]|S|入手|1:フィールド",
                  "Mate1.wid|所有アイテム[5]|S[1]|S|入手|1:フィールド",
                  "Mate1.wid|所有技能[7]|S[1]|S|入手|1:フィールド",
                  "Mate1.wid|所有召喚獣[0]|S[1]|S|入手|1:フィールド",
              }));
}

TEST_F(IdSearchTest, UndefinedIdsGetLinesOfTheirOwnInOrderOfFirstUse)
{
    add("Item1.wid", defining(3, "Herb", 40001));
    add("Area1.wid",
        area("A", {Event({Start("S", {Gain(27, 9, 1, 0), Gain(27, 1, 1, 0), Gain(34, 8, 1, 0), Gain(20, 9, 1, 0)})})}));
    search(ItemUses);
    EXPECT_EQ(leftLines(), (std::vector<std::string>{"Herb", "未定義", "未定義"}));
    EXPECT_EQ(answer.index.rows(1).size(), 2u);
    EXPECT_EQ(answer.index.rows(2).size(), 1u);
    for (const std::string& row : rows(1))
        EXPECT_EQ(row.find('9'), std::string::npos) << "no text shows the undefined id";
}

TEST_F(IdSearchTest, DuplicateIdsFileEveryUseUnderTheFirstListedFile)
{
    add("Item1.wid", defining(3, "First", 40002));
    add("item2.wid", defining(3, "Second", 40002));
    add("Area1.wid", area("A", {Event({Start("S", {Gain(27, 2, 1, 0)})})}));
    search(ItemUses);
    EXPECT_EQ(leftLines(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(answer.index.rows(0).size(), 1u);
    EXPECT_TRUE(answer.index.rows(1).empty());
}

TEST_F(IdSearchTest, PackageIdsAreComparedAsStoredOthersLessTheOffset)
{
    File package = defining(8, "Pack", 3);
    package.events = {Event({Start("P", {WithNumber(53, 3), WithNumber(54, 40003)})})};
    add("Package1.wid", package);
    add("Area1.wid", area("A", {Event({Start("S", {WithNumber(5, 3), WithNumber(53, 3)})})}, 40003));

    search(PackageUses);
    ASSERT_EQ(leftLines(), (std::vector<std::string>{"Pack", "未定義"}));
    EXPECT_EQ(rows(0), (std::vector<std::string>{"Area1.wid|A|S[1]|S|リンク|", "Package1.wid|Pack|P[1]|P|リンク|"}));
    EXPECT_EQ(rows(1), (std::vector<std::string>{"Package1.wid|Pack|P[1]|P|コール|"}));

    search(AreaUses);
    ASSERT_EQ(leftLines(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(rows(0), (std::vector<std::string>{"Area1.wid|A|S[1]|S|移動|"}));
}

TEST_F(IdSearchTest, EveryFileMatchingTheDefiningMaskIsAnEntryWhateverItsKind)
{
    add("ItemOdd.wid", defining(0, "An area", 40006));  // an Area file under an Item name
    add("Area1.wid", area("A", {Event({Start("S", {Gain(27, 6, 1, 0)})})}));
    search(ItemUses);
    EXPECT_EQ(leftLines(), (std::vector<std::string>{"An area"}));
    EXPECT_EQ(answer.index.rows(0).size(), 1u);
}

// The key follows the kind a file is listed as: an item file the package
// mask lists (it ignores letter case) keeps its stored 40001, and takes
// nothing from package 1 listed after it.
TEST_F(IdSearchTest, AFileListedAsAnotherKindIsKeyedByItsStoredIdAsThatKindReadsIt)
{
    add("package0.wid", defining(3, "An item", 40001));
    add("Package1.wid", defining(8, "Pack", 1));
    add("Area1.wid", area("A", {Event({Start("S", {WithNumber(53, 1), WithNumber(54, 40001)})})}));
    search(PackageUses);
    ASSERT_EQ(leftLines(), (std::vector<std::string>{"An item", "Pack"}));
    EXPECT_EQ(rows(0), (std::vector<std::string>{"Area1.wid|A|S[1]|S|コール|"}));
    EXPECT_EQ(rows(1), (std::vector<std::string>{"Area1.wid|A|S[1]|S|リンク|"}));
}

TEST_F(IdSearchTest, FilesThatFailToLoadAreReportedOncePerPass)
{
    add("Area1.wid", area("A", {Event({Start("S", {Gain(27, 1, 1, 0)})})}));
    WriteFile(folder.file("Area2.wid"), "\x07 broken");
    WriteFile(folder.file("Item1.wid"), "\x03");
    WriteFile(folder.file("Info1.wid"), "");
    search(ItemUses);
    EXPECT_EQ(sink.messages,
              (Messages{{"Item1.widの読み込みに失敗しました", "I'm sorry!"},
                        {"Area2.widの読み込みに失敗しました", "I'm sorry!"},
                        {"Item1.widの読み込みに失敗しました", "I'm sorry!"}}));
    EXPECT_EQ(leftLines(), (std::vector<std::string>{"未定義"}));

    sink.messages.clear();
    search(InfoUses);
    EXPECT_EQ(sink.messages.size(), 3u) << "Info1 by its pass, Area2 and Item1 by the use pass";
    EXPECT_EQ(sink.messages[0].first, "Info1.widの読み込みに失敗しました");
}

TEST_F(IdSearchTest, InformationCardsShowNoValueAndOutOfRangeTargetsShowTheirCode)
{
    add("Area1.wid", area("A", {Event({Start("S", {WithNumber(29, 1), Gain(30, 2, 5, 9), Gain(30, 2, 5, -1)})})}));
    search(InfoUses);
    EXPECT_EQ(rows(0), (std::vector<std::string>{"Area1.wid|A|S[1]|S|入手|"}));
    search(BeastUses);
    EXPECT_EQ(rows(0), (std::vector<std::string>{"Area1.wid|A|S[1]|S|入手|5:9", "Area1.wid|A|S[1]|S|入手|5:-1"}));
}

TEST_F(IdSearchTest, FilesAreVisitedInNameOrderAcrossPatterns)
{
    for (const char* name : {"Package1.wid", "Beast1.wid", "area1.wid", "Mate1.wid"}) {
        File file = std::string(name).starts_with("Package") ? defining(8, "P", 1) : area("X", {});
        file.events = {Event({Start("S", {WithNumber(2, 1)})})};
        if (std::string(name).starts_with("Beast") || std::string(name).starts_with("Mate"))
            file.kind = 6;
        add(name, file);
    }
    search(BattleUses);
    std::vector<std::string> order;
    for (const HitRow& row : answer.index.rows(0))
        order.emplace_back(row.texts[0].shown());
    EXPECT_EQ(order, (std::vector<std::string>{"area1.wid", "Beast1.wid", "Mate1.wid", "Package1.wid"}));
}

TEST_F(IdSearchTest, TheUsesInADefiningFileStandAtItsPlaceInTheUsePass)
{
    File herb = defining(3, "Herb", 40001);
    herb.events = {Event({Start("Use", {Gain(34, 1, 1, 0)})})};
    add("Item1.wid", herb);
    add("Area1.wid", area("A", {Event({Start("S", {Gain(27, 1, 1, 0)})})}));
    add("Package1.wid", [] {
        File package = defining(8, "P", 1);
        package.events = {Event({Start("T", {Gain(27, 1, 2, 0)})})};
        return package;
    }());
    search(ItemUses);
    EXPECT_EQ(rows(0),
              (std::vector<std::string>{"Area1.wid|A|S[1]|S|入手|1:選択中", "Item1.wid|Herb|Use[1]|Use|喪失|1:選択中",
                                        "Package1.wid|P|T[1]|T|入手|2:選択中"}));
}

TEST_F(IdSearchTest, AnEmptyFolderGivesAnEmptyAnswer)
{
    search(ItemUses);
    EXPECT_TRUE(answer.leftLines().empty());
    EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace quorvel::build
