#include "tests/support/Loading.h"
#include "tools/builder/WidBuilder.h"

#include "scenario/ContentWalk.h"
#include "search/FolderSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

namespace quorvel {
namespace {

using build::ByteWriter;
using build::LoadBytes;

std::string zText(const std::string& s)
{
    return s + '\0';
}

build::File richArea()
{
    build::File area;
    area.kind = 0;
    area.title = "Town";
    area.storedId = 40003;
    build::Event event;
    event.starts = {build::Start("Start", {build::Gain(27, 1, 2, 1), build::WithNumber(5, 2)}),
                    build::Start("Other", {build::WithText(15, "flag")})};
    event.keys = {1, 2};
    event.keyDataLength = 5;
    area.events = {event, {}};
    build::Card card;
    card.name = "Door";
    card.flag = "open";
    card.events = {event};
    area.cards = {card, card};
    area.cells.resize(2);
    area.cells[1].flag = "lamp";
    return area;
}

build::File richMate()
{
    build::File mate;
    mate.kind = 2;
    mate.title = "Hero";
    build::Card owned;
    owned.name = "Sword";
    owned.storedId = 40005;
    owned.events = {{{build::Start("Use", {build::Gain(28, 4, 1, 0)})}}};
    build::Effect nested;
    nested.type = 0x40808;
    nested.embedsCard = true;
    nested.embeddedEvents = {{{build::Start("Inner")}}};
    owned.body.effects = {nested, build::Effect{0x40803, false, {}, {}}};
    mate.cards = {owned};
    mate.skills = {owned, owned};
    mate.beasts = {owned};
    return mate;
}

void expectNothingKept(const build::Loaded& file)
{
    EXPECT_FALSE(file.loaded);
    EXPECT_TRUE(file.title.empty());
    EXPECT_EQ(file.id, 0);
    EXPECT_TRUE(file.events.empty());
    EXPECT_TRUE(file.cards.empty());
    EXPECT_TRUE(file.skills.empty());
    EXPECT_TRUE(file.beasts.empty());
    EXPECT_TRUE(file.cells.empty());
}

TEST(Reader, AreaFileKeepsEventsCardsAndCells)
{
    const build::Loaded file = LoadBytes("Area3.wid", build::Encode(richArea()));
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_EQ(file.kind, FileKind::Area);
    EXPECT_EQ(file.title, zText("Town"));
    EXPECT_EQ(file.id, 3) << "the stored id less the offset";
    ASSERT_EQ(file.events.size(), 2u);
    EXPECT_EQ(file.events[0].starts[1].name, zText("Other"));
    EXPECT_TRUE(file.events[1].starts.empty());
    ASSERT_EQ(file.cards.size(), 2u);
    EXPECT_EQ(file.cards[0].name, zText("Door"));
    EXPECT_EQ(file.cards[1].number, 1);
    EXPECT_EQ(file.cards[1].flag, zText("open"));
    EXPECT_EQ(file.cards[1].events[0].starts[0].children.size(), 2u);
    ASSERT_EQ(file.cells.size(), 2u);
    EXPECT_EQ(file.cells[1].flag, zText("lamp"));
}

TEST(Reader, BattleCardsHaveNoNameAndCountFromZero)
{
    build::File battle = richArea();
    battle.kind = 1;
    const build::Loaded file = LoadBytes("Battle1.wid", build::Encode(battle));
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_EQ(file.kind, FileKind::Battle);
    ASSERT_EQ(file.cards.size(), 2u);
    EXPECT_TRUE(file.cards[0].name.empty());
    EXPECT_EQ(file.cards[0].flag, zText("open"));
    EXPECT_EQ(file.cards[1].number, 1);
    EXPECT_TRUE(file.cells.empty());
}

TEST(Reader, MateOwnedCardsCarryTheirIdLessTheOffset)
{
    const build::Loaded file = LoadBytes("Mate1.wid", build::Encode(richMate()));
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_EQ(file.kind, FileKind::Mate);
    ASSERT_EQ(file.cards.size(), 1u);
    ASSERT_EQ(file.skills.size(), 2u);
    ASSERT_EQ(file.beasts.size(), 1u);
    EXPECT_EQ(file.cards[0].number, 5);
    EXPECT_EQ(file.cards[0].name, zText("Sword"));
    EXPECT_TRUE(file.cards[0].flag.empty());
    EXPECT_EQ(file.skills[1].events[0].starts[0].name, zText("Use"));
    EXPECT_TRUE(file.events.empty());
}

TEST(Reader, ItemSkillBeastCarryTheirIdLessTheOffset)
{
    for (std::uint8_t kind : {3, 5, 6}) {
        build::File f;
        f.kind = kind;
        f.title = "Thing";
        f.storedId = 40005;
        f.events = {{{build::Start("Use")}}};
        const build::Loaded file = LoadBytes("X.wid", build::Encode(f));
        ASSERT_TRUE(file.loaded) << int(kind) << file.failure;
        EXPECT_EQ(static_cast<int>(file.kind), kind);
        EXPECT_EQ(file.id, 5);
        EXPECT_EQ(file.events.size(), 1u);
    }
}

TEST(Reader, IdsLessTheOffsetAreExactAtTheEdgesOfTheirRange)
{
    build::File mate;
    mate.kind = 2;
    build::Card owned;
    owned.storedId = std::numeric_limits<std::int32_t>::min();
    mate.beasts = {owned};
    mate.storedId = std::numeric_limits<std::int32_t>::min();
    const build::Loaded file = LoadBytes("Mate1.wid", build::Encode(mate));
    ASSERT_TRUE(file.loaded) << file.failure;
    EXPECT_EQ(file.beasts[0].number, -2147483648LL - 40000);
    EXPECT_EQ(file.id, -2147483648LL - 40000);
    EXPECT_EQ(IndexedLabel(Word("所有召喚獣"), file.beasts[0].number).bytes, "所有召喚獣[-2147523648]");
}

TEST(Reader, MinimalFilesOfTheSmallestShapes)
{
    ByteWriter package;
    package.zeros(4).text("").int32(7).int32(0);
    ASSERT_EQ(package.size(), 17u);
    const build::Loaded pkg = LoadBytes("Package1.wid", package.str());
    ASSERT_TRUE(pkg.loaded) << pkg.failure;
    EXPECT_EQ(pkg.kind, FileKind::Package);
    EXPECT_EQ(pkg.title.bytes().size(), 1u);
    EXPECT_EQ(pkg.id, 7);
    EXPECT_TRUE(pkg.events.empty());

    ByteWriter info;
    info.byte(4).int32(0).text("").int32(40002).int32(0);
    ASSERT_EQ(info.size(), 18u);
    const build::Loaded inf = LoadBytes("Info2.wid", info.str());
    ASSERT_TRUE(inf.loaded) << inf.failure;
    EXPECT_EQ(inf.kind, FileKind::Info);

    ByteWriter content;
    content.byte(0).text("").int32(40000);
    ASSERT_EQ(content.size(), 10u);
    ByteWriter withContent;
    withContent.zeros(4).text("").int32(7).int32(1).int32(1).append(content);
    EXPECT_TRUE(LoadBytes("Package1.wid", withContent.str()).loaded);
}

TEST(Reader, TextsKeepEveryStoredByte)
{
    ByteWriter out;
    out.zeros(4).rawText("").int32(1).int32(0);
    const build::Loaded empty = LoadBytes("Package1.wid", out.str());
    ASSERT_TRUE(empty.loaded);
    EXPECT_EQ(empty.title.bytes().size(), 0u);

    const std::string longest(511, 'a');
    ByteWriter at512;
    at512.zeros(4).text(longest).int32(1).int32(0);
    const build::Loaded ok = LoadBytes("Package1.wid", at512.str());
    ASSERT_TRUE(ok.loaded);
    EXPECT_EQ(ok.title.bytes().size(), 512u);
    EXPECT_EQ(ok.title.bytes().back(), '\0');

    ByteWriter at513;
    at513.zeros(4).text(longest + "b").int32(1).int32(0);
    expectNothingKept(LoadBytes("Package1.wid", at513.str()));

    ByteWriter negative;
    negative.zeros(4).int32(-1).int32(1).int32(0);
    EXPECT_FALSE(LoadBytes("Package1.wid", negative.str()).loaded);
}

TEST(Reader, PackageIsDecidedByCaseSensitiveNamePrefixOrKindByte)
{
    build::File pkg;
    pkg.kind = 8;
    pkg.title = "Pack";
    pkg.storedId = 3;
    pkg.events = {{{build::Start("S", {build::WithNumber(53, 4)})}}};
    const std::string byKindByte = build::Encode(pkg);

    const build::Loaded byByte = LoadBytes("Anything.wid", byKindByte);
    ASSERT_TRUE(byByte.loaded) << byByte.failure;
    EXPECT_EQ(byByte.kind, FileKind::Package);
    EXPECT_EQ(byByte.id, 3);

    std::string byName = byKindByte;
    byName[0] = 0;  // the first byte of a "Package*" file is ignored
    const build::Loaded named = LoadBytes("Package7.wid", byName);
    ASSERT_TRUE(named.loaded) << named.failure;
    EXPECT_EQ(named.kind, FileKind::Package);
    EXPECT_EQ(named.events.size(), 1u);

    // Other letter case: the first byte is the kind, 0 = Area, which cannot read this.
    EXPECT_FALSE(LoadBytes("package7.wid", byName).loaded);
    EXPECT_FALSE(LoadBytes("PACKAGE7.wid", byName).loaded);
}

TEST(Reader, PackageNameIsTakenFromTheFileNamePartOnly)
{
    const auto dir = std::filesystem::temp_directory_path() / "quorvel-reader-test" / "Package";
    build::File pkg;
    pkg.kind = 8;
    pkg.title = "Pack";
    std::string bytes = build::Encode(pkg);
    bytes[0] = 0;
    build::WriteFile((dir / "Area1.wid").string(), bytes);
    build::WriteFile((dir / "Package1.wid").string(), bytes);

    const FolderSource folder(dir.string());
    EXPECT_FALSE(folder.openDataFile("Area1.wid").has_value());
    const std::optional<DataFile> package = folder.openDataFile("Package1.wid");
    ASSERT_TRUE(package.has_value());
    EXPECT_EQ(package->fileName, "Package1.wid");
    std::filesystem::remove_all(dir.parent_path());
}

TEST(Reader, MissingFileOrFolderFailsWithoutThrowing)
{
    EXPECT_FALSE(DataFileOnDisk("/nonexistent/folder/Area1.wid").openDataFile("Area1.wid").has_value());
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(DataFileOnDisk(folder).openDataFile("tmp").has_value());
}

TEST(Reader, FileKindBytesSevenAndAboveEightFail)
{
    for (std::uint8_t kind : {7, 9, 100, 255}) {
        ByteWriter out;
        out.byte(kind).block(0).text("t").int32(1).block(0);
        expectNothingKept(LoadBytes("X.wid", out.str()));
    }
}

TEST(Reader, NegativeBlockLengthFails)
{
    ByteWriter out;
    out.byte(4).int32(-1).text("t").int32(1).block(0);
    EXPECT_FALSE(LoadBytes("Info1.wid", out.str()).loaded);
}

TEST(Reader, OneByteMoreThanTheStructureFails)
{
    for (const build::File& f : {richArea(), richMate()}) {
        const std::string bytes = build::Encode(f);
        EXPECT_TRUE(LoadBytes("X.wid", bytes).loaded);
        EXPECT_FALSE(LoadBytes("X.wid", bytes + '\0').loaded);
    }
}

// Every cut before a file's trailing skipped bytes fails and keeps nothing.
// An Area file ends in a read; a Mate file in the block (3 bytes here) and
// the 4 skipped bytes of its last list item.
TEST(Reader, EveryCutBeforeTheTrailingSkipFails)
{
    const std::pair<build::File, std::size_t> files[] = {{richArea(), 0}, {richMate(), 7}};
    for (const auto& [f, trailingSkip] : files) {
        const std::string bytes = build::Encode(f);
        for (std::size_t length = 0; length < bytes.size() - trailingSkip; ++length) {
            const build::Loaded file = LoadBytes("X.wid", bytes.substr(0, length));
            ASSERT_FALSE(file.loaded) << "cut at " << length;
            expectNothingKept(file);
        }
        for (std::size_t cut = 1; cut <= trailingSkip; ++cut)
            EXPECT_TRUE(LoadBytes("X.wid", bytes.substr(0, bytes.size() - cut)).loaded);
    }
}

TEST(Reader, CutInsideTheTrailingSkippedBytesStillLoads)
{
    build::File battle = richArea();
    battle.kind = 1;
    battle.trailingBlockLength = 6;
    const std::string battleBytes = build::Encode(battle);
    EXPECT_TRUE(LoadBytes("B.wid", battleBytes.substr(0, battleBytes.size() - 6)).loaded);
    EXPECT_TRUE(LoadBytes("B.wid", battleBytes.substr(0, battleBytes.size() - 1)).loaded);
    EXPECT_FALSE(LoadBytes("B.wid", battleBytes.substr(0, battleBytes.size() - 7)).loaded);

    build::File item;
    item.kind = 3;
    const std::string itemBytes = build::Encode(item);
    EXPECT_TRUE(LoadBytes("I.wid", itemBytes.substr(0, itemBytes.size() - 25)).loaded);
    EXPECT_FALSE(LoadBytes("I.wid", itemBytes.substr(0, itemBytes.size() - 26)).loaded);

    build::File skill;
    skill.kind = 5;
    const std::string skillBytes = build::Encode(skill);
    EXPECT_TRUE(LoadBytes("S.wid", skillBytes.substr(0, skillBytes.size() - 9)).loaded);
    EXPECT_FALSE(LoadBytes("S.wid", skillBytes.substr(0, skillBytes.size() - 10)).loaded);

    build::File info;
    info.kind = 4;
    info.trailingBlockLength = 10;
    const std::string infoBytes = build::Encode(info);
    EXPECT_TRUE(LoadBytes("N.wid", infoBytes.substr(0, infoBytes.size() - 10)).loaded);
    EXPECT_FALSE(LoadBytes("N.wid", infoBytes.substr(0, infoBytes.size() - 11)).loaded);
}

TEST(Reader, HugeSkipPastTheEndDoesNotWrap)
{
    ByteWriter out;
    out.byte(4).int32(0).text("t").int32(1).int32(0x7FFFFFFF);
    EXPECT_TRUE(LoadBytes("Info1.wid", out.str()).loaded);  // trailing skip rule
    ByteWriter mid;
    mid.byte(4).int32(0x7FFFFFFF).text("t").int32(1).int32(0);
    EXPECT_FALSE(LoadBytes("Info1.wid", mid.str()).loaded);
}

TEST(Reader, KeyDataFollowsOnlyAreaAndBattleEvents)
{
    build::File area;
    area.kind = 0;
    build::Event big;
    big.starts = {build::Start("S")};
    big.keyDataLength = 100000;
    area.events = {big};
    EXPECT_TRUE(LoadBytes("Area1.wid", build::Encode(area)).loaded);

    ByteWriter negative;
    negative.byte(0).block(0).text("a").int32(40001).int32(1).int32(0).int32(0).int32(-1);
    EXPECT_FALSE(LoadBytes("Area1.wid", negative.str()).loaded);

    // An Area event written without its key data loses the place in the file.
    ByteWriter noKeys;
    noKeys.byte(0).block(0).text("a").int32(40001).int32(1);
    build::WriteEvent(noKeys, big, false);
    noKeys.byte(0).int32(0).int32(0);
    EXPECT_FALSE(LoadBytes("Area1.wid", noKeys.str()).loaded);

    // A Package event followed by key data fails too.
    ByteWriter withKeys;
    withKeys.byte(8).zeros(3).text("p").int32(1).int32(1);
    build::WriteEvent(withKeys, big, true);
    EXPECT_FALSE(LoadBytes("Package1.wid", withKeys.str()).loaded);
}

TEST(Reader, EmbeddedCardEffect)
{
    auto itemWithEffect = [](build::Effect effect) {
        build::File item;
        item.kind = 3;
        item.body.effects = {effect};
        return build::Encode(item);
    };
    build::Effect none{0x40808, false, {}, {}};
    build::Effect plain{0x40802, false, {}, {}};
    const std::string withoutCard = itemWithEffect(none);
    EXPECT_TRUE(LoadBytes("Item1.wid", withoutCard).loaded);
    EXPECT_EQ(withoutCard.size(), itemWithEffect(plain).size() + 3) << "S = 0 takes 4 + 3 + 4 bytes";

    build::Effect card{0x40808, true, {}, {{{build::Start("In", {build::Gain(27, 1, 1, 1)})}}}};
    EXPECT_TRUE(LoadBytes("Item1.wid", itemWithEffect(card)).loaded);

    // The embedded card's events are read in full: a bad content kind inside fails.
    build::Effect broken = card;
    broken.embeddedEvents[0].starts[0].children[0].kind = 74;
    EXPECT_FALSE(LoadBytes("Item1.wid", itemWithEffect(broken)).loaded);

    build::Effect unknown{0x40809, false, {}, {}};
    EXPECT_FALSE(LoadBytes("Item1.wid", itemWithEffect(unknown)).loaded);
}

TEST(Reader, EmbeddedCardsNestedBeyondTheBoundFail)
{
    auto nested = [](int depth) {
        build::CardBody body;
        for (int i = 0; i < depth; ++i) {
            build::Effect effect{0x40808, true, {body}, {}};
            body = build::CardBody{};
            body.effects = {effect};
        }
        build::File item;
        item.kind = 3;
        item.body = body;
        return build::Encode(item);
    };
    EXPECT_TRUE(LoadBytes("Item1.wid", nested(256)).loaded);
    EXPECT_FALSE(LoadBytes("Item1.wid", nested(257)).loaded);
}

TEST(Reader, ChildCountsAtOrBelowTheOffsetMeanNoChildren)
{
    for (std::int32_t stored : {40000, 39999, 0, -2147483647 - 1}) {
        ByteWriter out;
        out.byte(8).zeros(3).text("p").int32(1).int32(1).int32(1);
        out.byte(2).text("n").int32(stored).int32(77);
        const build::Loaded file = LoadBytes("P.wid", out.str());
        ASSERT_TRUE(file.loaded) << stored;
        EXPECT_TRUE(file.events[0].starts[0].children.empty());
        EXPECT_EQ(file.events[0].starts[0].detail.number, 77);
    }
}

TEST(Reader, HugeStoredCountsFailOnTheShortReadWithoutAllocating)
{
    for (int which = 0; which < 3; ++which) {
        ByteWriter out;
        out.byte(8).zeros(3).text("p").int32(1);
        if (which == 0)
            out.int32(2000000000);  // events
        else if (which == 1)
            out.int32(1).int32(2000000000);  // start contents
        else
            out.int32(1).int32(1).byte(40).text("n").int32(40000).byte(0).int32(2000000000);  // dialogue
        EXPECT_FALSE(LoadBytes("P.wid", out.str()).loaded) << which;
    }
}

TEST(Reader, ContentsNestedAHundredThousandDeepLoadWalkAndDestroy)
{
    constexpr int depth = 100000;
    ByteWriter out;
    out.byte(8).zeros(3).text("p").int32(1).int32(1).int32(1);
    for (int i = 0; i < depth; ++i)
        out.byte(i % 2 ? 27 : 0).text("").int32(40001);
    out.byte(0).text("leaf").int32(40000);
    for (int i = depth - 1; i >= 0; --i) {
        if (i % 2)
            out.int32(1).int32(1).byte(0);
    }
    auto file = std::make_unique<build::Loaded>(LoadBytes("P.wid", out.str()));
    ASSERT_TRUE(file->loaded) << file->failure;
    std::size_t found = 0;
    ForEachHitByPass(file->events[0], {ContentKind::ItemGet},
                     [&](std::size_t, const Content&, const Content&) { ++found; });
    EXPECT_EQ(found, depth / 2);
    file.reset();
}

}  // namespace
}  // namespace quorvel
