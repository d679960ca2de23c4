#include "search/TextSearch.h"

#include "search/RowTexts.h"

#include <vector>

namespace quorvel {

using K = ContentKind;

// A dialogue whose speaker is chosen by coupon score uses the coupons of its evaluation.
const TextSearchRule CouponUses{
    {{K::CouponDelete, "削除"}, {K::CouponGet, "取得"}, {K::CouponBranch, "分岐"}, {K::Dialogue, "評価"}}, true};
const TextSearchRule GossipUses{{{K::GossipDelete, "削除"}, {K::GossipGet, "取得"}, {K::GossipBranch, "分岐"}}, false};
const TextSearchRule SoundUses{{{K::PlaySound, "ラッパ"}, {K::Effect, "効果"}}, false};

void SearchTextUses(SearchContext& context, const TextSearchRule& rule)
{
    FileEventRowsByKey(context, TableMode::Sorted, [&](const EventVisit& visit, std::vector<KeyedRow>& found) {
        CollectTextUses(visit, rule, context.targetWords, found);
    });
}

namespace {

// The first entry of an evaluation is the starting score when it names no
// coupon (stored empty, or as the zero byte alone).
bool isStartingScore(std::span<const CouponScore> scores, std::size_t entry)
{
    const std::string_view coupon = scores[entry].coupon.bytes();
    return entry == 0 && (coupon.empty() || coupon == std::string_view("\0", 1));
}

// Each coupon of a dialogue's evaluation, with the score it adds.
void collectScores(const EventVisit& visit, const Content& start, const Content& dialogue, const Text& kindWord,
                   std::vector<KeyedRow>& found)
{
    const std::span<const CouponScore> scores = dialogue.detail.couponScores;
    for (std::size_t entry = 0; entry < scores.size(); ++entry)
        if (!isStartingScore(scores, entry))
            found.push_back({visit.rowTexts.keepBytes(scores[entry].coupon),
                             MakeHitRow(visit, start, kindWord, Text::Unicode(std::to_string(scores[entry].value)))});
}

}  // namespace

void CollectTextUses(const EventVisit& visit, const TextSearchRule& rule, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, rule.passes, [&](const Text& kindWord, const Content& start, const Content& hit) {
        if (hit.kind == static_cast<std::uint8_t>(K::Dialogue)) {
            collectScores(visit, start, hit, kindWord, found);
            return;
        }
        const std::string value = rule.valueIsTarget ? TargetWord(targetWords, hit.detail.option) : std::string();
        found.push_back(
            {visit.rowTexts.keepBytes(hit.detail.text), MakeHitRow(visit, start, kindWord, Text::Unicode(value))});
    });
}

}  // namespace quorvel
