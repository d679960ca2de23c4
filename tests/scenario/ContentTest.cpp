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
    const DataFile& file = build::LoadAndKeep("P.wid", build::Encode(pkg));
    EXPECT_TRUE(file.loaded) << file.failure;
    return file.loaded ? file.events[0] : Event{};
}

std::vector<std::string> names(const std::vector<const Content*>& list)
{
    std::vector<std::string> out;
    for (const Content* c : list)
        out.emplace_back(c->name.substr(0, c->name.size() - 1));
    return out;
}

TEST(CollectByKind, EventWithoutStartsGivesNoLists)
{
    EXPECT_TRUE(CollectByKind(Event{}, 27).empty());
}

TEST(CollectByKind, PreOrderPerStartWithTheStartFirstWhenItMatches)
{
    const Event event = readEvent({
        Node(27, "s0", {Node(27, "a", {Node(27, "a1"), Node(0, "x", {Node(27, "a2")})}), Node(27, "b")}),
        Start("s1", {Node(3, "none")}),
        Start("s2", {Node(0, "y", {Node(27, "c")}), Node(27, "d")}),
    });
    const CollectedContents lists = CollectByKind(event, 27);
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(names(lists[0]), (std::vector<std::string>{"s0", "a", "a1", "a2", "b"}));
    EXPECT_TRUE(lists[1].empty());
    EXPECT_EQ(names(lists[2]), (std::vector<std::string>{"c", "d"}));
}

TEST(CollectByKind, ComparesTheWholeKindByte)
{
    const Event event = readEvent({Start("s", {Node(27, "a"), Node(28, "b")})});
    EXPECT_EQ(names(CollectByKind(event, 28)[0]), (std::vector<std::string>{"b"}));
    EXPECT_EQ(names(CollectByKind(event, 0)[0]), (std::vector<std::string>{"s"}));
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
        out.push_back({owner, std::string(card ? card->name : ""), events.size()});
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
