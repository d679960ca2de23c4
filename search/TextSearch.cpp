#include "search/TextSearch.h"

#include "search/RowTexts.h"

#include <vector>

namespace quorvel {

using K = ContentKind;

const TextSearchRule CouponUses{{{K::CouponDelete, "削除"}, {K::CouponGet, "取得"}, {K::CouponBranch, "分岐"}}, true};
const TextSearchRule GossipUses{{{K::GossipDelete, "削除"}, {K::GossipGet, "取得"}, {K::GossipBranch, "分岐"}}, false};
const TextSearchRule SoundUses{{{K::PlaySound, "ラッパ"}, {K::Effect, "効果"}}, false};

void SearchTextUses(SearchContext& context, const TextSearchRule& rule)
{
    FileEventRowsByKey(context, TableMode::Sorted, [&](const EventVisit& visit, std::vector<KeyedRow>& found) {
        CollectTextUses(visit, rule, context.targetWords, found);
    });
}

void CollectTextUses(const EventVisit& visit, const TextSearchRule& rule, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found)
{
    ForEachPassHit(
        visit.event, rule.passes, [&](const std::string& kindWord, const Content& start, const Content& hit) {
            const std::string value = rule.valueIsTarget ? TargetWord(targetWords, hit.detail.option) : std::string();
            found.push_back({std::string(hit.detail.text), MakeHitRow(visit, start, kindWord, value)});
        });
}

}  // namespace quorvel
