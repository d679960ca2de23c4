#include "search/DataFileLoop.h"

#include "scenario/ContentWalk.h"
#include "search/RowTexts.h"

namespace quorvel {

void ReportUnreadableFile(SearchContext& context, const std::string& fileName)
{
    context.messages.report({fileName + "の読み込みに失敗しました", "I'm sorry!", fileName});
}

namespace {

OwnedText cardLabel(const DataFile& file, EventOwner owner, const Card& card)
{
    switch (owner) {
    case EventOwner::PlacedCard:
        if (file.kind == FileKind::Battle)
            return IndexedLabel(Word("エネミーカード"), card.number + 1);
        return IndexedLabel(card.name, card.number + 1);
    case EventOwner::OwnedItem:
        return IndexedLabel(Word("所有アイテム"), card.number);
    case EventOwner::OwnedSkill:
        return IndexedLabel(Word("所有技能"), card.number);
    case EventOwner::OwnedBeast:
        return IndexedLabel(Word("所有召喚獣"), card.number);
    case EventOwner::SummonedBeast:
        return JoinTexts({Text(card.name.withoutStoredLastByte(), card.name.encoding(), false), Word("[召喚]")});
    case EventOwner::File:
    case EventOwner::PlayerCards:
        break;
    }
    return {};
}

}  // namespace

Text EventVisit::headStartName() const
{
    if (!madeHeadStartName)
        madeHeadStartName = HeadStartName(event, index);
    return madeHeadStartName->text();
}

void WalkFileEvents(const DataFile& file, TextStore& rowTexts, const EventVisitor& visit, const CardVisitor& visitCard,
                    const VariablesVisitor& visitVariables)
{
    const Text fileName = Text::Unicode(file.fileName);
    ForEachEventGroup(file, [&](EventOwner owner, const Card* card, std::span<const Event> events) {
        const OwnedText label = card ? cardLabel(file, owner, *card) : OwnedText();
        const Text eventText = card            ? label.text()
            : owner == EventOwner::PlayerCards ? Word("プレイヤーカード")
                                               : file.title;
        if (card && visitCard)
            visitCard(*card, fileName, eventText);
        const CardVariables* variables = card ? card->variables
            : owner == EventOwner::File       ? file.ownVariables
                                              : nullptr;
        if (variables && visitVariables)
            visitVariables(*variables, fileName, eventText);
        for (std::size_t i = 0; i < events.size(); ++i)
            visit(EventVisit{events[i], rowTexts, fileName, eventText, static_cast<int>(i), variables});
    });
}

void FileEventRowsByKey(SearchContext& context, TableMode mode, const EventRule& collect)
{
    StartAnswer(context, mode);
    Answer& answer = context.answer;
    FindInDataFiles<KeyedRow>(
        context, UsePassKinds,
        [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
            WalkFileEvents(file, texts, [&](const EventVisit& visit) { collect(visit, found); });
        },
        [&](KeyedRow& use) { answer.index.fileKeptRow(answer.index.findOrAdd(use.key), use.row); });
    answer.copyKeysToLeftList();
}

}  // namespace quorvel
