#include "search/LinkSearch.h"

#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

const PassTable LinkPasses{{ContentKind::StartLink, "リンク"}, {ContentKind::StartCall, "コール"}};

}  // namespace

bool SearchLinks(SearchContext& context, const std::string& name)
{
    StartAnswer(context, TableMode::Sorted);
    Answer& answer = context.answer;
    const std::optional<DataFile> file = context.source.openDataFile(name);
    if (!file) {
        ReportUnreadableFile(context, name);
        return false;
    }
    WalkFileEvents(*file, answer.index.texts(), [&](const EventVisit& visit) { CollectLinks(answer.index, visit); });
    answer.copyKeysToLeftList();
    return true;
}

void CollectLinks(ResultIndex& index, const EventVisit& visit)
{
    // Each line notes the event it starts, "<file or card> / <head start>",
    // as starts of several events may share a name.
    const OwnedText event = JoinTexts({visit.eventText.shownPart(), Word(" / "), visit.headStartName()});
    for (const Content& start : visit.event.starts)
        index.setNote(index.add(start.name), event.text());
    ForEachPassHit(visit.event, LinkPasses, [&](const Text& kindWord, const Content& start, const Content& hit) {
        std::optional<EntryId> entry = index.find(hit.detail.text);
        if (!entry)
            entry = index.findOrAdd(Word("無効なリンク"));
        index.fileKeptRow(*entry, MakeHitRow(visit, start, kindWord, hit.detail.text));
    });
}

}  // namespace quorvel
