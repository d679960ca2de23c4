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

Command folderCommand(const char* name, const char* caption, const char* answers, int searchMode,
                      std::function<void(SearchContext&)> run)
{
    Command command{name, caption, answers, searchMode, std::move(run), {}, false};
    return command;
}

Command check(const char* name, const char* caption, const char* answers, int searchMode,
              std::function<void(SearchContext&)> run)
{
    Command command = folderCommand(name, caption, answers, searchMode, std::move(run));
    command.isCheck = true;
    return command;
}

Command flagStepSearch(const char* name, const char* caption, const char* answers, SummarySection section)
{
    return folderCommand(name, caption, answers, section == SummarySection::Flags ? FlagSearch : StepSearch,
                         [section](SearchContext& context) {
                             SearchFlagStep(context, section);
                             context.results.ClearValueNames();
                         });
}

Command idSearch(const char* name, const char* caption, const char* answers, IdSearchKind kind)
{
    return folderCommand(name, caption, answers, SearchModeOf(kind),
                         [kind](SearchContext& context) { SearchIdUses(context, kind); });
}

Command textSearch(const char* name, const char* caption, const char* answers, TextSearchKind kind)
{
    return folderCommand(name, caption, answers, SearchModeOf(kind),
                         [kind](SearchContext& context) { SearchTextUses(context, kind); });
}

Command linkSearch()
{
    return {"link", "リンク＊", "which start contents the links and calls of one data file lead to", LinkSearch, {},
            [](SearchContext& context, const std::string& dataFile) { return SearchLinks(context, dataFile); }, false};
}

}  // namespace

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        check("check-start", "スタートコンテント", "links and calls to a start content their own event does not have",
              StartContentCheck, CheckStart),
        check("check-branch", "分岐チェック", "branches with more than two ways, or two ways named alike", BranchCheck,
              CheckBranches),
        check("check-dialogue", "台詞称号抜け", "dialogues in which an entry before the last has no coupon condition",
              DialogueCouponCheck, CheckDialogues),
        flagStepSearch("flag", "フラグ", "where each flag Summary.wsm declares is used, and by which cards and cells",
                       SummarySection::Flags),
        flagStepSearch("step", "ステップ", "where each step Summary.wsm declares is used", SummarySection::Steps),
        textSearch("coupon", "称号", "where each coupon is given, taken or branched on", TextSearchKind::Coupon),
        textSearch("gossip", "ゴシップ", "where each gossip is spread, dropped or branched on", TextSearchKind::Gossip),
        idSearch("item", "アイテム", "where each item is gained, lost or branched on", IdSearchKind::Item),
        idSearch("skill", "スキル", "where each skill is gained, lost or branched on", IdSearchKind::Skill),
        idSearch("info", "情報", "where each information card is gained, lost or branched on", IdSearchKind::Info),
        idSearch("beast", "召喚獣", "where each summoned beast is gained, lost or branched on", IdSearchKind::Beast),
        idSearch("package", "パッケージ", "where each package is linked to or called", IdSearchKind::Package),
        idSearch("area", "エリア", "where the party is moved to each area", IdSearchKind::Area),
        idSearch("battle", "バトル", "where each battle is started", IdSearchKind::Battle),
        linkSearch(),
        textSearch("sound", "効果音", "where each sound is played", TextSearchKind::Sound),
    };
    return commands;
}

const Command* FindCommand(int searchMode)
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
