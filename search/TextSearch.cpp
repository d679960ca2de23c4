#include "search/TextSearch.h"

#include "search/RowTexts.h"

#include <vector>

namespace quorvel {

using K = ContentKind;
namespace xk = xml_only;
using R = TextsRead;

// A dialogue whose speaker is chosen by coupon score uses the coupons of its
// evaluation. The passes after the classic ones read what only the XML
// format has.
const TextSearchRule CouponUses{{{K::CouponDelete, "削除"},
                                 {K::CouponGet, "取得"},
                                 {K::CouponBranch, "分岐"},
                                 {K::Dialogue, "評価"},
                                 {K::CouponBranch, "分岐"},
                                 {K::MemberSelect, "評価"},
                                 {{xk::MultiCouponBranch}, "多岐分岐"}},
                                {R::Text, R::Text, R::Text, R::Scores, R::FurtherCoupons, R::Scores, R::ChildNames},
                                true,
                                true};
const TextSearchRule GossipUses{{{K::GossipDelete, "削除"}, {K::GossipGet, "取得"}, {K::GossipBranch, "分岐"}},
                                {R::Text, R::Text, R::Text},
                                false,
                                false};
const TextSearchRule SoundUses{{{K::PlaySound, "ラッパ"}, {K::Effect, "効果"}, {K::Effect, "効果開始"}},
                               {R::Text, R::Text, R::InitialSound},
                               false,
                               false};

void SearchTextUses(SearchContext& context, const TextSearchRule& rule)
{
    FileEventRowsByKey(context, TableMode::Sorted, [&](const EventVisit& visit, std::vector<KeyedRow>& found) {
        CollectTextUses(visit, rule, context.targetWords, found);
    });
}

namespace {

// Each coupon of an evaluation, with the score it adds.
void collectScores(const EventVisit& visit, const Content& start, const Content& content, const Text& kindWord,
                   std::vector<KeyedRow>& found)
{
    for (const CouponScore& score : content.detail.couponScores)
        found.push_back({visit.rowTexts.keepBytes(score.coupon),
                         MakeHitRow(visit, start, kindWord, Text::Unicode(std::to_string(score.value)))});
}

void collectName(const EventVisit& visit, const Content& start, const Text& name, const Text& kindWord,
                 const std::string& value, std::vector<KeyedRow>& found)
{
    found.push_back({visit.rowTexts.keepBytes(name), MakeHitRow(visit, start, kindWord, Text::Unicode(value))});
}

}  // namespace

void CollectTextUses(const EventVisit& visit, const TextSearchRule& rule, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found)
{
    ForEachHitByPass(visit.event, rule.passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        const Text& kindWord = rule.passes.kindWords()[pass];
        const std::string target = rule.valueIsTarget ? TargetWordOf(targetWords, hit) : std::string();
        switch (rule.reads[pass]) {
        case R::Text:
            collectName(visit, start, hit.detail.text, kindWord, target, found);
            break;
        case R::Scores:
            collectScores(visit, start, hit, kindWord, found);
            break;
        case R::FurtherCoupons:
            if (hit.extras)
                for (const Text& coupon : hit.extras->coupons)
                    collectName(visit, start, coupon, kindWord, target, found);
            break;
        case R::ChildNames:
            for (const Content& child : hit.children)
                if (!child.name.empty())
                    collectName(visit, start, child.name, kindWord, target, found);
            break;
        case R::InitialSound:
            if (hit.extras && !hit.extras->initialSound.empty())
                collectName(visit, start, hit.extras->initialSound, kindWord, {}, found);
            break;
        }
    });
    if (!rule.holdingCoupons || !visit.event.contentsHaveExtras)
        return;
    const Text held = Word("所持称号");
    ForEachContent(visit.event, [&](const Content& start, const Content& content) {
        if (content.extras && !content.extras->holdingCoupon.empty())
            collectName(visit, start, content.extras->holdingCoupon, held, {}, found);
    });
}

}  // namespace quorvel
