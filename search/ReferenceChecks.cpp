#include "search/ReferenceChecks.h"

#include "results/NameTable.h"
#include "scenario/ClassicReader.h"
#include "search/FlagStepSearch.h"
#include "search/IdSearch.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quorvel {

namespace {

using K = ContentKind;

// What the checks look at, in the order they list it: the two kinds of
// name a summary declares, then the things data files define by id.
constexpr std::size_t NameKinds = 2;  // flags, steps
constexpr std::size_t IdKinds = 8;
constexpr std::array<const char*, NameKinds + IdKinds> KindWords
    = {"フラグ", "ステップ", "アイテム", "スキル", "情報", "召喚獣", "パッケージ", "エリア", "バトル", "キャスト"};
constexpr std::array<SummarySection, NameKinds> Sections = {SummarySection::Flags, SummarySection::Steps};
constexpr std::array<FileKind, IdKinds> DefiningKinds
    = {FileKind::Item,    FileKind::Skill, FileKind::Info,   FileKind::Beast,
       FileKind::Package, FileKind::Area,  FileKind::Battle, FileKind::Mate};
constexpr std::size_t AreaIds = 5;
constexpr std::size_t CastIds = 7;
const std::array<const IdSearchRule*, CastIds> IdRules
    = {&ItemUses, &SkillUses, &InfoUses, &BeastUses, &PackageUses, &AreaUses, &BattleUses};

const PassTable CastPasses{{K::CastCheck, "分岐"}, {K::CastGain, "加入"}, {K::CastLoss, "離脱"}};

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
    std::array<std::vector<std::string>, NameKinds> declaredUsed;  // name keys
    std::array<std::vector<std::int64_t>, IdKinds> usedIds;
};

// The summary's declarations, by name key.
struct Declared {
    bool read = false;  // false: the summary could not be read, names are not examined
    std::array<std::vector<Text>, NameKinds> names;
    std::array<std::unordered_set<std::string>, NameKinds> keys;
    std::int64_t startArea = 0;
    std::optional<Summary> flags, steps;  // what the names are views of
};

std::string keyOf(const Text& name)
{
    std::string scratch;
    return std::string(NameKey(name, scratch));
}

Declared readDeclarations(SearchContext& context)
{
    Declared declared;
    declared.flags = context.source.readSummary(SummarySection::Flags);
    declared.steps = declared.flags ? context.source.readSummary(SummarySection::Steps) : std::nullopt;
    if (!declared.flags || !declared.steps) {
        const std::string name = context.source.summaryName();
        context.messages.report({name + "の読み込みに失敗しました", "I'm sorry!", name});
        return declared;
    }
    declared.read = true;
    declared.startArea = declared.flags->startArea;
    declared.names[0] = declared.flags->flags.names;
    declared.names[1] = declared.steps->steps.names;
    for (std::size_t kind = 0; kind < NameKinds; ++kind)
        for (const Text& name : declared.names[kind])
            declared.keys[kind].insert(keyOf(name));
    return declared;
}

std::int64_t idOf(const Text& key)
{
    std::int64_t id = 0;
    std::from_chars(key.bytes().data(), key.bytes().data() + key.bytes().size(), id);
    return id;
}

HitRow rowOf(TextStore& texts, const Text& fileName, const Text& eventText, const Text& kindWord)
{
    return HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})};
}

// Every use of an id in one file, kind by kind, as its search files them.
std::array<std::vector<IdUse>, IdKinds> idUsesOf(const DataFile& file, const TargetWordTable& targets, TextStore& texts)
{
    std::array<std::vector<IdUse>, IdKinds> uses;
    std::vector<KeyedRow> found;
    const auto take = [&](std::size_t kind) {
        for (const KeyedRow& use : found)
            uses[kind].push_back({idOf(use.key), use.row});
        found.clear();
    };
    WalkFileEvents(
        file, texts,
        [&](const EventVisit& visit) {
            for (std::size_t kind = 0; kind < CastIds; ++kind) {
                CollectIdUses(visit, *IdRules[kind], targets, found);
                take(kind);
            }
            CollectCastUses(visit, found);
            take(CastIds);
        },
        [&](const Card& card, const Text& fileName, const Text& label) {
            if (card.castId)
                uses[CastIds].push_back({*card.castId, rowOf(texts, fileName, label, Word("エネミーカード"))});
        });
    return uses;
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
        for (std::size_t kind = 0; kind < NameKinds; ++kind) {
            std::vector<FlagStepUse> uses;
            WalkFlagStepFile(file, Sections[kind], uses, texts);
            for (FlagStepUse& use : uses) {
                std::string key = keyOf(use.name);
                const bool isDeclared = declared.keys[kind].contains(key);
                if (check == Check::Unused && isDeclared)
                    found.declaredUsed[kind].push_back(std::move(key));
                else if (check == Check::Undefined && !isDeclared && !use.onlyWhereDeclared)
                    found.undeclaredUses[kind].push_back(use);
            }
        }
    std::array<std::vector<IdUse>, IdKinds> idUses = idUsesOf(file, targets, texts);
    for (std::size_t kind = 0; kind < IdKinds; ++kind) {
        if (check == Check::Undefined)
            found.idUses[kind] = std::move(idUses[kind]);
        else
            for (const IdUse& use : idUses[kind])
                found.usedIds[kind].push_back(use.id);
    }
    return found;
}

