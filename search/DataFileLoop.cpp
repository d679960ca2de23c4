#include "search/DataFileLoop.h"

#include "results/ShiftJis.h"
#include "scenario/Content.h"
#include "search/RowTexts.h"

namespace quorvel {

TargetWordTable DefaultTargetWords()
{
    return {FixedWord("選択中"), FixedWord("誰か"), FixedWord("全員"),
            FixedWord("荷物袋"), FixedWord("全体"), FixedWord("フィールド")};
}

std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code)
{
    if (code >= 0 && code < static_cast<int>(targetWords.size()))
        return targetWords[static_cast<std::size_t>(code)];
    return std::to_string(code);
}

void ForEachDataFile(SearchContext& context, const std::string& mask,
                     const std::function<void(const Cwidfile&)>& walk)
{
    context.files.setMask(mask);
    for (int position = 0; position < context.files.count(); ++position) {
        // One data file in memory at a time: it is destroyed at the end of each turn.
        const Cwidfile file(context.files.fullPath(position));
        if (!file.loaded) {
            context.messages.showMessage(file.fileName + "の読み込みに失敗しました", "I'm sorry!");
            continue;
        }
        walk(file);
    }
}

namespace {

std::string cardLabel(EventOwner owner, const Ccarddata& card)
{
    switch (owner) {
    case EventOwner::PlacedCard:
        return IndexedLabel(card.name, card.number + 1LL, true);
    case EventOwner::OwnedItem:
        return IndexedLabel(FixedWord("所有アイテム"), card.number, false);
    case EventOwner::OwnedSkill:
        return IndexedLabel(FixedWord("所有技能"), card.number, false);
    case EventOwner::OwnedBeast:
        return IndexedLabel(FixedWord("所有召喚獣"), card.number, false);
    case EventOwner::File:
        break;
    }
    return {};
}

}  // namespace

void WalkFileEvents(const Cwidfile& file, const EventVisitor& visit, const CardVisitor& visitCard)
{
    const std::string fileName = Utf8ToSjis(file.fileName);
    ForEachEventGroup(file, [&](EventOwner owner, const Ccarddata* card, const std::vector<Ceventtree>& events) {
        std::string eventText;
        if (owner == EventOwner::File)
            eventText = file.name;
        else if (owner == EventOwner::PlacedCard && file.kind == FileKind::Battle)
            eventText = IndexedLabel(FixedWord("エネミーカード"), card->number + 1LL, false);
        else
            eventText = cardLabel(owner, *card);
        if (card && visitCard)
            visitCard(*card, fileName, eventText);
        for (std::size_t i = 0; i < events.size(); ++i) {
            const std::string head = HeadStartName(events[i], static_cast<int>(i));
            visit(EventVisit{events[i], fileName, eventText, static_cast<int>(i), head});
        }
    });
}

}  // namespace quorvel
