#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// The three searches for things that exist only as texts named by contents.
enum class TextSearchKind { Coupon, Gossip, Sound };

// Lists every distinct text that a content of the kind names, in sorted
// order; under each, every content that names it.
void SearchTextUses(SearchContext& context, TextSearchKind kind);

// The uses in one event, keyed by the content's text as stored.
void CollectTextUses(const EventVisit& visit, TextSearchKind kind, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found);

// The SearchMode each search leaves behind.
int SearchModeOf(TextSearchKind kind);

}  // namespace quorvel
