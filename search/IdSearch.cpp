#include "search/IdSearch.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"

#include <vector>

namespace quorvel {

namespace {

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

// "2:誰か", "all:全員".
std::string amountAndTarget(const ContentDetail& data, const TargetWordTable& targetWords)
{
    return (data.amount != 0 ? std::to_string(data.amount) : std::string("all")) + ':' +
           TargetWord(targetWords, data.option);
}

struct DefiningFile {
    std::string key;
    std::string title;
    std::string fileName;
    std::vector<KeyedRow> uses;  // for the use pass, which reads the file too
};

}  // namespace

int SearchModeOf(IdSearchKind kind)
{
    return ruleOf(kind).searchMode;
}

void SearchIdUses(SearchContext& context, IdSearchKind kind)
{
    const IdSearchRule& rule = ruleOf(kind);
    ResultsPanel& results = context.results;
    results.ClearResults();
    results.index.setMode(TableMode::Unsorted);
    const auto findUses = [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
        WalkFileEvents(file, texts, [&](const EventVisit& visit) { CollectIdUses(visit, kind, context.targetWords, found); });
    };
    FindingsOfFiles<KeyedRow> usesOfDefiningFiles;
    FindInDataFiles<DefiningFile>(
        context, rule.definingMask,
        [&](const DataFile& file, std::vector<DefiningFile>& found, TextStore& texts) {
            const long long key = rule.keyLessOffset ? static_cast<long long>(file.id) - IdOffset : file.id;
            DefiningFile& defining = found.emplace_back(DefiningFile{
                std::to_string(key), std::string(UpToFirstZero(file.name)), file.fileName, {}});
            findUses(file, defining.uses, texts);
        },
        [&](DefiningFile& defining) {
            results.index.add(std::move(defining.key));
            results.addLeftLine(std::move(defining.title));
            usesOfDefiningFiles.try_emplace(std::move(defining.fileName), std::move(defining.uses));
        });
    FindInDataFiles<KeyedRow>(
        context, UsePassMask, findUses,
        [&](KeyedRow& use) {
            int entry = results.index.find(use.key);
            if (entry < 0) {
                entry = results.index.add(std::move(use.key));
                results.addLeftLine(FixedWord("未定義"));
            }
            results.index.fileKeptRow(entry, use.row);
        },
        &usesOfDefiningFiles);
}

void CollectIdUses(const EventVisit& visit, IdSearchKind kind, const TargetWordTable& targetWords,
                   std::vector<KeyedRow>& found)
{
    const IdSearchRule& rule = ruleOf(kind);
    ForEachPassHit(visit.event, rule.passes, [&](const std::string& kindWord, const Content& start, const Content& hit) {
        const std::string value =
            rule.value == ValueColumn::AmountAndTarget ? amountAndTarget(hit.data, targetWords) : std::string();
        found.push_back({std::to_string(hit.data.number), MakeHitRow(visit, start, kindWord, value)});
    });
}

}  // namespace quorvel
