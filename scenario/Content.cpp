#include "scenario/Content.h"


namespace quorvel {

Ccontent::~Ccontent()
{
    // Child lists that still hold grandchildren are taken out and torn down
    // here, one list at a time, so every destructor the vectors call finds
    // no children left and returns at once: no recursion, whatever the depth.
    if (children.empty())
        return;
    std::vector<std::vector<Ccontent>> pending;
    pending.push_back(std::move(children));
    while (!pending.empty()) {
        std::vector<Ccontent> list = std::move(pending.back());
        pending.pop_back();
        for (Ccontent& child : list)
            if (!child.children.empty())
                pending.push_back(std::move(child.children));
    }
}

CollectedContents CollectByKind(const Ceventtree& event, std::uint8_t kind)
{
    CollectedContents lists;
    lists.reserve(event.starts.size());
    std::vector<const Ccontent*> stack;
    for (const Ccontent& start : event.starts) {
        std::vector<const Ccontent*>& list = lists.emplace_back();
        stack.push_back(&start);
        while (!stack.empty()) {
            const Ccontent* content = stack.back();
            stack.pop_back();
            if (content->kind == kind)
                list.push_back(content);
            for (auto child = content->children.rbegin(); child != content->children.rend(); ++child)
                stack.push_back(&*child);
        }
    }
    return lists;
}

namespace {

void visitCards(const std::vector<Ccarddata>& cards, EventOwner owner, const EventGroupVisitor& visit)
{
    for (const Ccarddata& card : cards)
        visit(owner, &card, card.events);
}

}  // namespace

void ForEachEventGroup(const Cwidfile& file, const EventGroupVisitor& visit)
{
    switch (file.kind) {
    case FileKind::Area:
    case FileKind::Battle:
        visit(EventOwner::File, nullptr, file.events);
        visitCards(file.cards, EventOwner::PlacedCard, visit);
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
}

}  // namespace quorvel
