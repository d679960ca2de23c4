#include "search/Commands.h"

#include "search/BranchCheck.h"
#include "search/DialogueCheck.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/LinkSearch.h"
#include "search/StartCheck.h"
#include "search/TextSearch.h"

namespace quorvel {

namespace {

// The flag and step commands leave no value names behind.
std::function<void(SearchContext&)> flagStepSearch(SummarySection section)
{
    return [section](SearchContext& context) {
        SearchFlagStep(context, section);
        context.results.clearValueNames();
    };
}

std::function<void(SearchContext&)> idSearch(const IdSearchRule& rule)
{
    return [&rule](SearchContext& context) { SearchIdUses(context, rule); };
}

std::function<void(SearchContext&)> textSearch(const TextSearchRule& rule)
{
    return [&rule](SearchContext& context) { SearchTextUses(context, rule); };
}

}  // namespace

const char* MenuCaption(Menu menu)
{
    return menu == Menu::Check ? "チェック" : "検索";
}

const std::vector<Command>& Commands()
{
    using M = SearchMode;
    constexpr Menu Check = Menu::Check;
    constexpr Menu Search = Menu::Search;
    static const std::vector<Command> commands = {
        {"check-start", Check, false, "スタートコンテント", "links and calls to a start content their own event does not have",
         M::StartContentCheck, CheckStart, {}},
        {"check-branch", Check, false, "分岐チェック", "branches with more than two ways, or two ways named alike",
         M::BranchCheck, CheckBranches, {}},
        {"check-dialogue", Check, false, "台詞称号抜け",
         "dialogues in which an entry before the last has no coupon condition", M::DialogueCouponCheck, CheckDialogues,
         {}},
        {"flag", Search, false, "フラグ", "where each flag Summary.wsm declares is used, and by which cards and cells",
         M::FlagSearch, flagStepSearch(SummarySection::Flags), {}},
        {"step", Search, false, "ステップ", "where each step Summary.wsm declares is used", M::StepSearch,
         flagStepSearch(SummarySection::Steps), {}},
        {"coupon", Search, true, "称号", "where each coupon is given, taken or branched on", M::CouponSearch,
         textSearch(CouponUses), {}},
        {"gossip", Search, false, "ゴシップ", "where each gossip is spread, dropped or branched on", M::GossipSearch,
         textSearch(GossipUses), {}},
        {"item", Search, true, "アイテム", "where each item is gained, lost or branched on", M::ItemSearch,
         idSearch(ItemUses), {}},
        {"skill", Search, false, "スキル", "where each skill is gained, lost or branched on", M::SkillSearch,
         idSearch(SkillUses), {}},
        {"info", Search, false, "情報", "where each information card is gained, lost or branched on", M::InfoSearch,
         idSearch(InfoUses), {}},
        {"beast", Search, false, "召喚獣", "where each summoned beast is gained, lost or branched on", M::BeastSearch,
         idSearch(BeastUses), {}},
        {"package", Search, true, "パッケージ", "where each package is linked to or called", M::PackageSearch,
         idSearch(PackageUses), {}},
        {"area", Search, false, "エリア", "where the party is moved to each area", M::AreaSearch, idSearch(AreaUses), {}},
        {"battle", Search, false, "バトル", "where each battle is started", M::BattleSearch, idSearch(BattleUses), {}},
        {"link", Search, true, "リンク＊", "which start contents the links and calls of one data file lead to",
         M::LinkSearch, {}, SearchLinks},
        {"sound", Search, true, "効果音", "where each sound is played", M::SoundSearch, textSearch(SoundUses), {}},
    };
    return commands;
}

const Command* FindCommand(SearchMode searchMode)
{
    for (const Command& command : Commands())
        if (command.searchMode == searchMode)
            return &command;
    return nullptr;
}

const Command* FindCommand(const std::string& name)
{
    for (const Command& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

}  // namespace quorvel
