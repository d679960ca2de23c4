#include "search/RowTexts.h"

namespace quorvel {

OwnedText HeadStartName(const Event& event, int index)
{
    if (event.starts.empty())
        return {};
    return IndexedLabel(event.starts.front().name, index + 1LL);
}

HitRow MakeHitRow(const EventVisit& visit, const Content& start, const Text& kindWord, const Text& value)
{
    return HitRow{
        visit.rowTexts.keepRow({visit.fileName, visit.eventText, visit.headStartName(), start.name, kindWord, value})};
}

}  // namespace quorvel
