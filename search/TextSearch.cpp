#include "search/TextSearch.h"

#include "search/Passes.h"

#include <vector>

namespace quorvel {

namespace {

struct TextSearchRule {
    std::vector<Pass> passes;
    bool valueIsTarget;  // the coupon search shows the target word alone
    int searchMode;
};

const TextSearchRule& ruleOf(TextSearchKind kind)
{
    using K = ContentKind;
    static const TextSearchRule rules[] = {
        {{{K::CouponDelete, "削除"}, {K::CouponGet, "取得"}, {K::CouponBranch, "分岐"}}, true, CouponSearch},
        {{{K::GossipDelete, "削除"}, {K::GossipGet, "取得"}, {K::GossipBranch, "分岐"}}, false, GossipSearch},
        {{{K::PlaySound, "ラッパ"}, {K::Effect, "効果"}}, false, SoundSearch},
    };
    return rules[static_cast<int>(kind)];
}

}  // namespace

int SearchModeOf(TextSearchKind kind)
{
    return ruleOf(kind).searchMode;
}

void SearchTextUses(SearchContext& context, TextSearchKind kind)
{
    ResultsPanel& results = context.results;
    results.ClearResults();
    results.index.setMode(TableMode::Sorted);
    FindInDataFiles<KeyedRow>(
        context, UsePassMask,
        [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
            WalkFileEvents(file, texts, [&](const EventVisit& visit) { CollectTextUses(visit, kind, context.targetWords, found); });
        },
        [&](KeyedRow& use) { results.index.fileKeptRow(results.index.findOrAdd(std::move(use.key)), use.row); });
    results.copyKeysToLeftList();
}

void CollectTextUses(const EventVisit& visit, TextSearchKind kind, const TargetWordTable& targetWords,
                     std::vector<KeyedRow>& found)
{
    const TextSearchRule& rule = ruleOf(kind);
    ForEachPassHit(visit.event, rule.passes, [&](const std::string& kindWord, const Content& start, const Content& hit) {
        const std::string value = rule.valueIsTarget ? TargetWord(targetWords, hit.data.option) : std::string();
        found.push_back({std::string(hit.data.text), MakeHitRow(visit, start, kindWord, value)});
    });
}

}  // namespace quorvel
