#include "search/DataFileLoop.h"

#include "scenario/ShiftJis.h"
#include "scenario/ContentWalk.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <thread>

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

void ReportUnreadableFile(SearchContext& context, const std::string& fileName)
{
    context.messages.showMessage(fileName + "の読み込みに失敗しました", "I'm sorry!");
}

unsigned WorkersOfThisMachine()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

namespace {

std::string cardLabel(EventOwner owner, const Card& card)
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

const std::string& EventVisit::headStartName() const
{
    if (!madeHeadStartName)
        madeHeadStartName = HeadStartName(event, index);
    return *madeHeadStartName;
}

void WalkFileEvents(const DataFile& file, TextStore& rowTexts, const EventVisitor& visit, const CardVisitor& visitCard)
{
    const std::string fileName = Utf8ToSjis(file.fileName);
    ForEachEventGroup(file, [&](EventOwner owner, const Card* card, std::span<const Event> events) {
        std::string eventText;
        if (owner == EventOwner::File)
            eventText = file.name;
        else if (owner == EventOwner::PlacedCard && file.kind == FileKind::Battle)
            eventText = IndexedLabel(FixedWord("エネミーカード"), card->number + 1LL, false);
        else
            eventText = cardLabel(owner, *card);
        if (card && visitCard)
            visitCard(*card, fileName, eventText);
        for (std::size_t i = 0; i < events.size(); ++i)
            visit(EventVisit{events[i], rowTexts, fileName, eventText, static_cast<int>(i)});
    });
}

}  // namespace quorvel
