#include "tests/support/Loading.h"
#include "tools/builder/WidBuilder.h"

#include "scenario/ContentWalk.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using build::Gain;
using build::Node;
using build::Start;

Event readEvent(std::vector<build::Content> starts)
{
    build::File pkg;
    pkg.kind = 8;
    pkg.events = {{std::move(starts)}};
    const build::Loaded& file = build::LoadAndKeep("P.wid", build::Encode(pkg));
    EXPECT_TRUE(file.loaded) << file.failure;
    return file.loaded ? file.events[0] : Event{};
}

std::string shown(Text stored)
{
    return std::string(stored.shownBytes());
}

// Every hit of a walk as "pass:start:content".
std::vector<std::string> hits(const Event& event, const PassKinds& passes)
{
    std::vector<std::string> out;
    ForEachHitByPass(event, passes, [&](std::size_t pass, const Content& start, const Content& hit) {
        out.push_back(std::to_string(pass) + ":" + shown(start.name) + ":" + shown(hit.name));
    });
    return out;
}

constexpr auto ItemGet = ContentKind::ItemGet;            // 27
constexpr auto SkillGet = ContentKind::SkillGet;          // 28
constexpr auto AbilityCheck = ContentKind::AbilityCheck;  // 13

TEST(ForEachHitByPass, EventWithoutStartsGivesNoHits)
{
    EXPECT_TRUE(hits(Event{}, {ItemGet}).empty());
}

TEST(ForEachHitByPass, PreOrderPerStartWithTheStartFirstWhenItMatches)
{
    const Event event = readEvent({
        Node(27, "s0", {Node(27, "a", {Node(27, "a1"), Node(0, "x", {Node(27, "a2")})}), Node(27, "b")}),
        Start("s1", {Node(3, "none")}),
        Start("s2", {Node(0, "y", {Node(27, "c")}), Node(27, "d")}),
    });
    EXPECT_EQ(hits(event, {ItemGet}),
              (std::vector<std::string>{"0:s0:s0", "0:s0:a", "0:s0:a1", "0:s0:a2", "0:s0:b", "0:s2:c", "0:s2:d"}));
}

TEST(ForEachHitByPass, HitsComePassByPassThenStartByStart)
{
    const Event event = readEvent({
        Start("s0", {Node(28, "skill", {Node(27, "item")}), Node(13, "check")}),
        Start("s1", {Node(27, "item2"), Node(28, "skill2")}),
    });
    EXPECT_EQ(hits(event, {SkillGet, ItemGet}),
              (std::vector<std::string>{"0:s0:skill", "0:s1:skill2", "1:s0:item", "1:s1:item2"}));
    EXPECT_EQ(hits(event, {AbilityCheck, ContentKind{0}}),
              (std::vector<std::string>{"0:s0:check", "1:s0:s0", "1:s1:s1"}));
}

TEST(ForEachHitByPass, ComparesTheWholeKindByte)
{
    const Event event = readEvent({Start("s", {Node(27, "a"), Node(28, "b")})});
    EXPECT_EQ(hits(event, {SkillGet}), (std::vector<std::string>{"0:s:b"}));
    EXPECT_EQ(hits(event, {ContentKind{0}}), (std::vector<std::string>{"0:s:s"}));
}

TEST(PassKinds, AKindStandsInTwoPassesAtMostAndAWalkInAtMostItsPasses)
{
    EXPECT_NO_THROW(PassKinds({ItemGet, SkillGet, ItemGet}));
    EXPECT_THROW(PassKinds({ItemGet, SkillGet, ItemGet, ItemGet}), std::invalid_argument);
    std::vector<ContentKind> many;
    for (int kind = 0; kind < 256; ++kind)
        many.push_back(static_cast<ContentKind>(kind));
    EXPECT_EQ(PassKinds(many).count(), 256u);
    many.push_back(ItemGet);
    EXPECT_THROW(PassKinds{many}, std::length_error);
}

TEST(ForEachHitByPass, AKindOfTwoPassesIsFoundInBothAndPassesOfSeveralKindsKeepWalkOrder)
{
    const Event event = readEvent({Start("s", {Node(27, "a", {Node(28, "b")}), Node(34, "c")})});
    EXPECT_EQ(hits(event, PassKinds(std::vector<KindSet>{ItemGet, KindSet{27, 28, 34}, SkillGet})),
              (std::vector<std::string>{"0:s:a", "1:s:a", "1:s:b", "1:s:c", "2:s:b"}));
}

TEST(ForEachHitByPass, AWalkStartedFromInsideAnotherThrowsAndTheNextWalkIsClean)
{
    const Event event = readEvent({Start("s", {Node(27, "a"), Node(27, "b")})});
    const PassKinds items{ItemGet};
    EXPECT_THROW(ForEachHitByPass(event, items,
                                  [&](std::size_t, const Content&, const Content&) {
                                      ForEachHitByPass(event, items,
                                                       [](std::size_t, const Content&, const Content&) {});
                                  }),
                 std::logic_error);
    EXPECT_EQ(hits(event, items), (std::vector<std::string>{"0:s:a", "0:s:b"}));
}

struct Visit {
    EventOwner owner;
    std::string card;
    std::size_t events;
};

std::vector<Visit> visits(const DataFile& file)
{
    std::vector<Visit> out;
    ForEachEventGroup(file, [&](EventOwner owner, const Card* card, std::span<const Event> events) {
        out.push_back({owner, std::string(card ? card->name.bytes() : ""), events.size()});
    });
    return out;
}

build::Card card(const std::string& name, std::size_t events)
{
    build::Card c;
    c.name = name;
    c.events.resize(events);
    return c;
}

TEST(ForEachEventGroup, AreaVisitsFileEventsThenEachCard)
{
    build::File area;
    area.kind = 0;
    area.events.resize(2);
    area.cards = {card("A", 1), card("B", 3)};
    const auto seen = visits(build::LoadBytes("Area1.wid", build::Encode(area)));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].owner, EventOwner::File);
    EXPECT_EQ(seen[0].events, 2u);
    EXPECT_EQ(seen[1].owner, EventOwner::PlacedCard);
    EXPECT_EQ(seen[1].card, std::string("A", 2));
    EXPECT_EQ(seen[2].events, 3u);
}

TEST(ForEachEventGroup, MateVisitsItemsThenSkillsThenBeasts)
{
    build::File mate;
    mate.kind = 2;
    mate.beasts = {card("beast", 1)};
    mate.skills = {card("skill", 1)};
    mate.cards = {card("item", 1), card("item2", 0)};
    const auto seen = visits(build::LoadBytes("Mate1.wid", build::Encode(mate)));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].owner, EventOwner::OwnedItem);
    EXPECT_EQ(seen[1].owner, EventOwner::OwnedItem);
    EXPECT_EQ(seen[2].owner, EventOwner::OwnedSkill);
    EXPECT_EQ(seen[3].owner, EventOwner::OwnedBeast);
    EXPECT_EQ(seen[3].card, std::string("beast", 6));
}

TEST(ForEachEventGroup, InfoVisitsNothingAndPackageItsOwnEvents)
{
    build::File info;
    info.kind = 4;
    EXPECT_TRUE(visits(build::LoadBytes("Info1.wid", build::Encode(info))).empty());

    build::File pkg;
    pkg.kind = 8;
    pkg.events.resize(4);
    const auto seen = visits(build::LoadBytes("P.wid", build::Encode(pkg)));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].events, 4u);
}

}  // namespace
}  // namespace quorvel
