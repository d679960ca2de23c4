#include "search/Commands.h"

#include "search/BranchCheck.h"
#include "search/DataFileLoop.h"
#include "search/DialogueCheck.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/LinkSearch.h"
#include "search/MaterialChecks.h"
#include "search/MaterialSearch.h"
#include "search/ReferenceChecks.h"
#include "search/StartCheck.h"
#include "search/TextSearch.h"

namespace quorvel {

namespace {

// The flag and step commands leave no value names behind.
std::function<void(SearchContext&)> flagStepSearch(SummarySection section)
{
    return [section](SearchContext& context) {
        SearchFlagStep(context, section);
        context.answer.valueNames.clear();
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
    // The keys stand clear of the standard ones (open, save, copy, find,
    // quit, reload): the checks on F6 onwards, the searches on Ctrl with a
    // digit in menu order, and the three past ten on Alt with a digit. The
    // variant and material searches came later and take the next Alt keys, so that no key
    // an author knows has moved.
    static const std::vector<Command> commands = {
        {.name = "check-start",
         .menu = Check,
         .separatorBefore = false,
         .caption = "スタートコンテント",
         .answers = "links and calls to a start content their own event does not have",
         .searchMode = M::StartContentCheck,
         .shortcut = "F6",
         .run = CheckStart},
        {.name = "check-branch",
         .menu = Check,
         .separatorBefore = false,
         .caption = "分岐チェック",
         .answers = "branches with more than two ways, or two ways named alike",
         .searchMode = M::BranchCheck,
         .shortcut = "F7",
         .run = CheckBranches},
        {.name = "check-dialogue",
         .menu = Check,
         .separatorBefore = false,
         .caption = "台詞称号抜け",
         .answers = "dialogues in which an entry before the last has no coupon condition",
         .searchMode = M::DialogueCouponCheck,
         .shortcut = "F8",
         .run = CheckDialogues},
        {.name = "check-undefined",
         .menu = Check,
         .separatorBefore = false,
         .caption = "未定義の参照",
         .answers = "flags, steps, variants, items, skills, information cards, beasts, packages, areas, battles and "
                    "casts that something uses and nothing defines, with every place that uses them",
         .searchMode = M::UndefinedCheck,
         .shortcut = "F9",
         .run = CheckUndefined},
        {.name = "check-unused",
         .menu = Check,
         .separatorBefore = false,
         .caption = "未使用の定義",
         .answers = "flags, steps, variants and things defined by a data file of their own that nothing uses, with "
                    "where they are defined",
         .searchMode = M::UnusedCheck,
         .shortcut = "F10",
         .run = CheckUnused},
        {.name = "check-missing-material",
         .menu = Check,
         .separatorBefore = true,
         .caption = "存在しない素材",
         .answers = "file paths contents, cards and cells name that no file of the scenario answers, with where",
         .searchMode = M::MissingMaterialCheck,
         .shortcut = "Shift+F6",
         .run = CheckMissingMaterials},
        {.name = "check-unused-material",
         .menu = Check,
         .separatorBefore = false,
         .caption = "未使用の素材",
         .answers = "pictures, sounds and music of the scenario that no path names",
         .searchMode = M::UnusedMaterialCheck,
         .shortcut = "Shift+F7",
         .run = CheckUnusedMaterials},
        {.name = "flag",
         .menu = Search,
         .separatorBefore = false,
         .caption = "フラグ",
         .answers = "where each flag Summary.wsm declares is used, and by which cards and cells",
         .searchMode = M::FlagSearch,
         .shortcut = "Ctrl+1",
         .run = flagStepSearch(SummarySection::Flags)},
        {.name = "step",
         .menu = Search,
         .separatorBefore = false,
         .caption = "ステップ",
         .answers = "where each step Summary.wsm declares is used",
         .searchMode = M::StepSearch,
         .shortcut = "Ctrl+2",
         .run = flagStepSearch(SummarySection::Steps)},
        {.name = "variant",
         .menu = Search,
         .separatorBefore = false,
         .caption = "コモン",
         .answers = "where each variant Summary.xml declares is used, and each one a card declares for its own events",
         .searchMode = M::VariantSearch,
         .shortcut = "Alt+4",
         .run = flagStepSearch(SummarySection::Variants)},
        {.name = "coupon",
         .menu = Search,
         .separatorBefore = true,
         .caption = "称号",
         .answers = "where each coupon is given, taken or branched on",
         .searchMode = M::CouponSearch,
         .shortcut = "Ctrl+3",
         .run = textSearch(CouponUses)},
        {.name = "gossip",
         .menu = Search,
         .separatorBefore = false,
         .caption = "ゴシップ",
         .answers = "where each gossip is spread, dropped or branched on",
         .searchMode = M::GossipSearch,
         .shortcut = "Ctrl+4",
         .run = textSearch(GossipUses)},
        {.name = "item",
         .menu = Search,
         .separatorBefore = true,
         .caption = "アイテム",
         .answers = "where each item is gained, lost or branched on",
         .searchMode = M::ItemSearch,
         .shortcut = "Ctrl+5",
         .run = idSearch(ItemUses)},
        {.name = "skill",
         .menu = Search,
         .separatorBefore = false,
         .caption = "スキル",
         .answers = "where each skill is gained, lost or branched on",
         .searchMode = M::SkillSearch,
         .shortcut = "Ctrl+6",
         .run = idSearch(SkillUses)},
        {.name = "info",
         .menu = Search,
         .separatorBefore = false,
         .caption = "情報",
         .answers = "where each information card is gained, lost or branched on",
         .searchMode = M::InfoSearch,
         .shortcut = "Ctrl+7",
         .run = idSearch(InfoUses)},
        {.name = "beast",
         .menu = Search,
         .separatorBefore = false,
         .caption = "召喚獣",
         .answers = "where each summoned beast is gained, lost or branched on",
         .searchMode = M::BeastSearch,
         .shortcut = "Ctrl+8",
         .run = idSearch(BeastUses)},
        {.name = "package",
         .menu = Search,
         .separatorBefore = true,
         .caption = "パッケージ",
         .answers = "where each package is linked to or called",
         .searchMode = M::PackageSearch,
         .shortcut = "Ctrl+9",
         .run = idSearch(PackageUses)},
        {.name = "area",
         .menu = Search,
         .separatorBefore = false,
         .caption = "エリア",
         .answers = "where the party is moved to each area",
         .searchMode = M::AreaSearch,
         .shortcut = "Ctrl+0",
         .run = idSearch(AreaUses)},
        {.name = "battle",
         .menu = Search,
         .separatorBefore = false,
         .caption = "バトル",
         .answers = "where each battle is started",
         .searchMode = M::BattleSearch,
         .shortcut = "Alt+1",
         .run = idSearch(BattleUses)},
        {.name = "link",
         .menu = Search,
         .separatorBefore = true,
         .caption = "リンク＊",
         .answers = "which start contents the links and calls of one data file lead to",
         .searchMode = M::LinkSearch,
         .shortcut = "Alt+2",
         .runOnFile = SearchLinks},
        {.name = "sound",
         .menu = Search,
         .separatorBefore = true,
         .caption = "効果音",
         .answers = "where each sound is played",
         .searchMode = M::SoundSearch,
         .shortcut = "Alt+3",
         .run = textSearch(SoundUses)},
        {.name = "material",
         .menu = Search,
         .separatorBefore = false,
         .caption = "素材",
         .answers = "every file a content, card or cell names (sounds, music, images), and where",
         .searchMode = M::MaterialSearch,
         .shortcut = "Alt+5",
         .run = SearchMaterials},
    };
    return commands;
}

bool RunCommand(const Command& command, SearchContext& context)
{
    if (const std::optional<std::string> unreadable = context.source.unreadable()) {
        StartAnswer(context, TableMode::Unsorted);
        ReportUnreadableFile(context, *unreadable);
        return false;
    }
    if (!context.source.holdsScenario()) {
        StartAnswer(context, TableMode::Unsorted);
        return false;  // nothing to answer of: no check is clean, no search finds nothing
    }
    if (command.runOnFile) {
        const std::vector<std::string> files = context.source.dataFiles(UsePassKinds);
        return !files.empty() && command.runOnFile(context, files.front());
    }
    command.run(context);
    return true;
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
