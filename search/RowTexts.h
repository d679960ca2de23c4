#pragma once

#include "results/HitRow.h"
#include "scenario/DataFile.h"
#include "search/DataFileLoop.h"

namespace quorvel {

// The indexed label of the event's first start content's name with index + 1;
// empty for an event without start contents.
OwnedText HeadStartName(const Event& event, int index);

// A result row of the shared layout for a content found under start content
// `start` of the visited event, its texts kept in the visit's rowTexts.
HitRow MakeHitRow(const EventVisit& visit, const Content& start, const Text& kindWord, const Text& value);

}  // namespace quorvel
