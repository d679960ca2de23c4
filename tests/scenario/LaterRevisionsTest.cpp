// The layouts the later revisions of the format add: content kinds 66..73,
// dialogues whose speaker is chosen by coupon score, and text and colour
// cells. Each is read with exactly its stored size, the next content after
// it comes out intact, and a file cut anywhere inside them fails whole.

#include "scenario/ContentKind.h"
#include "scenario/ShiftJis.h"
#include "tests/support/Loading.h"
#include "tools/builder/WidBuilder.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using build::ByteWriter;

// An event of a Package file: `content`, then a start named "sentinel".
std::string packageWith(const build::Content& content)
{
    build::File pkg;
    pkg.kind = 8;
    pkg.events = {build::Event({content, build::Start("sentinel")})};
    return build::Encode(pkg);
}

// The content as read, checked to be followed by the sentinel.
Content readFollowed(const build::Content& content)
{
    const build::Loaded& file = build::LoadAndKeep("Any.wid", packageWith(content));
    EXPECT_TRUE(file.loaded) << file.failure;
    if (!file.loaded)
        return {};
    EXPECT_EQ(file.events[0].starts[1].name, std::string("sentinel", 9));
    return file.events[0].starts[0];
}

build::Content twoTexts(std::uint8_t kind, const std::string& first, const std::string& second)
{
    build::Content content = build::WithText(kind, first);
    content.text2 = second;
    return content;
}

TEST(LaterKinds, SubstitutesAndComparisonsKeepBothNames)
{
    for (std::uint8_t kind : {66, 67, 68, 69}) {
        SCOPED_TRACE(int{kind});
        const Content read = readFollowed(twoTexts(kind, "from", "to"));
        EXPECT_EQ(read.kind, kind);
        EXPECT_EQ(read.detail.text, std::string("from", 5));
        EXPECT_EQ(read.detail.text2, std::string("to", 3));
    }
}

TEST(LaterKinds, KeyCodeStepCheckAndRoundBranch)
{
    build::Content key = build::WithText(71, "F1");
    key.option = 2;
    key.option2 = 5;
    const Content keyRead = readFollowed(key);
    EXPECT_EQ(keyRead.detail.option, 2);
    EXPECT_EQ(keyRead.detail.option2, 5);
    EXPECT_EQ(keyRead.detail.text, std::string("F1", 3));

    build::Content check = build::WithText(72, "day");
    check.number = -7;
    check.option = 3;
    const Content checkRead = readFollowed(check);
    EXPECT_EQ(checkRead.detail.text, std::string("day", 4));
    EXPECT_EQ(checkRead.detail.number, -7);
    EXPECT_EQ(checkRead.detail.option, 3);

    build::Content round = build::Node(73);
    round.option = 1;
    round.number = 12;
    const Content roundRead = readFollowed(round);
    EXPECT_EQ(roundRead.detail.option, 1);
    EXPECT_EQ(roundRead.detail.number, 12);
}

TEST(LaterKinds, RandomMemberSelectionReadsWhatEachStyleBitAdds)
{
    for (std::uint8_t style : {0x00, 0x01, 0x02, 0x03, 0xFC}) {
        SCOPED_TRACE(int{style});
        build::Content random = build::Node(70);
        random.option = 4;
        random.option2 = static_cast<std::int8_t>(style);
        random.number = 10;
        random.amount = 20;
        random.status = 9;
        const Content read = readFollowed(random);
        EXPECT_EQ(read.detail.option, 4);
        EXPECT_EQ(read.detail.number, style & 1 ? 10 : 0);
        EXPECT_EQ(read.detail.amount, style & 1 ? 20 : 0);
    }
}

build::Content scoredDialogue(std::vector<build::CouponScore> scores)
{
    build::Content talk = build::Node(40);
    talk.option = 3;
    talk.couponScores = std::move(scores);
    talk.dialogueEntries = {{"", "hello"}, {"c", "bye"}};
    return talk;
}

TEST(LaterDialogue, SpeakerThreeReadsTheEvaluationBeforeTheEntries)
{
    for (std::size_t count : {0u, 1u, 3u}) {
        SCOPED_TRACE(count);
        std::vector<build::CouponScore> scores;
        for (std::size_t i = 0; i < count; ++i)
            scores.push_back({"hero" + std::to_string(i), static_cast<std::int32_t>(i) * 10 - 5});
        const Content read = readFollowed(scoredDialogue(scores));
        ASSERT_EQ(read.detail.couponScores.size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(read.detail.couponScores[i].coupon, "hero" + std::to_string(i) + '\0');
            EXPECT_EQ(read.detail.couponScores[i].value, static_cast<std::int32_t>(i) * 10 - 5);
        }
        ASSERT_EQ(read.detail.dialogueEntries.size(), 2u);
        EXPECT_EQ(read.detail.dialogueEntries[1].text, std::string("bye", 4));
    }
    // A first entry without a name (stored empty or as the zero byte alone)
    // is the starting score, no coupon; a later one is a coupon.
    for (bool zeroByte : {true, false}) {
        const Content read = readFollowed(scoredDialogue({{"", 50, zeroByte}, {"hero", 5}, {"", 7, zeroByte}}));
        ASSERT_EQ(read.detail.couponScores.size(), 2u);
        EXPECT_EQ(read.detail.couponScores[0].value, 5);
        EXPECT_TRUE(read.detail.couponScores[1].coupon.empty());
        EXPECT_EQ(read.detail.couponScores[1].value, 7);
    }
}

