#include "search/DataFileLoop.h"

#include "scenario/ContentWalk.h"
#include "scenario/ShiftJis.h"
#include "search/RowTexts.h"

namespace quorvel {

void ReportUnreadableFile(SearchContext& context, const std::string& fileName)
{
    context.messages.showMessage(fileName + "の読み込みに失敗しました", "I'm sorry!");
}

namespace {

std::string cardLabel(const DataFile& file, EventOwner owner, const Card& card)
{
    switch (owner) {
    case EventOwner::PlacedCard:
        if (file.kind == FileKind::Battle)
            return IndexedLabel(FixedWord("エネミーカード"), card.number + 1LL, false);
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
        const std::string eventText = card ? cardLabel(file, owner, *card) : std::string(file.title);
        if (card && visitCard)
            visitCard(*card, fileName, eventText);
        for (std::size_t i = 0; i < events.size(); ++i)
            visit(EventVisit{events[i], rowTexts, fileName, eventText, static_cast<int>(i)});
    });
}

void FileEventRowsByKey(SearchContext& context, TableMode mode, const EventRule& collect)
{
    ResultsPanel& results = context.results;
    results.clear();
    results.index.setMode(mode);
    FindInDataFiles<KeyedRow>(
        context, UsePassMask,
        [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
            WalkFileEvents(file, texts, [&](const EventVisit& visit) { collect(visit, found); });
        },
        [&](KeyedRow& use) { results.index.fileKeptRow(results.index.findOrAdd(use.key), use.row); });
    results.copyKeysToLeftList();
}

}  // namespace quorvel
