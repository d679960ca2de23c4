#include "search/IdSearch.h"

#include "scenario/ShiftJis.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace quorvel {

using K = ContentKind;
using Value = IdSearchRule::Value;

const IdSearchRule ItemUses{
    "Item*.wid", true, {{K::ItemGet, "入手"}, {K::ItemLose, "喪失"}, {K::ItemBranch, "分岐"}}, Value::AmountAndTarget};
const IdSearchRule SkillUses{"Skill*.wid",
                             true,
                             {{K::SkillGet, "入手"}, {K::SkillLose, "喪失"}, {K::SkillBranch, "分岐"}},
                             Value::AmountAndTarget};
const IdSearchRule InfoUses{
    "Info*.wid", true, {{K::InfoGet, "入手"}, {K::InfoLose, "喪失"}, {K::InfoBranch, "分岐"}}, Value::Empty};
const IdSearchRule BeastUses{"Beast*.wid",
                             true,
                             {{K::BeastGet, "入手"}, {K::BeastLose, "喪失"}, {K::BeastBranch, "分岐"}},
                             Value::AmountAndTarget};
const IdSearchRule PackageUses{
    "Package*.wid", false, {{K::PackageLink, "リンク"}, {K::PackageCall, "コール"}}, Value::Empty};
const IdSearchRule AreaUses{"Area*.wid", true, {{K::AreaMove, "移動"}}, Value::Empty};
const IdSearchRule BattleUses{"Battle*.wid", true, {{K::BattleStart, "戦闘"}}, Value::Empty};

namespace {

// "2:誰か", "all:全員".
std::string amountAndTarget(const ContentDetail& detail, const TargetWordTable& targetWords)
{
    return (detail.amount != 0 ? std::to_string(detail.amount) : std::string("all")) + ':'
        + TargetWord(targetWords, detail.option);
}

// A defining file: its entry, and what it uses itself, kept from its first
// reading for its turn in the use pass.
struct DefiningFile {
    std::string key;
    std::string title;
    std::string fileName;
    std::vector<KeyedRow> uses;
};

}  // namespace

void SearchIdUses(SearchContext& context, const IdSearchRule& rule)
{
    ResultsPanel& results = context.results;
    results.clear();
    results.index.setMode(TableMode::Unsorted);
    const auto findUses = [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
        WalkFileEvents(file, texts,
                       [&](const EventVisit& visit) { CollectIdUses(visit, rule, context.targetWords, found); });
    };
    // The defining files are read once: the use pass takes what they use
    // from here, at their place in its list. A file that failed is not here
    // and is read (and reported) again.
    std::unordered_map<std::string, std::vector<KeyedRow>> usesOfDefiningFiles;
    FindInDataFiles<DefiningFile>(
        context, rule.definingMask,
        [&](const DataFile& file, std::vector<DefiningFile>& found, TextStore& texts) {
            const long long key = rule.keyLessOffset ? static_cast<long long>(file.id) - IdOffset : file.id;
            DefiningFile& defining = found.emplace_back(
                DefiningFile{std::to_string(key), std::string(UpToFirstZero(file.title)), file.fileName, {}});
            findUses(file, defining.uses, texts);
        },
        [&](DefiningFile& defining) {
            results.index.add(std::move(defining.key));
            results.addLeftLine(defining.title);
            usesOfDefiningFiles.try_emplace(std::move(defining.fileName), std::move(defining.uses));
        });
    // Each worker moves out the uses of the files it is given, and no two
    // are given the same file, so the table is only read while they work.
    FindInListedFiles<KeyedRow>(
        context, UsePassMask,
        [&](const std::string& name, const std::string& path, std::vector<KeyedRow>& found, TextStore& texts) {
            if (const auto known = usesOfDefiningFiles.find(name); known != usesOfDefiningFiles.end()) {
                std::move(known->second.begin(), known->second.end(), std::back_inserter(found));
                return true;
            }
            const DataFile data(path);
            if (data.loaded)
                findUses(data, found, texts);
            return data.loaded;
        },
        [&](KeyedRow& use) {
            std::optional<EntryId> entry = results.index.find(use.key);
            if (!entry) {
                entry = results.index.add(std::string(use.key));
                results.addLeftLine(FixedWord("未定義"));
            }
            results.index.fileKeptRow(*entry, use.row);
        });
}

void CollectIdUses(const EventVisit& visit, const IdSearchRule& rule, const TargetWordTable& targetWords,
                   std::vector<KeyedRow>& found)
{
    ForEachPassHit(
        visit.event, rule.passes, [&](const std::string& kindWord, const Content& start, const Content& hit) {
            const std::string value
                = rule.value == Value::AmountAndTarget ? amountAndTarget(hit.detail, targetWords) : std::string();
            found.push_back({visit.rowTexts.keepBytes(std::to_string(hit.detail.number)),
                             MakeHitRow(visit, start, kindWord, value)});
        });
}

}  // namespace quorvel
