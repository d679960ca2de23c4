#pragma once

#include "scenario/DataFile.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace quorvel {

// For each start content of the event, in stored order, the contents of one
// kind in that start's tree in pre-order (the start itself first when it
// matches). Empty when the event has no start contents.
using CollectedContents = std::vector<std::vector<const Content*>>;
CollectedContents CollectByKind(const Event& event, std::uint8_t kind);

// The contents of one kind in one start's tree, in the same pre-order, each
// handed to onMatch; `stack` is working space the caller may reuse. Trees of
// any depth are walked without recursion.
template <typename OnMatch>
void VisitKindInPreOrder(const Content& start, std::uint8_t kind, std::vector<const Content*>& stack, OnMatch&& onMatch)
{
    stack.clear();
    stack.push_back(&start);
    while (!stack.empty()) {
        const Content* content = stack.back();
        stack.pop_back();
        if (content->kind == kind)
            onMatch(*content);
        for (auto child = content->children.rbegin(); child != content->children.rend(); ++child)
            stack.push_back(&*child);
    }
}

// Where a group of events sits in its file.
enum class EventOwner {
    File,        // the file's own events
    PlacedCard,  // a card of an Area file or an enemy card of a Battle file
    OwnedItem,   // Mate owned cards
    OwnedSkill,
    OwnedBeast,
};

// Visits the events of a loaded file in the order every search shares: Area
// and Battle: file events, then each card's events; Mate: owned items, skills,
// beasts; Item, Skill, Beast, Package: file events; Info: nothing.
// `card` is null for the file's own events.
using EventGroupVisitor = std::function<void(EventOwner owner, const Card* card,
                                             std::span<const Event> events)>;
void ForEachEventGroup(const DataFile& file, const EventGroupVisitor& visit);

}  // namespace quorvel
