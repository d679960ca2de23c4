#include "search/IdSearch.h"

#include "scenario/ClassicReader.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace quorvel {

using K = ContentKind;
using Value = IdSearchRule::Value;

const IdSearchRule ItemUses{
    FileKind::Item, {{K::ItemGet, "入手"}, {K::ItemLose, "喪失"}, {K::ItemBranch, "分岐"}}, Value::AmountAndTarget};
const IdSearchRule SkillUses{
    FileKind::Skill, {{K::SkillGet, "入手"}, {K::SkillLose, "喪失"}, {K::SkillBranch, "分岐"}}, Value::AmountAndTarget};
const IdSearchRule InfoUses{
    FileKind::Info, {{K::InfoGet, "入手"}, {K::InfoLose, "喪失"}, {K::InfoBranch, "分岐"}}, Value::Empty};
const IdSearchRule BeastUses{
    FileKind::Beast, {{K::BeastGet, "入手"}, {K::BeastLose, "喪失"}, {K::BeastBranch, "分岐"}}, Value::AmountAndTarget};
const IdSearchRule PackageUses{
    FileKind::Package, {{K::PackageLink, "リンク"}, {K::PackageCall, "コール"}}, Value::Empty};
const IdSearchRule AreaUses{FileKind::Area, {{K::AreaMove, "移動"}}, Value::Empty};
const IdSearchRule BattleUses{FileKind::Battle, {{K::BattleStart, "戦闘"}}, Value::Empty};

namespace {

// "2:誰か", "all:全員".
std::string amountAndTarget(const Content& content, const TargetWordTable& targetWords)
{
    return (content.detail.amount != 0 ? std::to_string(content.detail.amount) : std::string("all")) + ':'
        + TargetWordOf(targetWords, content);
}

// A defining file: its entry, and what it uses itself, kept from its first
// reading for its turn in the use pass.
struct DefiningFile {
    std::string key;
    OwnedText title;
    std::string fileName;
    std::vector<KeyedRow> uses;
};

}  // namespace

void SearchIdUses(SearchContext& context, const IdSearchRule& rule)
{
    StartAnswer(context, TableMode::Unsorted);
    Answer& answer = context.answer;
    const auto findUses = [&](const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts) {
        WalkFileEvents(file, texts,
                       [&](const EventVisit& visit) { CollectIdUses(visit, rule, context.targetWords, found); });
    };
    // The defining files are read once: the use pass takes what they use
    // from here, at their place in its list. A file that failed is not here
    // and is read (and reported) again.
    std::unordered_map<std::string, std::vector<KeyedRow>> usesOfDefiningFiles;
    FindInDataFiles<DefiningFile>(
        context, {rule.definingKind},
        [&](const DataFile& file, std::vector<DefiningFile>& found, TextStore& texts) {
            DefiningFile& defining
                = found.emplace_back(DefiningFile{std::to_string(IdAsListedKind(file, rule.definingKind)),
                                                  OwnedText::Of(file.title.shownPart()),
                                                  file.fileName,
                                                  {}});
            findUses(file, defining.uses, texts);
        },
        [&](DefiningFile& defining) {
            answer.index.add(Text::Unicode(defining.key));
            answer.addLeftLine(defining.title.text());
            usesOfDefiningFiles.try_emplace(std::move(defining.fileName), std::move(defining.uses));
        });
    // Each worker moves out the uses of the files it is given, and no two
    // are given the same file, so the table is only read while they work.
    FindInListedFiles<KeyedRow>(
        context, UsePassKinds,
        [&](const std::string& name, std::vector<KeyedRow>& found, TextStore& texts) {
            if (const auto known = usesOfDefiningFiles.find(name); known != usesOfDefiningFiles.end()) {
                std::move(known->second.begin(), known->second.end(), std::back_inserter(found));
                return true;
            }
            const std::optional<DataFile> data = context.source.openDataFile(name);
            if (data)
                findUses(*data, found, texts);
            return data.has_value();
        },
        [&](KeyedRow& use) {
            std::optional<EntryId> entry = answer.index.find(use.key);
            if (!entry) {
                entry = answer.index.add(use.key);
                answer.addLeftLine(Word("未定義"));
            }
            answer.index.fileKeptRow(*entry, use.row);
        });
}

void CollectIdUses(const EventVisit& visit, const IdSearchRule& rule, const TargetWordTable& targetWords,
                   std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, rule.passes, [&](const Text& kindWord, const Content& start, const Content& hit) {
        found.push_back({visit.rowTexts.keepBytes(Text::Unicode(std::to_string(hit.detail.number))),
                         IdUseRow(visit, rule, kindWord, start, hit, targetWords)});
    });
}

HitRow IdUseRow(const EventVisit& visit, const IdSearchRule& rule, const Text& kindWord, const Content& start,
                const Content& hit, const TargetWordTable& targetWords)
{
    const std::string value = rule.value == Value::AmountAndTarget ? amountAndTarget(hit, targetWords) : std::string();
    return MakeHitRow(visit, start, kindWord, Text::Unicode(value));
}

}  // namespace quorvel
