#include "search/ReferenceChecks.h"

#include "results/NameTable.h"
#include "scenario/ClassicReader.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quorvel {

namespace {

using K = ContentKind;

// What the checks look at, in the order they list it: the three kinds of
// state variable, then the things data files define by id.
constexpr std::size_t NameKinds = StateVariableKinds;  // flags, steps, variants
constexpr std::size_t IdKinds = 8;
constexpr std::array<const char*, NameKinds + IdKinds> KindWords
    = {"フラグ", "ステップ",   "コモン", "アイテム", "スキル",  "情報",
       "召喚獣", "パッケージ", "エリア", "バトル",   "キャスト"};
constexpr std::array<SummarySection, NameKinds> Sections
    = {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants};
constexpr std::array<FileKind, IdKinds> DefiningKinds
    = {FileKind::Item,    FileKind::Skill, FileKind::Info,   FileKind::Beast,
       FileKind::Package, FileKind::Area,  FileKind::Battle, FileKind::Mate};
constexpr std::size_t AreaIds = 5;
constexpr std::size_t CastIds = 7;

const IdSearchRule CastUses{
    FileKind::Mate, {{K::CastCheck, "分岐"}, {K::CastGain, "加入"}, {K::CastLoss, "離脱"}}, IdSearchRule::Value::Empty};
const std::array<const IdSearchRule*, IdKinds> IdRules
    = {&ItemUses, &SkillUses, &InfoUses, &BeastUses, &PackageUses, &AreaUses, &BattleUses, &CastUses};

// The passes of every id kind's rule as one walk: the walk hands out each
// rule's passes in its order, so each kind's uses come out as its own
// search's walk gives them.
class IdWalk {
public:
    IdWalk() : kinds_(passesOfEveryRule())
    {
        for (std::size_t kind = 0; kind < IdKinds; ++kind)
            for (std::size_t pass = 0; pass < IdRules[kind]->passes.kindWords().size(); ++pass)
                passes_.push_back({kind, pass});
    }

    struct Pass {
        std::size_t kind;  // of IdKinds
        std::size_t passOfRule;
    };
    const PassKinds& kinds() const { return kinds_; }
    const Pass& pass(std::size_t walkPass) const { return passes_[walkPass]; }

private:
    static std::vector<KindSet> passesOfEveryRule()
    {
        std::vector<KindSet> passes;
        for (const IdSearchRule* rule : IdRules) {
            const std::size_t first = passes.size();
            passes.resize(first + rule->passes.kindWords().size());
            for (int kind = 0; kind < 256; ++kind)
                for (const std::uint8_t pass : rule->passes.kinds().passesOf(static_cast<std::uint8_t>(kind)))
                    passes[first + pass] = passes[first + pass].with(static_cast<std::uint8_t>(kind));
        }
        return passes;
    }

    PassKinds kinds_;
    std::vector<Pass> passes_;
};

enum class Check { Undefined, Unused };

struct IdUse {
    std::int64_t id;
    HitRow row;
};

// A data file that defines a thing by id.
struct Definition {
    std::size_t kind;  // of IdKinds
    std::int64_t id;
    OwnedText title;
    std::string fileName;
};

// What one data file gives a check: what it defines, and what it uses. The
// undefined check keeps the uses of names the summary does not declare and
// every use of an id, with their rows; the unused check only which declared
// names and which ids are used.
struct FileReferences {
    std::optional<Definition> definition;
    std::array<std::vector<FlagStepUse>, NameKinds> undeclaredUses;
    std::array<std::vector<IdUse>, IdKinds> idUses;
    std::array<std::vector<std::uint32_t>, NameKinds> declaredUsed;  // by position of the first declaration
    std::array<std::vector<std::int64_t>, IdKinds> usedIds;
    // The unused check: what the file's cards declare for their own events,
    // and the positions of those their events use.
    std::array<std::vector<FlagStepUse>, NameKinds> localDeclarations;
    std::array<std::vector<std::uint32_t>, NameKinds> localsUsed;
};

// Looks up name keys without making a string of them.
struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
};
using KeyPositions = std::unordered_map<std::string, std::uint32_t, KeyHash, std::equal_to<>>;

// The summary's declarations, by name key.
struct Declared {
    bool read = false;  // false: the summary could not be read, names are not examined
    std::array<std::vector<Text>, NameKinds> names;
    std::array<KeyPositions, NameKinds> keys;  // the position of the first declaration of each
    std::int64_t startArea = 0;
    std::optional<Summary> summary;  // what the names are views of
};