// Everything the files of a scenario define and use, in file order.
struct Gathered {
    std::vector<Definition> definitions;
    std::array<std::vector<FlagStepUse>, NameKinds> undeclaredUses;
    std::array<std::vector<IdUse>, IdKinds> idUses;
    std::array<std::unordered_set<std::string>, NameKinds> declaredUsed;
    std::array<std::unordered_set<std::int64_t>, IdKinds> usedIds;
};

Gathered gather(SearchContext& context, Check check, const Declared& declared)
{
    std::unordered_map<std::string, FileKind> listedAs;
    for (auto& [name, kind] : context.source.listedKinds(EveryFileKind))
        listedAs.emplace(std::move(name), kind);
    Gathered gathered;
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
                for (FlagStepUse& use : file.undeclaredUses[kind])
                    gathered.undeclaredUses[kind].push_back(use);
                gathered.declaredUsed[kind].insert(file.declaredUsed[kind].begin(), file.declaredUsed[kind].end());
            }
            for (std::size_t kind = 0; kind < IdKinds; ++kind) {
                for (IdUse& use : file.idUses[kind])
                    gathered.idUses[kind].push_back(use);
                gathered.usedIds[kind].insert(file.usedIds[kind].begin(), file.usedIds[kind].end());
            }
        });
    return gathered;
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

void listUndefinedNames(SearchContext& context, Lines& lines, std::array<std::vector<FlagStepUse>, NameKinds>& uses)
{
    for (std::size_t kind = 0; kind < NameKinds; ++kind) {
        // The uses of each name, by its first use.
        std::vector<Text> names;
        std::unordered_map<std::string, std::vector<FlagStepUse*>> usesOf;
        for (FlagStepUse& use : uses[kind]) {
            std::vector<FlagStepUse*>& of = usesOf[keyOf(use.name)];
            if (of.empty())
                names.push_back(use.name);
            of.push_back(&use);
        }
        for (const std::size_t name : inNameOrder(names, context.workers)) {
            const EntryId entry = lines.add(kind, names[name]);
            for (FlagStepUse* use : usesOf[keyOf(names[name])]) {
                SetFlagStepValue(*use, nullptr, lines.texts());
                lines.file(entry, use->row);
            }
        }
    }
}

void listUndefinedIds(Lines& lines, Gathered& gathered, const std::optional<HitRow>& startAreaRow,
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
    for (std::size_t kind = 0; kind < NameKinds; ++kind) {
        const Text kindWord = Word(kind == 0 ? "フラグ定義" : "ステップ定義");
        for (const std::size_t name : inNameOrder(declared.names[kind], context.workers)) {
            if (gathered.declaredUsed[kind].contains(keyOf(declared.names[kind][name])))
                continue;
            const EntryId entry = lines.add(kind, declared.names[kind][name]);
            lines.file(entry, rowOf(lines.texts(), summary, {}, kindWord));
        }
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

}  // namespace

void CollectCastUses(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, CastPasses, [&](const Text& kindWord, const Content& start, const Content& hit) {
        found.push_back({visit.rowTexts.keepBytes(Text::Unicode(std::to_string(hit.detail.number))),
                         MakeHitRow(visit, start, kindWord, {})});
    });
}

void CheckUndefined(SearchContext& context)
{
    StartAnswer(context, TableMode::Unsorted);
    const Declared declared = readDeclarations(context);
    Gathered gathered = gather(context, Check::Undefined, declared);
    Lines lines(context.answer);
    if (declared.read)
        listUndefinedNames(context, lines, gathered.undeclaredUses);
    std::optional<HitRow> startAreaRow;
    if (declared.read)
        startAreaRow = rowOf(lines.texts(), summaryFileName(context), Word("開始エリア"), Word("開始エリア"));
    listUndefinedIds(lines, gathered, startAreaRow, declared.startArea);
    context.answer.copyKeysToLeftList();
}

void CheckUnused(SearchContext& context)
{
    StartAnswer(context, TableMode::Unsorted);
    const Declared declared = readDeclarations(context);
    const Gathered gathered = gather(context, Check::Unused, declared);
    Lines lines(context.answer);
    if (declared.read)
        listUnusedNames(context, lines, declared, gathered);
    listUnusedIds(lines, gathered, declared.read ? std::optional(declared.startArea) : std::nullopt);
    context.answer.copyKeysToLeftList();
}

}  // namespace quorvel
