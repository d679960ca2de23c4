#pragma once

// What every command does with one loaded data file, for the fuzz targets:
// a file that loads must survive each command's rule.

#include "scenario/ContentWalk.h"
#include "search/BranchCheck.h"
#include "search/DialogueCheck.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/LinkSearch.h"
#include "search/StartCheck.h"
#include "search/TextSearch.h"

#include <vector>

namespace quorvel {

inline void RunEveryRule(const DataFile& file)
{
    static const auto targets = DefaultTargetWords();
    std::vector<KeyedRow> keyed;
    std::vector<FlagStepUse> uses;
    TextStore texts;
    ResultIndex links;
    links.setMode(TableMode::Sorted);
    for (SummarySection section : {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants})
        WalkFlagStepFile(file, section, uses, texts);
    WalkFileEvents(file, texts, [&](const EventVisit& visit) {
        for (const IdSearchRule* rule :
             {&ItemUses, &SkillUses, &InfoUses, &BeastUses, &PackageUses, &AreaUses, &BattleUses})
            CollectIdUses(visit, *rule, targets, keyed);
        for (const TextSearchRule* rule : {&CouponUses, &GossipUses, &SoundUses})
            CollectTextUses(visit, *rule, targets, keyed);
        CheckStartEvent(visit, keyed);
        CheckEventBranches(visit, keyed);
        CheckEventDialogues(visit, keyed);
        CollectLinks(links, visit);
    });
}

}  // namespace quorvel
