#pragma once

#include "search/DataFileLoop.h"
#include "search/Passes.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// What one of the three searches for things that exist only as texts named
// by contents looks for.
struct TextSearchRule {
    PassTable passes;    // the contents that name the thing in their text
    bool valueIsTarget;  // the value column shows the target word (the coupon search)
};

extern const TextSearchRule CouponUses;
extern const TextSearchRule GossipUses;
extern const TextSearchRule SoundUses;

// Lists every distinct text that a content of the rule's kinds names, in
// sorted order; under each, every content that names it.
void SearchTextUses(SearchContext& context, const TextSearchRule& rule);

// The uses in one event, keyed by the content's text as stored.
void CollectTextUses(const EventVisit& visit, const TextSearchRule& rule, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found);

}  // namespace quorvel
