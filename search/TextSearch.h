#pragma once

#include "search/DataFileLoop.h"
#include "search/Passes.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// What a pass of a text search reads of the contents it finds.
enum class TextsRead {
    Text,            // the content's text
    Scores,          // the coupons of an evaluation, with the score each adds
    FurtherCoupons,  // the names of a coupon branch after its first
    ChildNames,      // the names of its children (a multi-coupon branch)
    InitialSound,    // an effect's second sound
};

// What one of the three searches for things that exist only as texts named
// by contents looks for.
struct TextSearchRule {
    PassTable passes;              // the contents that name the thing
    std::vector<TextsRead> reads;  // what each pass reads of them
    bool valueIsTarget;            // the value column shows the target word (the coupon search)
    bool holdingCoupons;           // a last pass: the coupon any content names as held (XML only)
};

extern const TextSearchRule CouponUses;
extern const TextSearchRule GossipUses;
extern const TextSearchRule SoundUses;

// Lists every distinct text that a content of the rule's kinds names, in
// sorted order; under each, every content that names it.
void SearchTextUses(SearchContext& context, const TextSearchRule& rule);

// The uses in one event, keyed by the text named as stored.
void CollectTextUses(const EventVisit& visit, const TextSearchRule& rule, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found);

}  // namespace quorvel
