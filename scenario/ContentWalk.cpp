#include "scenario/ContentWalk.h"

namespace quorvel {

namespace {

void visitCards(std::span<const Card> cards, EventOwner owner, const EventGroupVisitor& visit)
{
    for (const Card& card : cards)
        visit(owner, &card, card.events);
}

}  // namespace

void ForEachEventGroup(const DataFile& file, const EventGroupVisitor& visit)
{
    switch (file.kind) {
    case FileKind::Area:
    case FileKind::Battle:
        visit(EventOwner::File, nullptr, file.events);
        visitCards(file.cards, EventOwner::PlacedCard, visit);
        if (!file.playerCardEvents.empty())
            visit(EventOwner::PlayerCards, nullptr, file.playerCardEvents);
        break;
    case FileKind::Mate:
        visitCards(file.cards, EventOwner::OwnedItem, visit);
        visitCards(file.skills, EventOwner::OwnedSkill, visit);
        visitCards(file.beasts, EventOwner::OwnedBeast, visit);
        break;
    case FileKind::Item:
    case FileKind::Skill:
    case FileKind::Beast:
    case FileKind::Package:
        visit(EventOwner::File, nullptr, file.events);
        break;
    case FileKind::Info:
        break;
    }
    visitCards(file.summonedBeasts, EventOwner::SummonedBeast, visit);
}

}  // namespace quorvel
