#include "search/Commands.h"

#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"

namespace quorvel {

namespace {

Command flagStepSearch(const char* name, const char* caption, const char* answers, SummarySection section)
{
    const int mode = section == SummarySection::Flags ? FlagSearch : StepSearch;
    return {name, caption, answers, mode, [section](SearchContext& context) {
                SearchFlagStep(context, section);
                context.results.ClearValueNames();
            }};
}

Command idSearch(const char* name, const char* caption, const char* answers, IdSearchKind kind)
{
    return {name, caption, answers, SearchModeOf(kind), [kind](SearchContext& context) { SearchIdUses(context, kind); }};
}

}  // namespace

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        flagStepSearch("flag", "フラグ", "where each flag Summary.wsm declares is used, and by which cards and cells",
                       SummarySection::Flags),
        flagStepSearch("step", "ステップ", "where each step Summary.wsm declares is used", SummarySection::Steps),
        idSearch("item", "アイテム", "where each item is gained, lost or branched on", IdSearchKind::Item),
        idSearch("skill", "スキル", "where each skill is gained, lost or branched on", IdSearchKind::Skill),
        idSearch("info", "情報", "where each information card is gained, lost or branched on", IdSearchKind::Info),
        idSearch("beast", "召喚獣", "where each summoned beast is gained, lost or branched on", IdSearchKind::Beast),
        idSearch("package", "パッケージ", "where each package is linked to or called", IdSearchKind::Package),
        idSearch("area", "エリア", "where the party is moved to each area", IdSearchKind::Area),
        idSearch("battle", "バトル", "where each battle is started", IdSearchKind::Battle),
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
