#include "search/IdSearch.h"

#include "scenario/Content.h"
#include "scenario/ContentKind.h"
#include "search/RowTexts.h"

#include <vector>

namespace quorvel {

namespace {

struct Pass {
    ContentKind kind;
    const char* word;
};

enum class ValueColumn { AmountAndTarget, Empty };

struct IdSearchRule {
    const char* definingMask;
    bool keyLessOffset;
    std::vector<Pass> passes;
    ValueColumn value;
    int searchMode;
};

const IdSearchRule& ruleOf(IdSearchKind kind)
{
    using K = ContentKind;
    static const IdSearchRule rules[] = {
        {"Item*.wid", true, {{K::ItemGet, "入手"}, {K::ItemLose, "喪失"}, {K::ItemBranch, "分岐"}},
         ValueColumn::AmountAndTarget, ItemSearch},
        {"Skill*.wid", true, {{K::SkillGet, "入手"}, {K::SkillLose, "喪失"}, {K::SkillBranch, "分岐"}},
         ValueColumn::AmountAndTarget, SkillSearch},
        {"Info*.wid", true, {{K::InfoGet, "入手"}, {K::InfoLose, "喪失"}, {K::InfoBranch, "分岐"}},
         ValueColumn::Empty, InfoSearch},
        {"Beast*.wid", true, {{K::BeastGet, "入手"}, {K::BeastLose, "喪失"}, {K::BeastBranch, "分岐"}},
         ValueColumn::AmountAndTarget, BeastSearch},
        {"Package*.wid", false, {{K::PackageLink, "リンク"}, {K::PackageCall, "コール"}}, ValueColumn::Empty,
         PackageSearch},
        {"Area*.wid", true, {{K::AreaMove, "移動"}}, ValueColumn::Empty, AreaSearch},
        {"Battle*.wid", true, {{K::BattleStart, "戦闘"}}, ValueColumn::Empty, BattleSearch},
    };
    return rules[static_cast<int>(kind)];
}

// "2:誰か", "all:全員"; a target code outside the table shows as its number.
std::string amountAndTarget(const contentdata& data, const std::array<std::string, 6>& targetWords)
{
    std::string value = data.amount != 0 ? std::to_string(data.amount) : "all";
    value += ":";
    if (data.option >= 0 && data.option < static_cast<int>(targetWords.size()))
        value += targetWords[static_cast<std::size_t>(data.option)];
    else
        value += std::to_string(data.option);
    return value;
}

}  // namespace

int SearchModeOf(IdSearchKind kind)
{
    return ruleOf(kind).searchMode;
}

void SearchIdUses(SearchContext& context, IdSearchKind kind)
{
    const IdSearchRule& rule = ruleOf(kind);
    context.results.ClearResults();
    context.results.index.setMode(TableMode::Unsorted);
    ForEachDataFile(context, rule.definingMask, [&](const Cwidfile& file) {
        const long long key = rule.keyLessOffset ? static_cast<long long>(file.id) - IdOffset : file.id;
        context.results.index.add(std::to_string(key));
        context.results.addLeftLine(file.name.substr(0, file.name.find('\0')));
    });
    ForEachDataFile(context, UsePassMask, [&](const Cwidfile& file) {
        WalkFileEvents(file, [&](const EventVisit& visit) { CollectIdUses(context, visit, kind); });
    });
}

void CollectIdUses(SearchContext& context, const EventVisit& visit, IdSearchKind kind)
{
    const IdSearchRule& rule = ruleOf(kind);
    ResultIndex& index = context.results.index;
    for (const Pass& pass : rule.passes) {
        const CollectedContents lists = CollectByKind(visit.event, static_cast<std::uint8_t>(pass.kind));
        const std::string& kindWord = FixedWord(pass.word);
        for (std::size_t start = 0; start < lists.size(); ++start) {
            for (const Ccontent* content : lists[start]) {
                const std::string key = std::to_string(content->data.number);
                int entry = index.find(key);
                if (entry < 0) {
                    entry = index.add(key);
                    context.results.addLeftLine(FixedWord("未定義"));
                }
                std::string value = rule.value == ValueColumn::AmountAndTarget
                                        ? amountAndTarget(content->data, context.targetWords)
                                        : std::string();
                index.fileRow(entry, MakeHitRow(visit, visit.event.starts[start], kindWord, std::move(value)));
            }
        }
    }
}

}  // namespace quorvel