TEST(LaterDialogue, OtherSpeakersAndACountBelowOneHaveNoEvaluation)
{
    build::Content talk = scoredDialogue({{"hero", 5}});
    talk.option = 2;  // written without the evaluation, as any speaker but 3
    EXPECT_TRUE(readFollowed(talk).detail.couponScores.empty());

    ByteWriter out;
    out.byte(8).zeros(3).text("pkg").int32(1).int32(1).int32(1);
    out.byte(40).text("talk").int32(40000).byte(3).int32(-4).int32(1).text("").text("hi");
    const build::Loaded file = build::LoadBytes("Any.wid", out.str());
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_TRUE(file.events[0].starts[0].detail.couponScores.empty());
    EXPECT_EQ(file.events[0].starts[0].detail.dialogueEntries.size(), 1u);
}

build::Cell typedCell(std::uint8_t type, std::int32_t width, const std::string& text, const std::string& flag)
{
    build::Cell cell;
    cell.numbers[2] = width;
    cell.type = type;
    cell.text = text;
    cell.flag = flag;
    return cell;
}

// A text cell with its outline, and a colour cell with a gradient.
build::Cell outlinedTextCell(std::int32_t width)
{
    build::Cell cell = typedCell(2, width, "sign", "lamp");
    cell.style = 0x10;
    return cell;
}

build::Cell gradedColourCell(std::int32_t width)
{
    build::Cell cell = typedCell(3, width, "", "dusk");
    cell.gradient = 1;
    return cell;
}

TEST(LaterCells, TextAndColourCellsKeepTheirTextAndFlag)
{
    const build::Cell outlined = outlinedTextCell(60000);
    const build::Cell graded = gradedColourCell(69999);
    build::Content background = build::Node(8);
    background.cells = {typedCell(2, 65000, "plain", "f1"),   outlined,
                        typedCell(3, 60001, "", "f3"),        graded,
                        typedCell(0, 59999, "classic", "f5"), typedCell(0, -70000, "negative", "f6")};
    const Content read = readFollowed(background);
    ASSERT_EQ(read.detail.cells.size(), 6u);
    const CellLayout layouts[] = {CellLayout::Text,   CellLayout::Text,    CellLayout::Colour,
                                  CellLayout::Colour, CellLayout::Classic, CellLayout::Classic};
    const char* flags[] = {"f1", "lamp", "f3", "dusk", "f5", "f6"};
    const char* texts[] = {"plain", "sign", "", "", "classic", "negative"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(read.detail.cells[i].layout, layouts[i]) << i;
        EXPECT_EQ(read.detail.cells[i].flag, std::string(flags[i]) + '\0') << i;
        EXPECT_EQ(read.detail.cells[i].text.shownBytes(), texts[i]) << i;
    }
}

TEST(LaterCells, AreaCellsAreReadByTheSameRules)
{
    build::File area;
    area.kind = 0;
    area.cells = {typedCell(2, 60000, "sign", "lamp"), typedCell(3, 60000, "", "dusk")};
    const build::Loaded file = build::LoadBytes("Area1.wid", build::Encode(area));
    ASSERT_TRUE(file.loaded) << file.failure;
    ASSERT_EQ(file.cells.size(), 2u);
    EXPECT_EQ(file.cells[0].text, std::string("sign", 5));
    EXPECT_EQ(file.cells[1].flag, std::string("dusk", 5));
}

TEST(LaterLayouts, AKindAboveTheCatalogueAnUnknownCellTypeAndANewerCellEncodingFail)
{
    EXPECT_FALSE(build::LoadBytes("Any.wid", packageWith(build::Node(74))).loaded);
    for (const build::Cell& cell : {typedCell(4, 60000, "", "f"), typedCell(1, 60000, "", "f"),
                                    typedCell(2, 70000, "", "f"), typedCell(0, 2147483647, "", "f")}) {
        build::Content background = build::Node(8);
        background.cells = {cell};
        EXPECT_FALSE(build::LoadBytes("Any.wid", packageWith(background)).loaded)
            << int{cell.type} << " " << cell.numbers[2];
    }
}

TEST(LaterLayouts, ACutAnywhereInAFileOfEveryNewLayoutFailsWhole)
{
    build::Content background = build::Node(8);
    background.cells = {outlinedTextCell(60000), gradedColourCell(60000)};
    build::Content random = build::Node(70);
    random.option2 = 3;
    build::Content key = build::WithText(71, "k");
    build::Content round = build::Node(73);
    build::File area;
    area.kind = 0;
    area.title = "Town";
    area.events = {build::Event({build::Start("s",
                                              {twoTexts(66, "a", "b"), twoTexts(67, "c", "d"), twoTexts(68, "e", "f"),
                                               twoTexts(69, "g", "h"), random, key, build::WithText(72, "day"), round,
                                               scoredDialogue({{"", 1}, {"hero", 2}}), background})})};
    area.cells = {typedCell(2, 61000, "cell", "flag")};
    const std::string bytes = build::Encode(area);
    ASSERT_TRUE(build::LoadBytes("Area1.wid", bytes).loaded);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const build::Loaded file = build::LoadBytes("Area1.wid", bytes.substr(0, length));
        ASSERT_FALSE(file.loaded) << "cut at " << length;
        EXPECT_TRUE(file.events.empty() && file.cells.empty() && file.title.empty()) << "cut at " << length;
    }
}

}  // namespace
}  // namespace quorvel
