#include "search/LinkSearch.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

const PassTable LinkPasses{{ContentKind::StartLink, "リンク"}, {ContentKind::StartCall, "コール"}};

}  // namespace

bool SearchLinks(SearchContext& context, const std::string& path)
{
    ResultsPanel& results = context.results;
    results.clear();
    results.index.setMode(TableMode::Sorted);
    const DataFile file(path);
    if (!file.loaded) {
        ReportUnreadableFile(context, file.fileName);
        return false;
    }
    WalkFileEvents(file, results.index.texts(), [&](const EventVisit& visit) { CollectLinks(results.index, visit); });
    results.copyKeysToLeftList();
    return true;
}

void CollectLinks(ResultIndex& index, const EventVisit& visit)
{
    // Each line notes the event it starts, "<file or card> / <head start>",
    // as starts of several events may share a name.
    const std::string event = std::string(UpToFirstZero(visit.eventText)) + " / " + visit.headStartName();
    for (const Content& start : visit.event.starts)
        index.setNote(index.add(std::string(start.name)), event);
    ForEachPassHit(visit.event, LinkPasses, [&](const std::string& kindWord, const Content& start, const Content& hit) {
        std::optional<EntryId> entry = index.find(hit.detail.text);
        if (!entry)
            entry = index.findOrAdd(FixedWord("無効なリンク"));
        index.fileKeptRow(*entry, MakeHitRow(visit, start, kindWord, hit.detail.text));
    });
}

}  // namespace quorvel
