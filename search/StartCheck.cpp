#include "search/StartCheck.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

#include <algorithm>

namespace quorvel {

namespace {

const PassTable JumpPasses{{ContentKind::StartLink, "リンク"}, {ContentKind::StartCall, "コール"}};

// A start name or target as compared: without the zero byte that ends it
// (a text stored without one keeps all its bytes), folded for case.
std::u16string comparable(std::string_view stored)
{
    if (!stored.empty() && stored.back() == '\0')
        stored.remove_suffix(1);
    return CaseFolded(stored);
}

}  // namespace

void CheckStart(SearchContext& context)
{
    FileEventRowsByKey(context, TableMode::Sorted, CheckStartEvent);
}

void CheckStartEvent(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    std::vector<std::u16string> startNames;
    for (const Content& start : visit.event.starts)
        startNames.push_back(comparable(start.name));
    ForEachPassHit(
        visit.event, JumpPasses, [&](const std::string& kindWord, const Content& start, const Content& jump) {
            if (std::find(startNames.begin(), startNames.end(), comparable(jump.detail.text)) != startNames.end())
                return;
            found.push_back(
                {visit.rowTexts.keepBytes(jump.detail.text), MakeHitRow(visit, start, kindWord, jump.detail.text)});
        });
}

}  // namespace quorvel
