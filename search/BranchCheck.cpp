#include "search/BranchCheck.h"

#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

using K = ContentKind;

const PassTable BranchPasses{
    {K::FlagBranch, "フラグ分岐"},        {K::StepUpDownBranch, "ステップ上下"},   {K::MemberSelect, "メンバー選択"},
    {K::AbilityCheck, "能力判定"},        {K::RandomBranch, "ランダム分岐"},       {K::LevelCheck, "レベル判定"},
    {K::StatusCheck, "状態判定"},         {K::PartySizeCheck, "人数判定"},         {K::BattleCheck, "バトル判定"},
    {K::CastCheck, "キャスト判定"},       {K::ItemBranch, "アイテム分岐"},         {K::SkillBranch, "技能分岐"},
    {K::InfoBranch, "情報分岐"},          {K::BeastBranch, "召喚獣分岐"},          {K::MoneyBranch, "所持金分岐"},
    {K::CouponBranch, "称号分岐"},        {K::EndMarkBranch, "終了印分岐"},        {K::GossipBranch, "ゴシップ分岐"},
    {K::FlagCompareBranch, "フラグ比較"}, {K::RandomMemberBranch, "ランダム選択"}, {K::KeyCodeBranch, "キーコード分岐"},
    {K::RoundBranch, "ラウンド分岐"},     {{xml_only::BranchVariant}, "式分岐"},
    // The step comparison has three ways ("<", "=", ">") and is not examined,
    // like the multi-way step branch and the XML format's multi-way branches.
};

// Not a clean two-way split: more than two ways, or two ways named alike
// (the stored names, zero bytes included, compared byte for byte).
bool suspicious(const Content& branch)
{
    const auto& ways = branch.children;
    return ways.size() > 2 || (ways.size() == 2 && ways[0].name.bytes() == ways[1].name.bytes());
}

}  // namespace

void CheckBranches(SearchContext& context)
{
    FileEventRowsByKey(context, TableMode::Unsorted, CheckEventBranches);
}

void CheckEventBranches(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, BranchPasses, [&](const Text& kindWord, const Content& start, const Content& branch) {
        if (suspicious(branch))
            found.push_back({Word("チェック！"), MakeHitRow(visit, start, kindWord, {})});
    });
}

}  // namespace quorvel
