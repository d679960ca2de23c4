#pragma once

#include "scenario/ContentKind.h"
#include "scenario/DataFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace quorvel {

// A set of content kinds, by their kind bytes.
class KindSet {
public:
    constexpr KindSet() = default;
    constexpr KindSet(ContentKind kind) { add(static_cast<std::uint8_t>(kind)); }
    constexpr KindSet(std::initializer_list<std::uint8_t> kinds)
    {
        for (const std::uint8_t kind : kinds)
            add(kind);
    }
    constexpr bool has(std::uint8_t kind) const { return (bits_[kind / 64] >> (kind % 64)) & 1; }
    // The set with one more kind.
    constexpr KindSet with(std::uint8_t kind) const
    {
        KindSet more = *this;
        more.add(kind);
        return more;
    }

private:
    constexpr void add(std::uint8_t kind) { bits_[kind / 64] |= std::uint64_t{1} << (kind % 64); }
    std::array<std::uint64_t, 4> bits_{};
};

// The kinds of content one walk looks for, pass by pass: which passes, if
// any, each kind byte belongs to. A kind stands in two passes at most, and a
// walk has at most MaxPasses passes; a table that breaks either is refused
// when it is made.
class PassKinds {
public:
    static constexpr std::size_t MaxPasses = 256;  // a pass number fits in one byte
    static constexpr std::size_t MaxPassesOfAKind = 2;

    // The passes of one kind, in pass order.
    struct PassesOfKind {
        std::array<std::uint8_t, MaxPassesOfAKind> passes{};
        std::uint8_t count = 0;
        const std::uint8_t* begin() const { return passes.data(); }
        const std::uint8_t* end() const { return passes.data() + count; }
    };

    PassKinds(std::initializer_list<ContentKind> kinds)
        : PassKinds(std::vector<KindSet>(kinds.begin(), kinds.end())) { }
    explicit PassKinds(std::span<const ContentKind> kinds) : PassKinds(std::vector<KindSet>(kinds.begin(), kinds.end()))
    {
    }
    explicit PassKinds(const std::vector<KindSet>& passes) : count_(passes.size())
    {
        if (passes.size() > MaxPasses)
            throw std::length_error("a walk has at most 256 passes");
        for (std::size_t pass = 0; pass < passes.size(); ++pass)
            for (int kind = 0; kind < 256; ++kind) {
                if (!passes[pass].has(static_cast<std::uint8_t>(kind)))
                    continue;
                PassesOfKind& slot = passesOfKind_[static_cast<std::size_t>(kind)];
                if (slot.count == MaxPassesOfAKind)
                    throw std::invalid_argument("a content kind stands in more than two passes of one walk");
                slot.passes[slot.count++] = static_cast<std::uint8_t>(pass);
            }
    }

    std::size_t count() const { return count_; }
    // The passes that look for a content of this kind byte.
    const PassesOfKind& passesOf(std::uint8_t kind) const { return passesOfKind_[kind]; }

private:
    std::array<PassesOfKind, 256> passesOfKind_{};
    std::size_t count_;
};

namespace detail {

// The working space of the walks of one thread: kept from event to event,
// so a walk makes no allocation once it has room.
struct WalkSpace {
    struct Hit {
        const Content* start;
        const Content* content;
    };
    std::vector<std::vector<Hit>> hitsOfPass;
    std::vector<std::span<const Content>> unvisited;
    bool walking = false;

