#include "search/LinkSearch.h"
#include "search/TextSearch.h"

#include "tests/support/ScenarioTest.h"

namespace quorvel::build {
namespace {
using Rows = std::vector<std::string>;

Content named(std::uint8_t kind, const std::string& text, std::int8_t target = 0, bool endsInZero = true)
{
    Content content = WithText(kind, text);
    content.option = target;
    content.textsEndInZero = endsInZero;
    return content;
}

class TextSearchTest : public ScenarioTest {
protected:
    void SetUp() override
    {
        add("Area1.wid",
            dataFile(
                0, "A",
                {Event({Start("S",
                              {named(32, "abc", 2), named(39, "ABC", 0), named(25, "abc", 7, false), named(32, "", 1),
                               named(61, "rumor"), named(9, "bell.wav"), named(11, "bell.wav")})})}));
        add("Area2.wid", dataFile(0, "B", {Event({Start("T", {named(25, "abc", -1)})})}));
    }
};

TEST_F(TextSearchTest, CouponsInSortedLinesWithTheirTargetWords)
{
    SearchTextUses(context(), CouponUses);
    ASSERT_EQ(leftLines(), (Rows{"", "abc", "ABC"}));
    EXPECT_EQ(rows(0), (Rows{"Area1.wid|A|S[1]|S|取得|誰か"}));
    // "abc" stored with and without its zero byte is one name; passes in their order, then files.
    EXPECT_EQ(rows(1),
              (Rows{"Area1.wid|A|S[1]|S|取得|全員", "Area1.wid|A|S[1]|S|分岐|7", "Area2.wid|B|T[1]|T|分岐|-1"}));
    EXPECT_EQ(rows(2), (Rows{"Area1.wid|A|S[1]|S|削除|選択中"}));
}

TEST_F(TextSearchTest, GossipsAndSoundsShowNoValue)
{
    SearchTextUses(context(), GossipUses);
    ASSERT_EQ(leftLines(), (Rows{"rumor"}));
    EXPECT_EQ(rows(0), (Rows{"Area1.wid|A|S[1]|S|取得|"}));
    SearchTextUses(context(), SoundUses);
    ASSERT_EQ(leftLines(), (Rows{"bell.wav"}));
    EXPECT_EQ(rows(0), (Rows{"Area1.wid|A|S[1]|S|ラッパ|", "Area1.wid|A|S[1]|S|効果|"}));
}

class LinkSearchTest : public ScenarioTest {
protected:
    bool search(const std::string& name) { return SearchLinks(context(), name); }
};

TEST_F(LinkSearchTest, LinksGoToTheirOwnEventsOrEarlierOnesElseAreInvalid)
{
    Event hall({Start("Hall", {named(1, "Hall"), named(52, "Room"), named(1, "Nowhere")}), Start("Shared")});
    Event room({Start("Room", {named(52, "Shared")}), Start("Shared", {named(1, "Hall")})});
    add("Area1.wid", dataFile(0, "L", {hall, room}));
    ASSERT_TRUE(search("Area1.wid"));
    ASSERT_EQ(leftLines(), (Rows{"Hall", "Room", "Shared", "Shared", "無効なリンク"}));
    EXPECT_EQ(rows(0), (Rows{"Area1.wid|L|Hall[1]|Hall|リンク|Hall", "Area1.wid|L|Room[2]|Shared|リンク|Hall"}));
    EXPECT_TRUE(rows(1).empty());
    EXPECT_EQ(rows(2), (Rows{"Area1.wid|L|Room[2]|Room|コール|Shared"})) << "the later event's line first";
    EXPECT_TRUE(rows(3).empty());
    // "Room" is only started by the second event, which is not walked yet.
    EXPECT_EQ(rows(4), (Rows{"Area1.wid|L|Hall[1]|Hall|リンク|Nowhere", "Area1.wid|L|Hall[1]|Hall|コール|Room"}));
}

TEST_F(LinkSearchTest, FilesWithoutLinksInfoFilesAndFailedLoads)
{
    add("Area1.wid", dataFile(0, "L", {Event({Start("b"), Start("a")})}));
    ASSERT_TRUE(search("Area1.wid"));
    EXPECT_EQ(leftLines(), (Rows{"a", "b"}));

    add("Info1.wid", dataFile(4, "I"));
    ASSERT_TRUE(search("Info1.wid"));
    EXPECT_TRUE(leftLines().empty());

    addBytes("Area2.wid", "\x07");
    EXPECT_FALSE(search("Area2.wid"));
    EXPECT_EQ(sink.messages, (Messages{{"Area2.widの読み込みに失敗しました", "I'm sorry!"}}));
    EXPECT_TRUE(leftLines().empty());
}

}  // namespace
}  // namespace quorvel::build
