#include "search/FlagStepSearch.h"

#include "scenario/ShiftJis.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

using K = ContentKind;

const PassTable FlagPasses{
    {K::FlagBranch, "分岐"}, {K::FlagChange, "変更"},           {K::FlagReverse, "反転"},
    {K::FlagJudge, "判定"},  {K::BackgroundChange, "背景変更"},  // one row per cell with a flag, 背景変更[j]
};

const PassTable StepPasses{
    {K::StepMultiBranch, "多岐分岐"}, {K::StepChange, "変更"},   {K::StepUpDownBranch, "上下分岐"},
    {K::StepIncrease, "増加"},        {K::StepDecrease, "減少"},
};

// A card, a cell or a background-change cell has a flag when its flag text
// is longer than its zero byte.
bool hasFlag(const Text& flag)
{
    return flag.size() > 1;
}

// Which value name a change shows: a flag set to 1 its first, to anything
// else its second; a step its value name at the value set.
int valueNameOf(const Content& change)
{
    if (change.kind == static_cast<std::uint8_t>(K::FlagChange))
        return change.detail.option == 1 ? 0 : 1;
    if (change.kind == static_cast<std::uint8_t>(K::StepChange))
        return change.detail.number;
    return FlagStepUse::NoValueName;
}

// The value column of a change: "未定義" for a name the summary does not
// declare; a step value without a value name (outside 0..9) as its number.
std::string valueText(const ValueNameTable& valueNames, const std::string& name, int valueName)
{
    const int entry = valueNames.find(name);
    if (entry < 0)
        return FixedWord("未定義");
    const std::vector<std::string>& names = valueNames.payload(entry);
    if (valueName >= 0 && valueName < static_cast<int>(names.size()))
        return names[static_cast<std::size_t>(valueName)];
    return std::to_string(valueName);
}

// Under the first entry equal to the name, else under the one "未定義" entry.
void fileUse(ResultsPanel& results, FlagStepUse& use)
{
    if (use.valueName != FlagStepUse::NoValueName)
        use.row.texts[5] = results.index.texts().keep(valueText(results.valueNames, use.name, use.valueName));
    int entry = results.index.find(use.name);
    if (entry < 0)
        entry = results.index.findOrAdd(FixedWord("未定義"));
    results.index.fileKeptRow(entry, use.row);
}

FlagStepUse rowWithoutStart(TextStore& texts, Text name, std::string_view fileName, Text eventText,
                            std::string_view kindWord)
{
    return {std::string(name), HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})}};
}

}  // namespace

void SearchFlagStep(SearchContext& context, SummarySection section)
{
    ResultsPanel& results = context.results;
    results.clear();
    results.clearValueNames();
    results.index.setMode(TableMode::Sorted);
    results.valueNames.setMode(TableMode::Sorted);
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
        if (hit.kind != static_cast<std::uint8_t>(K::BackgroundChange)) {
            found.push_back({std::string(hit.detail.text), MakeHitRow(visit, start, kindWord, {}), valueNameOf(hit)});
            return;
        }
        for (std::size_t cell = 0; cell < hit.detail.cells.size(); ++cell)
            if (hasFlag(hit.detail.cells[cell].flag))
                found.push_back(
                    {std::string(hit.detail.cells[cell].flag),
                     MakeHitRow(visit, start, IndexedLabel(kindWord, static_cast<long long>(cell), false), {})});
    });
}

}  // namespace quorvel
