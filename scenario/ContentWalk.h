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

// The kinds of content one walk looks for, one pass each: which pass, if
// any, each kind byte belongs to. A kind stands in one pass at most, and a
// walk has at most MaxPasses passes; a table that breaks either is refused
// when it is made.
class PassKinds {
public:
    static constexpr std::size_t MaxPasses = 256;  // a pass number fits in one byte

    PassKinds(std::initializer_list<ContentKind> kinds) : PassKinds(std::span(kinds.begin(), kinds.size())) { }
    explicit PassKinds(std::span<const ContentKind> kinds) : count_(kinds.size())
    {
        if (kinds.size() > MaxPasses)
            throw std::length_error("a walk has at most 256 passes");
        for (std::size_t pass = 0; pass < kinds.size(); ++pass) {
            std::optional<std::uint8_t>& slot = passOfKind_[static_cast<std::uint8_t>(kinds[pass])];
            if (slot)
                throw std::invalid_argument("a content kind stands in two passes of one walk");
            slot = static_cast<std::uint8_t>(pass);
        }
    }

    std::size_t count() const { return count_; }
    // The pass that looks for a content of this kind byte.
    std::optional<std::uint8_t> passOf(std::uint8_t kind) const { return passOfKind_[kind]; }

private:
    std::array<std::optional<std::uint8_t>, 256> passOfKind_{};
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
            if (const std::optional<std::uint8_t> pass = passes.passOf(content.kind))
                space.hitsOfPass[*pass].push_back({&start, &content});
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

// Where a group of events sits in its file.
enum class EventOwner {
    File,        // the file's own events
    PlacedCard,  // a card of an Area file or an enemy card of a Battle file
    OwnedItem,   // Mate owned cards
    OwnedSkill,
    OwnedBeast,
    PlayerCards,  // the events of the party's cards in an area or battle
};

// Visits the events of a loaded file in the order every search shares: Area
// and Battle: file events, then each card's events, then the events of the
// party's cards; Mate: owned items, skills, beasts; Item, Skill, Beast,
// Package: file events; Info: nothing. `card` is null for events no card holds.
using EventGroupVisitor = std::function<void(EventOwner owner, const Card* card, std::span<const Event> events)>;
void ForEachEventGroup(const DataFile& file, const EventGroupVisitor& visit);

}  // namespace quorvel