std::string keyOf(const Text& name)
{
    std::string scratch;
    return std::string(NameKey(name, scratch));
}

Declared readDeclarations(SearchContext& context)
{
    Declared declared;
    declared.summary
        = context.source.readSummary({SummarySection::Flags, SummarySection::Steps, SummarySection::Variants});
    if (!declared.summary) {
        const std::string name = context.source.summaryName();
        context.messages.report({name + "の読み込みに失敗しました", "I'm sorry!", name});
        return declared;
    }
    declared.read = true;
    declared.startArea = declared.summary->startArea;
    for (std::size_t kind = 0; kind < NameKinds; ++kind)
        declared.names[kind] = declared.summary->of(Sections[kind]).names;
    for (std::size_t kind = 0; kind < NameKinds; ++kind)
        for (std::uint32_t position = 0; position < declared.names[kind].size(); ++position)
            declared.keys[kind].try_emplace(keyOf(declared.names[kind][position]), position);
    return declared;
}

HitRow rowOf(TextStore& texts, const Text& fileName, const Text& eventText, const Text& kindWord)
{
    return HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})};
}

// The uses of ids in one file, kind by kind: for the undefined check with
// the rows their searches file, for the unused check the ids alone.
void findIdUses(const DataFile& file, Check check, const TargetWordTable& targets, TextStore& texts,
                FileReferences& found)
{
    static const IdWalk walk;
    WalkFileEvents(
        file, texts,
        [&](const EventVisit& visit) {
            ForEachHitByPass(
                visit.event, walk.kinds(), [&](std::size_t walkPass, const Content& start, const Content& hit) {
                    const IdWalk::Pass& pass = walk.pass(walkPass);
                    if (check == Check::Unused) {
                        found.usedIds[pass.kind].push_back(hit.detail.number);
                        return;
                    }
                    const IdSearchRule& rule = *IdRules[pass.kind];
                    found.idUses[pass.kind].push_back(
                        {hit.detail.number,
                         IdUseRow(visit, rule, rule.passes.kindWords()[pass.passOfRule], start, hit, targets)});
                });
        },
        [&](const Card& card, const Text& fileName, const Text& label) {
            if (!card.castId)
                return;
            if (check == Check::Unused)
                found.usedIds[CastIds].push_back(*card.castId);
            else
                found.idUses[CastIds].push_back({*card.castId, rowOf(texts, fileName, label, Word("エネミーカード"))});
        });
}

// The uses of names in one file: for the undefined check those of names
// nothing declares, with their rows; for the unused check which declared
// names are used, without rows, and what the file's cards declare for
// their own events. A use that means a card's own declaration is never
// undefined.
void findNameUses(const DataFile& file, Check check, const Declared& declared, TextStore& texts, FileReferences& found)
{
    std::string scratch;
    std::vector<FlagStepUse> undeclared;
    for (std::size_t kind = 0; kind < NameKinds; ++kind) {
        const KeyPositions& keys = declared.keys[kind];
        FlagStepUses uses{undeclared, [&](const Text& name, std::optional<std::uint32_t> local) {
                              if (local) {
                                  if (check == Check::Unused)
                                      found.localsUsed[kind].push_back(*local);
                                  return false;
                              }
                              const auto declaration = keys.find(NameKey(name, scratch));
                              if (check == Check::Undefined)
                                  return declaration == keys.end();
                              if (declaration != keys.end())
                                  found.declaredUsed[kind].push_back(declaration->second);
                              return false;
                          }};
        WalkFlagStepFile(file, Sections[kind], uses, texts);
        for (FlagStepUse& use : undeclared)
            if (use.declaresLocal) {
                if (check == Check::Unused)
                    found.localDeclarations[kind].push_back(use);
            } else if (!use.onlyWhereDeclared) {
                SetFlagStepValue(use, nullptr, texts);
                found.undeclaredUses[kind].push_back(use);
            }
        undeclared.clear();
    }
}

FileReferences referencesOf(const DataFile& file, std::optional<FileKind> listedAs, Check check,
                            const Declared& declared, const TargetWordTable& targets, TextStore& texts)
{
    FileReferences found;
    const auto defining = std::find(DefiningKinds.begin(), DefiningKinds.end(), listedAs);
    if (listedAs && defining != DefiningKinds.end())
        found.definition
            = Definition{static_cast<std::size_t>(defining - DefiningKinds.begin()), IdAsListedKind(file, *listedAs),
                         OwnedText::Of(file.title.shownPart()), file.fileName};
    if (declared.read)
        findNameUses(file, check, declared, texts, found);
    findIdUses(file, check, targets, texts, found);
    return found;
}