    static WalkSpace& ofThisThread()
    {
        thread_local WalkSpace space;
        return space;
    }
};

// Takes the thread's working space for one walk, with room for its
// passes, and leaves it empty and free however the walk ends.
class WalkInProgress {
public:
    WalkInProgress(WalkSpace& space, std::size_t passes) : space_(space), passes_(passes)
    {
        if (space_.walking)
            throw std::logic_error("ForEachHitByPass may not be started from inside another walk on its thread");
        if (space_.hitsOfPass.size() < passes_)
            space_.hitsOfPass.resize(passes_);
        space_.walking = true;
    }
    ~WalkInProgress()
    {
        for (std::size_t pass = 0; pass < passes_; ++pass)
            space_.hitsOfPass[pass].clear();
        space_.walking = false;
    }
    WalkInProgress(const WalkInProgress&) = delete;
    WalkInProgress& operator=(const WalkInProgress&) = delete;

private:
    WalkSpace& space_;
    std::size_t passes_;
};

}  // namespace detail

// For each pass in order, for each start content of the event in order,
// every content of the pass's kind in that start's tree in pre-order (a
// content before its children's subtrees, which come before its later
// siblings; the start itself first when it matches): onHit(pass, start
// content, content found).
//
// Each start's tree is walked once for all passes, without recursion, so
// trees of any depth are walked safely: the contents found are sorted into
// one list per pass as they are met, and the lists are handed out pass by
// pass at the end, which gives that same order.
//
// A walk uses its thread's working space until it returns, so onHit may not
// start another walk on the same thread: that throws std::logic_error.
template <typename OnHit>
void ForEachHitByPass(const Event& event, const PassKinds& passes, OnHit&& onHit)
{
    detail::WalkSpace& space = detail::WalkSpace::ofThisThread();
    const detail::WalkInProgress taken(space, passes.count());
    for (const Content& start : event.starts) {
        space.unvisited.clear();
        std::span<const Content> siblings(&start, 1);
        while (true) {
            if (siblings.empty()) {
                if (space.unvisited.empty())
                    break;
                siblings = space.unvisited.back();
                space.unvisited.pop_back();
                continue;
            }
            const Content& content = siblings.front();
            siblings = siblings.subspan(1);
            for (const std::uint8_t pass : passes.passesOf(content.kind))
                space.hitsOfPass[pass].push_back({&start, &content});
            if (!content.children.empty()) {
                space.unvisited.push_back(siblings);
                siblings = content.children;
            }
        }
    }
    for (std::size_t pass = 0; pass < passes.count(); ++pass)
        for (const detail::WalkSpace::Hit& hit : space.hitsOfPass[pass])
            onHit(pass, *hit.start, *hit.content);
}

// Every content of the event, start by start, in pre-order, without
// recursion: onContent(start content, content).
template <typename OnContent>
void ForEachContent(const Event& event, OnContent&& onContent)
{
    std::vector<std::span<const Content>> unvisited;
    for (const Content& start : event.starts) {
        std::span<const Content> siblings(&start, 1);
        while (true) {
            if (siblings.empty()) {
                if (unvisited.empty())
                    break;
                siblings = unvisited.back();
                unvisited.pop_back();
                continue;
            }
            const Content& content = siblings.front();
            siblings = siblings.subspan(1);
            onContent(start, content);
            if (!content.children.empty()) {
                unvisited.push_back(siblings);
                siblings = content.children;
            }
        }
    }
}

// Where a group of events sits in its file.
enum class EventOwner {
    File,        // the file's own events
    PlacedCard,  // a card of an Area file or an enemy card of a Battle file
    OwnedItem,   // Mate owned cards
    OwnedSkill,
    OwnedBeast,
    PlayerCards,    // the events of the party's cards in an area or battle
    SummonedBeast,  // a beast a summon effect embeds
};

// Visits the events of a loaded file in the order every search shares: Area
// and Battle: file events, then each card's events, then the events of the
// party's cards; Mate: owned items, skills, beasts; Item, Skill, Beast,
// Package: file events; Info: nothing; then, in every kind, the events of
// each beast summon effects embed (DataFile::summonedBeasts). `card` is null
// for events no card holds.
using EventGroupVisitor = std::function<void(EventOwner owner, const Card* card, std::span<const Event> events)>;
void ForEachEventGroup(const DataFile& file, const EventGroupVisitor& visit);

}  // namespace quorvel
