#include "search/FlagStepSearch.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

using K = ContentKind;

const PassTable FlagPasses{
    {K::FlagBranch, "分岐"},
    {K::FlagChange, "変更"},
    {K::FlagReverse, "反転"},
    {K::FlagJudge, "判定"},
    {K::BackgroundChange, "背景変更"},   // one row per cell with a flag, 背景変更[j]
    {K::FlagSubstitute, "代入"},         // two rows: 代入元 and 代入先
    {K::FlagCompareBranch, "比較分岐"},  // two rows, one under each flag
};

const PassTable StepPasses{
    {K::StepMultiBranch, "多岐分岐"},
    {K::StepChange, "変更"},
    {K::StepUpDownBranch, "上下分岐"},
    {K::StepIncrease, "増加"},
    {K::StepDecrease, "減少"},
    {K::StepSubstitute, "代入"},         // two rows: 代入元 and 代入先
    {K::StepCompareBranch, "比較分岐"},  // two rows, one under each step
    {K::StepCheck, "判定"},
};

// The name a substitute reads from when it takes the engine's random value.
constexpr std::string_view RandomSource = "??Random";

bool is(const Content& content, ContentKind kind)
{
    return content.kind == static_cast<std::uint8_t>(kind);
}

// A card, a cell or a background-change cell has a flag when its flag text
// is longer than its zero byte.
bool hasFlag(const Text& flag)
{
    return flag.size() > 1;
}

// How a step check compares the step's current value with its own, seen
// from the step: "＝", "≠", "＞" (its value below the step's), "＜"; no
// word for a code without a meaning.
std::string comparisonWord(std::int8_t code)
{
    switch (code) {
    case 0:
        return FixedWord("＝");
    case 1:
        return FixedWord("≠");
    case 2:
        return FixedWord("＞");
    case 3:
        return FixedWord("＜");
    default:
        return {};
    }
}

// The value column of a change or a step check, for a use whose name finds
// `entry` in the index: "未定義" for a name the summary does not declare; a
// step value without a value name (outside 0..9) as its number.
std::string valueText(const ValueNameTable& valueNames, std::optional<EntryId> entry, std::int32_t valueName)
{
    const ValueNames* names = entry ? valueNames.find(*entry) : nullptr;
    if (!names)
        return FixedWord("未定義");
    if (valueName >= 0 && valueName < static_cast<std::int32_t>(names->size()))
        return std::string((*names)[static_cast<std::size_t>(valueName)]);
    return std::to_string(valueName);
}

// Under the first entry equal to the name, else under the one "未定義" entry.
void fileUse(ResultsPanel& results, FlagStepUse& use)
{
    std::optional<EntryId> entry = results.index.find(use.name);
    if (!entry && use.onlyWhereDeclared)
        return;
    if (use.valueName)
        use.row.texts[5] = results.index.texts().keep((use.comparison ? comparisonWord(*use.comparison) : std::string())
                                                      + valueText(results.valueNames, entry, *use.valueName));
    if (!entry)
        entry = results.index.findOrAdd(FixedWord("未定義"));
    results.index.fileKeptRow(*entry, use.row);
}

FlagStepUse rowWithoutStart(TextStore& texts, Text name, std::string_view fileName, Text eventText,
                            std::string_view kindWord)
{
    return {texts.keepBytes(name), HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})}};
}

// A background change: a row for each of its cells that has a flag.
void collectCellFlags(const EventVisit& visit, const Content& start, const Content& change, const std::string& kindWord,
                      std::vector<FlagStepUse>& found)
{
    const std::span<const Cell> cells = change.detail.cells;
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        if (hasFlag(cells[cell].flag))
            found.push_back(
                {visit.rowTexts.keepBytes(cells[cell].flag),
                 MakeHitRow(visit, start, IndexedLabel(kindWord, static_cast<long long>(cell), false), {})});
}