// Everything the files of a scenario define and use, in file order.
// The rows of each name's uses, under the name of its first use.
using RowsOfNames = NameTable<std::vector<HitRow>>;

struct Gathered {
    std::vector<Definition> definitions;
    std::array<RowsOfNames, NameKinds> undeclaredUses;
    std::array<std::vector<IdUse>, IdKinds> idUses;
    std::array<std::vector<bool>, NameKinds> declaredUsed;  // by position of the declaration
    std::array<std::unordered_set<std::int64_t>, IdKinds> usedIds;
    std::array<std::vector<FlagStepUse>, NameKinds> unusedLocals;  // cards' own declarations their events do not use
};

void gather(SearchContext& context, Check check, const Declared& declared, Gathered& gathered)
{
    std::unordered_map<std::string, FileKind> listedAs;
    for (auto& [name, kind] : context.source.listedKinds(EveryFileKind))
        listedAs.emplace(std::move(name), kind);
    for (std::size_t kind = 0; kind < NameKinds; ++kind) {
        gathered.declaredUsed[kind].resize(declared.names[kind].size());
        gathered.undeclaredUses[kind].setMode(TableMode::Sorted);
        gathered.undeclaredUses[kind].setWorkers(context.workers);
    }
    FindInListedFiles<FileReferences>(
        context, EveryFileKind,
        [&](const std::string& name, std::vector<FileReferences>& found, TextStore& texts) {
            const std::optional<DataFile> file = context.source.openDataFile(name);
            if (!file)
                return false;
            const auto listed = listedAs.find(name);
            found.push_back(referencesOf(*file, listed == listedAs.end() ? std::nullopt : std::optional(listed->second),
                                         check, declared, context.targetWords, texts));
            return true;
        },
        [&](FileReferences& file) {
            if (file.definition)
                gathered.definitions.push_back(std::move(*file.definition));
            for (std::size_t kind = 0; kind < NameKinds; ++kind) {
                RowsOfNames& undeclared = gathered.undeclaredUses[kind];
                for (const FlagStepUse& use : file.undeclaredUses[kind])
                    undeclared.payload(undeclared.findOrAdd(use.name)).push_back(use.row);
                for (const std::uint32_t position : file.declaredUsed[kind])
                    gathered.declaredUsed[kind][position] = true;
                const std::unordered_set<std::uint32_t> localsUsed(file.localsUsed[kind].begin(),
                                                                   file.localsUsed[kind].end());
                for (const FlagStepUse& declaration : file.localDeclarations[kind])
                    if (!localsUsed.contains(*declaration.local))
                        gathered.unusedLocals[kind].push_back(declaration);
            }
            for (std::size_t kind = 0; kind < IdKinds; ++kind) {
                gathered.idUses[kind].insert(gathered.idUses[kind].end(), file.idUses[kind].begin(),
                                             file.idUses[kind].end());
                gathered.usedIds[kind].insert(file.usedIds[kind].begin(), file.usedIds[kind].end());
            }
        });
}

// The lines of the answer, each with its rows, added in order.
class Lines {
public:
    explicit Lines(Answer& answer) : answer_(answer) { }

    EntryId add(std::size_t kind, const Text& name)
    {
        const OwnedText line = JoinTexts({Word(KindWords[kind]), Word(": "), name});
        return answer_.index.add(line.text());
    }
    void file(EntryId entry, const HitRow& row) { answer_.index.fileKeptRow(entry, row); }
    TextStore& texts() { return answer_.index.texts(); }

private:
    Answer& answer_;
};

// Names in the order of the name table (the collation, ties by their
// bytes); names with one name key are one.
std::vector<std::size_t> inNameOrder(const std::vector<Text>& names, unsigned workers)
{
    NameTable<std::size_t> table;
    table.setMode(TableMode::Sorted);
    table.setWorkers(workers);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!table.find(names[i]))
            table.payload(table.add(names[i])) = i;
    std::vector<std::size_t> order;
    for (int position = 0; position < table.count(); ++position)
        order.push_back(table.at(position).payload);
    return order;
}

Text summaryFileName(const SearchContext& context)
{
    return Word(context.source.summaryName() == "Summary.xml" ? "Summary.xml" : "Summary.wsm");
}

