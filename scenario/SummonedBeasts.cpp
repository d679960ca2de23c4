#include "scenario/SummonedBeasts.h"

#include "scenario/ContentWalk.h"

namespace quorvel {

namespace {

// The beasts the effect contents of these events embed, in walk order.
void appendBeastsOfEvents(std::span<const Event> events, std::vector<const Card*>& beasts)
{
    std::vector<std::span<const Content>> unvisited;
    for (const Event& event : events) {
        if (!event.contentsHaveExtras)
            continue;
        unvisited.assign(1, event.starts);
        while (!unvisited.empty()) {
            std::span<const Content>& siblings = unvisited.back();
            if (siblings.empty()) {
                unvisited.pop_back();
                continue;
            }
            const Content& content = siblings.front();
            siblings = siblings.subspan(1);
            if (content.extras)
                for (const Card& beast : content.extras->summoned)
                    beasts.push_back(&beast);
            if (!content.children.empty())
                unvisited.push_back(content.children);
        }
    }
}

std::vector<const Card*> embeddedIn(const Card& beast)
{
    std::vector<const Card*> beasts;
    for (const Card& summoned : beast.summoned)
        beasts.push_back(&summoned);
    appendBeastsOfEvents(beast.events, beasts);
    return beasts;
}

}  // namespace

std::vector<Card> SummonedBeastsInWalkOrder(const DataFile& file, std::span<const Card> ofOwnEffects)
{
    std::vector<const Card*> outermost;
    for (const Card& beast : ofOwnEffects)
        outermost.push_back(&beast);
    ForEachEventGroup(file, [&](EventOwner, const Card* card, std::span<const Event> events) {
        if (card)
            for (const Card& beast : card->summoned)
                outermost.push_back(&beast);
        appendBeastsOfEvents(events, outermost);
    });
    struct Level {
        std::vector<const Card*> beasts;
        std::size_t next = 0;
    };
    std::vector<Card> inOrder;
    std::vector<Level> levels;
    levels.push_back({std::move(outermost)});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.beasts.size()) {
            levels.pop_back();
            continue;
        }
        const Card& beast = *level.beasts[level.next++];
        inOrder.push_back(beast);
        if (std::vector<const Card*> inner = embeddedIn(beast); !inner.empty())
            levels.push_back({std::move(inner)});  // `level` is not used past this point
    }
    return inOrder;
}

}  // namespace quorvel
