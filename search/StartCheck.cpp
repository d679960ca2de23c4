#include "search/StartCheck.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

constexpr std::array<Pass, 2> JumpPasses = {{{ContentKind::StartLink, "リンク"}, {ContentKind::StartCall, "コール"}}};

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
    ResultsPanel& results = context.results;
    results.ClearResults();
    results.index.setMode(TableMode::Sorted);
    FindInDataFiles<KeyedRow>(
        context, UsePassMask,
        [](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) { CheckStartFile(file, found, texts); },
        [&](KeyedRow& jump) { results.index.fileKeptRow(results.index.findOrAdd(std::move(jump.key)), jump.row); });
    results.copyKeysToLeftList();
}

void CheckStartFile(const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts)
{
    WalkFileEvents(file, texts, [&](const EventVisit& visit) { CheckStartEvent(visit, found); });
}

void CheckStartEvent(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    std::vector<std::u16string> startNames;
    for (const Content& start : visit.event.starts)
        startNames.push_back(comparable(start.name));
    ForEachPassHit(visit.event, JumpPasses, [&](const std::string& kindWord, const Content& start, const Content& jump) {
        if (std::find(startNames.begin(), startNames.end(), comparable(jump.data.text)) != startNames.end())
            return;
        found.push_back({std::string(jump.data.text), MakeHitRow(visit, start, kindWord, jump.data.text)});
    });
}

}  // namespace quorvel
