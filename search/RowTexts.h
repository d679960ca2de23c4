#pragma once

#include "results/HitRow.h"
#include "scenario/DataFile.h"
#include "search/DataFileLoop.h"

#include <string>
#include <string_view>

namespace quorvel {

// "<text>[<number>]"; dataFileText drops the text's final zero byte first.
std::string IndexedLabel(std::string_view text, long long number, bool dataFileText);

// The indexed label of the event's first start content's name with index + 1;
// empty for an event without start contents.
std::string HeadStartName(const Event& event, int index);

// A result row of the shared layout for a content found under start content
// `start` of the visited event, its texts kept in the visit's rowTexts.
HitRow MakeHitRow(const EventVisit& visit, const Content& start, std::string_view kindWord, std::string_view value);

// A fixed word of the results, a UTF-8 literal, as the Shift-JIS bytes rows
// hold; the reference is good for the calling thread.
const std::string& FixedWord(const char* utf8);

}  // namespace quorvel
