// Fuzz target for the data-file reader: any bytes must load or fail cleanly,
// and a loaded file must survive the per-file rule of every command.

#include "scenario/ClassicReader.h"
#include "scenario/ContentWalk.h"
#include "search/BranchCheck.h"
#include "search/DialogueCheck.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/LinkSearch.h"
#include "search/StartCheck.h"
#include "search/TextSearch.h"
#include "tests/support/Bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void runEveryRule(const quorvel::DataFile& file)
{
    using namespace quorvel;
    static const auto targets = DefaultTargetWords();
    std::vector<KeyedRow> keyed;
    std::vector<FlagStepUse> uses;
    TextStore texts;
    ResultIndex links;
    links.setMode(TableMode::Sorted);
    for (SummarySection section : {SummarySection::Flags, SummarySection::Steps})
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the file name, so both ways of deciding the kind are reached.
    const char* name = data[0] & 1 ? "Package1.wid" : "Area1.wid";
    const std::optional<quorvel::DataFile> file
        = quorvel::ReadClassicDataFile(name, quorvel::build::BytesOf(std::span(data + 1, size - 1)));
    if (file)
        runEveryRule(*file);
    return 0;
}