// A substitute: `to` (text2) takes the value of `from` (text). A row under
// `from`, unless it is the random source that the summary does not
// declare, then one under `to`; each shows the other name as its value.
void collectSubstitute(const EventVisit& visit, const Content& start, const Content& substitute,
                       std::vector<FlagStepUse>& found)
{
    const Text from = substitute.detail.text;
    const Text to = substitute.detail.text2;
    FlagStepUse fromRow{visit.rowTexts.keepBytes(from), MakeHitRow(visit, start, FixedWord("代入元"), to)};
    fromRow.onlyWhereDeclared = UpToFirstZero(from) == RandomSource;
    found.push_back(std::move(fromRow));
    found.push_back({visit.rowTexts.keepBytes(to), MakeHitRow(visit, start, FixedWord("代入先"), from)});
}

// A comparison of two names: a row under each, showing the other.
void collectComparison(const EventVisit& visit, const Content& start, const Content& branch,
                       const std::string& kindWord, std::vector<FlagStepUse>& found)
{
    found.push_back(
        {visit.rowTexts.keepBytes(branch.detail.text), MakeHitRow(visit, start, kindWord, branch.detail.text2)});
    found.push_back(
        {visit.rowTexts.keepBytes(branch.detail.text2), MakeHitRow(visit, start, kindWord, branch.detail.text)});
}

// Any other use: a row under the content's text, with the value name a
// change sets or a step check compares with.
FlagStepUse useOfText(const EventVisit& visit, const Content& start, const Content& hit, const std::string& kindWord)
{
    FlagStepUse use{visit.rowTexts.keepBytes(hit.detail.text), MakeHitRow(visit, start, kindWord, {})};
    if (is(hit, K::FlagChange))
        use.valueName = hit.detail.option == 1 ? 0 : 1;
    else if (is(hit, K::StepChange))
        use.valueName = hit.detail.number;
    else if (is(hit, K::StepCheck)) {
        use.valueName = hit.detail.number;
        use.comparison = hit.detail.option;
    }
    return use;
}

}  // namespace

void SearchFlagStep(SearchContext& context, SummarySection section)
{
    ResultsPanel& results = context.results;
    results.clear();
    results.clearValueNames();
    results.index.setMode(TableMode::Sorted);
    if (!ReadSummary(context, section))
        return;
    FindInDataFiles<FlagStepUse>(
        context, UsePassMask,
        [section](const DataFile& file, std::vector<FlagStepUse>& found, TextStore& texts) {
            WalkFlagStepFile(file, section, found, texts);
        },
        [&](FlagStepUse& use) { fileUse(results, use); });
    results.copyKeysToLeftList();
}

void WalkFlagStepFile(const DataFile& file, SummarySection section, std::vector<FlagStepUse>& found, TextStore& texts)
{
    const bool flags = section == SummarySection::Flags;
    const auto visitEvent = [&](const EventVisit& visit) { WalkFlagStepEvent(visit, section, found); };
    // Only Area and Battle cards carry flags; owned cards of a Mate file never do.
    const auto visitCard = [&](const Card& card, const std::string& fileName, const std::string& label) {
        if (hasFlag(card.flag))
            found.push_back(rowWithoutStart(texts, card.flag, fileName, label, FixedWord("カードフラグ")));
    };
    WalkFileEvents(file, texts, visitEvent, flags ? CardVisitor(visitCard) : CardVisitor());
    if (!flags || file.kind != FileKind::Area)
        return;
    const std::string fileName = Utf8ToSjis(file.fileName);
    for (std::size_t cell = 0; cell < file.cells.size(); ++cell)
        if (hasFlag(file.cells[cell].flag))
            found.push_back(
                rowWithoutStart(texts, file.cells[cell].flag, fileName, file.title,
                                IndexedLabel(FixedWord("エリアセル"), static_cast<long long>(cell), false)));
}

void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, std::vector<FlagStepUse>& found)
{
    const auto& passes = section == SummarySection::Flags ? FlagPasses : StepPasses;
    ForEachPassHit(visit.event, passes, [&](const std::string& kindWord, const Content& start, const Content& hit) {
        if (is(hit, K::BackgroundChange))
            collectCellFlags(visit, start, hit, kindWord, found);
        else if (is(hit, K::FlagSubstitute) || is(hit, K::StepSubstitute))
            collectSubstitute(visit, start, hit, found);
        else if (is(hit, K::FlagCompareBranch) || is(hit, K::StepCompareBranch))
            collectComparison(visit, start, hit, kindWord, found);
        else
            found.push_back(useOfText(visit, start, hit, kindWord));
    });
}

}  // namespace quorvel