void listUndefinedNames(Lines& lines, const std::array<RowsOfNames, NameKinds>& uses)
{
    for (std::size_t kind = 0; kind < NameKinds; ++kind)
        for (int position = 0; position < uses[kind].count(); ++position) {
            const EntryId entry = lines.add(kind, uses[kind].key(position));
            for (const HitRow& row : uses[kind].at(position).payload)
                lines.file(entry, row);
        }
}

void listUndefinedIds(Lines& lines, const Gathered& gathered, const std::optional<HitRow>& startAreaRow,
                      std::int64_t startArea)
{
    for (std::size_t kind = 0; kind < IdKinds; ++kind) {
        std::unordered_set<std::int64_t> defined;
        for (const Definition& definition : gathered.definitions)
            if (definition.kind == kind)
                defined.insert(definition.id);
        std::map<std::int64_t, std::vector<const HitRow*>> undefined;
        if (kind == AreaIds && startAreaRow && !defined.contains(startArea))
            undefined[startArea].push_back(&*startAreaRow);
        for (const IdUse& use : gathered.idUses[kind])
            if (!defined.contains(use.id))
                undefined[use.id].push_back(&use.row);
        for (const auto& [id, rows] : undefined) {
            const EntryId entry = lines.add(kind + NameKinds, Text::Unicode(std::to_string(id)));
            for (const HitRow* row : rows)
                lines.file(entry, *row);
        }
    }
}

void listUnusedNames(SearchContext& context, Lines& lines, const Declared& declared, const Gathered& gathered)
{
    const Text summary = summaryFileName(context);
    constexpr std::array<const char*, NameKinds> DefinitionWords = {"フラグ定義", "ステップ定義", "コモン定義"};
    for (std::size_t kind = 0; kind < NameKinds; ++kind) {
        const Text kindWord = Word(DefinitionWords[kind]);
        for (const std::size_t name : inNameOrder(declared.names[kind], context.workers)) {
            if (gathered.declaredUsed[kind][declared.keys[kind].find(keyOf(declared.names[kind][name]))->second])
                continue;
            const EntryId entry = lines.add(kind, declared.names[kind][name]);
            lines.file(entry, rowOf(lines.texts(), summary, {}, kindWord));
        }
        for (const FlagStepUse& declaration : gathered.unusedLocals[kind])
            lines.file(lines.add(kind, declaration.name), declaration.row);
    }
}

void listUnusedIds(Lines& lines, const Gathered& gathered, std::optional<std::int64_t> startArea)
{
    for (std::size_t kind = 0; kind < IdKinds; ++kind) {
        std::map<std::int64_t, std::vector<const Definition*>> definitions;
        for (const Definition& definition : gathered.definitions)
            if (definition.kind == kind)
                definitions[definition.id].push_back(&definition);
        for (const auto& [id, defining] : definitions) {
            if (gathered.usedIds[kind].contains(id) || (kind == AreaIds && startArea == id))
                continue;
            const OwnedText name = JoinTexts({Text::Unicode(std::to_string(id) + " "), defining.front()->title.text()});
            const EntryId entry = lines.add(kind + NameKinds, name.text());
            for (const Definition* definition : defining)
                lines.file(
                    entry,
                    rowOf(lines.texts(), Text::Unicode(definition->fileName), definition->title.text(), Word("定義")));
        }
    }
}

// Reads the summary and every data file, then lists what the check finds.
template <typename List>
void runCheck(SearchContext& context, Check check, List&& list)
{
    StartAnswer(context, TableMode::Unsorted);
    const Declared declared = readDeclarations(context);
    Gathered gathered;
    gather(context, check, declared, gathered);
    Lines lines(context.answer);
    list(lines, declared, gathered);
    context.answer.copyKeysToLeftList();
}

}  // namespace

void CheckUndefined(SearchContext& context)
{
    runCheck(context, Check::Undefined, [&](Lines& lines, const Declared& declared, const Gathered& gathered) {
        std::optional<HitRow> startAreaRow;
        if (declared.read) {
            listUndefinedNames(lines, gathered.undeclaredUses);
            startAreaRow = rowOf(lines.texts(), summaryFileName(context), Word("開始エリア"), Word("開始エリア"));
        }
        listUndefinedIds(lines, gathered, startAreaRow, declared.startArea);
    });
}

void CheckUnused(SearchContext& context)
{
    runCheck(context, Check::Unused, [&](Lines& lines, const Declared& declared, const Gathered& gathered) {
        if (declared.read)
            listUnusedNames(context, lines, declared, gathered);
        listUnusedIds(lines, gathered, declared.read ? std::optional(declared.startArea) : std::nullopt);
    });
}

}  // namespace quorvel
