// Every content kind's detail is read with exactly its stored size: a content
// of the kind is followed by a second start content whose name must come out
// intact, which only happens when the reader stopped at the right byte.

#include "scenario/ContentKind.h"
#include "tests/support/Loading.h"
#include "tools/builder/WidBuilder.h"

#include <gtest/gtest.h>

#include <array>

namespace quorvel {
namespace {

using build::ByteWriter;

// The stored items of each kind's detail: T text, I int, B byte, 9 nine
// skipped bytes, C a count of one with one cell, E the effect layout with an
// empty effect list, D a dialogue of one entry, R a random member selection
// without levels or status.
constexpr std::array<const char*, 74> DetailItems = {
    "",    "T",   "I",   "B",   "",    "I",   "TT", "T",   "C",   "T",    // 0-9
    "I",   "E",   "BB",  "I9",  "I",   "T",   "TB", "T",   "TI",  "I",    // 10-19
    "IIB", "IIB", "I",   "IIB", "I",   "TIB", "I",  "IIB", "IIB", "I",    // 20-29
    "IIB", "I",   "TIB", "I",   "IIB", "IIB", "I",  "IIB", "I",   "TIB",  // 30-39
    "D",   "T",   "T",   "T",   "TI",  "",    "BI", "BB",  "I",   "",     // 40-49
    "",    "",    "T",   "I",   "I",   "",    "",   "T",   "T",   "T",    // 50-59
    "T",   "T",   "T",   "",    "",    "T",   "TT", "TT",  "TT",  "TT",   // 60-69
    "R",   "BBT", "TIB", "BI",                                            // 70-73
};

void writeDetailItems(ByteWriter& out, const char* items)
{
    for (const char* item = items; *item; ++item) {
        switch (*item) {
        case 'T':
            out.text("x");
            break;
        case 'I':
            out.int32(7);
            break;
        case 'B':
            out.byte(3);
            break;
        case '9':
            out.zeros(9);
            break;
        case 'C':
            out.int32(1).int32(1).int32(2).int32(3).int32(4).text("c").byte(0).text("F").byte(0);
            break;
        case 'E':
            out.zeros(11).text("se").byte(0).int32(0);
            break;
        case 'D':
            out.byte(0).int32(1).text("coupon").text("words");
            break;
        case 'R':
            out.byte(2).byte(0);
            break;
        }
    }
}

std::string packageWithContent(int kind, const char* items, const std::string& trailer = {})
{
    ByteWriter out;
    out.byte(8).zeros(3).text("pkg").int32(1);
    out.int32(1).int32(2);  // one event, two start contents
    out.byte(static_cast<std::uint8_t>(kind)).text("probe").int32(40000);
    writeDetailItems(out, items);
    out.byte(0).text("sentinel").int32(40000);
    return out.str() + trailer;
}

TEST(DetailLayout, EveryKindReadsExactlyItsStoredBytes)
{
    for (int kind = 0; kind <= LastContentKind; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const build::Loaded file = build::LoadBytes("Any.wid", packageWithContent(kind, DetailItems[kind]));
        ASSERT_TRUE(file.loaded) << file.failure;
        ASSERT_EQ(file.events.size(), 1u);
        ASSERT_EQ(file.events[0].starts.size(), 2u);
        EXPECT_EQ(file.events[0].starts[0].kind, kind);
        EXPECT_EQ(file.events[0].starts[1].name, std::string("sentinel", 9));

        EXPECT_FALSE(build::LoadBytes("Any.wid", packageWithContent(kind, DetailItems[kind], "!")).loaded);
    }
}

TEST(DetailLayout, KindsOutsideTheCatalogueFail)
{
    for (int kind : {74, 127, 128, 200, 255}) {
        const build::Loaded file = build::LoadBytes("Any.wid", packageWithContent(kind, ""));
        EXPECT_FALSE(file.loaded) << kind;
    }
}

Content readSingle(const build::Content& content)
{
    ByteWriter out;
    out.byte(8).zeros(3).text("pkg").int32(1).int32(1).int32(1);
    build::WriteContent(out, content);
    const build::Loaded& file = build::LoadAndKeep("Any.wid", out.str());
    EXPECT_TRUE(file.loaded) << file.failure;
    if (!file.loaded)
        return {};
    return file.events[0].starts[0];
}

TEST(DetailLayout, FieldsLandWhereTheSearchesLookForThem)
{
    const Content gain = readSingle(build::Gain(27, 12, 0, -3));
    EXPECT_EQ(gain.detail.number, 12);
    EXPECT_EQ(gain.detail.amount, 0);
    EXPECT_EQ(gain.detail.option, -3);

    build::Content coupon = build::WithText(25, "勇者");
    coupon.number = 4;
    coupon.option = 2;
    const Content couponRead = readSingle(coupon);
    EXPECT_EQ(couponRead.detail.text, std::string("勇者", sizeof("勇者")));
    EXPECT_EQ(couponRead.detail.number, 4);
    EXPECT_EQ(couponRead.detail.option, 2);

    build::Content step = build::WithText(18, "st");
    step.number = 3;
    EXPECT_EQ(readSingle(step).detail.number, 3);

    build::Content change = build::WithText(16, "flag");
    change.option = 1;
    EXPECT_EQ(readSingle(change).detail.option, 1);

    build::Content two = build::WithText(6, "a");
    two.text2 = "bc";
    EXPECT_EQ(readSingle(two).detail.text2, std::string("bc", 3));

    build::Content level = build::Node(46);
    level.option = 5;
    level.number = 9;
    const Content levelRead = readSingle(level);
    EXPECT_EQ(levelRead.detail.option, 5);
    EXPECT_EQ(levelRead.detail.number, 9);
}

TEST(DetailLayout, DialogueAndBackgroundListsFollowTheirCounts)
{
    build::Content dialogue = build::Node(40);
    dialogue.dialogueEntries = {{"", "hello"}, {"c1", "bye"}};
    const Content read = readSingle(dialogue);
    EXPECT_EQ(read.detail.number, 2);
    ASSERT_EQ(read.detail.dialogueEntries.size(), 2u);
    EXPECT_EQ(read.detail.dialogueEntries[1].condition, std::string("c1", 3));
    EXPECT_EQ(read.detail.dialogueEntries[1].text, std::string("bye", 4));

    build::Content background = build::Node(8);
    background.cells.resize(3);
    background.cells[2].flag = "lamp";
    const Content cells = readSingle(background);
    EXPECT_EQ(cells.detail.number, 3);
    ASSERT_EQ(cells.detail.cells.size(), 3u);
    EXPECT_EQ(cells.detail.cells[2].flag, std::string("lamp", 5));
    EXPECT_EQ(cells.detail.cells[2].number4, 4);

    EXPECT_TRUE(readSingle(build::Node(40)).detail.dialogueEntries.empty());
    EXPECT_EQ(readSingle(build::Node(8)).detail.number, 0);
}

TEST(DetailLayout, NegativeDialogueCountMeansNoEntries)
{
    ByteWriter out;
    out.byte(8).zeros(3).text("pkg").int32(1).int32(1).int32(1);
    out.byte(40).text("talk").int32(40000).byte(0).int32(-5);
    const build::Loaded file = build::LoadBytes("Any.wid", out.str());
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_EQ(file.events[0].starts[0].detail.number, -5);
    EXPECT_TRUE(file.events[0].starts[0].detail.dialogueEntries.empty());
}

TEST(DetailLayout, EffectContentTextSitsAfterElevenSkippedBytes)
{
    build::Content effect = build::WithText(11, "se.wav");
    effect.effects.resize(2);
    effect.effects[0].type = 0x40805;
    effect.effects[1].type = 0x40800;
    const Content read = readSingle(effect);
    EXPECT_EQ(read.detail.text, std::string("se.wav", 7));
}

}  // namespace
}  // namespace quorvel
