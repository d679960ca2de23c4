#include "search/FlagStepSearch.h"

#include "search/Expressions.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

namespace quorvel {

namespace {

using K = ContentKind;
namespace xk = xml_only;

// What is only in the XML format comes in passes after the classic ones.
const KindSet Expressions{xk::SetVariant, xk::BranchVariant, xk::CheckVariant};

const PassTable FlagPasses{
    {K::FlagBranch, "分岐"},
    {K::FlagChange, "変更"},
    {K::FlagReverse, "反転"},
    {K::FlagJudge, "判定"},
    {K::BackgroundChange, "背景変更"},   // one row per cell with a flag, 背景変更[j]
    {K::FlagSubstitute, "代入"},         // two rows: 代入元 and 代入先
    {K::FlagCompareBranch, "比較分岐"},  // two rows, one under each flag
    {{xk::ReplaceBgImage}, "背景置換"},  // as 背景変更
    {{xk::SetVariant}, "式代入"},        // a flag set to an expression
    {Expressions, "式参照"},             // the flags expressions read
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
    {{xk::SetVariant}, "式代入"},  // a step set to an expression
    {Expressions, "式参照"},       // the steps expressions read
};

// The functions of expressions that read a flag or a step named by their first argument.
const std::vector<std::string_view> FlagFunctions = {"FLAGVALUE", "FLAGTEXT"};
const std::vector<std::string_view> StepFunctions = {"STEPVALUE", "STEPTEXT", "STEPMAX"};

// The name a substitute reads from when it takes the engine's random value.
constexpr std::string_view RandomSource = "??Random";

bool is(const Content& content, ContentKind kind)
{
    return content.kind == static_cast<std::uint8_t>(kind);
}

constexpr Text Undefined = Word("未定義");

// How a step check compares the step's current value with its own, seen
// from the step: "＝", "≠", "＞" (its value below the step's), "＜"; no
// word for a code without a meaning.
std::optional<Text> comparisonWord(std::int8_t code)
{
    switch (code) {
    case 0:
        return Word("＝");
    case 1:
        return Word("≠");
    case 2:
        return Word("＞");
    case 3:
        return Word("＜");
    default:
        return std::nullopt;
    }
}

// The value column of a change or a step check whose name declares these
// value names: "未定義" for a name the summary does not declare; a step
// value without a value name (outside those declared) as its number.
OwnedText valueText(const ValueNames* names, std::int32_t valueName)
{
    if (!names)
        return OwnedText::Of(Undefined);
    if (valueName >= 0 && valueName < static_cast<std::int32_t>(names->size()))
        return OwnedText::Of((*names)[static_cast<std::size_t>(valueName)]);
    return {std::to_string(valueName)};
}

// Files uses under the first entry equal to their name, else under the one
// "未定義" entry.
class UseFiler {
public:
    explicit UseFiler(Answer& answer) : answer_(answer) { }

    void file(FlagStepUse& use)
    {
        std::optional<EntryId> entry = answer_.index.find(use.name);
        if (!entry && use.onlyWhereDeclared)
            return;
        SetFlagStepValue(use, entry ? answer_.valueNames.find(*entry) : nullptr, answer_.index.texts());
        if (!entry) {
            if (!undefined_)
                undefined_ = answer_.index.findOrAdd(Undefined);
            entry = undefined_;
        }
        answer_.index.fileKeptRow(*entry, use.row);
    }

private:
    Answer& answer_;
    std::optional<EntryId> undefined_;
};

FlagStepUse rowWithoutStart(TextStore& texts, const Text& name, const Text& fileName, const Text& eventText,
                            const Text& kindWord)
{
    return {texts.keepBytes(name), HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})}};
}

// A background change: a row for each of its cells that has a flag.
void collectCellFlags(const EventVisit& visit, const Content& start, const Content& change, const Text& kindWord,
                      FlagStepUses& found)
{
    const std::span<const Cell> cells = change.detail.cells;
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        if (!cells[cell].flag.empty() && found.wants(cells[cell].flag))
            found.uses.push_back(
                {visit.rowTexts.keepBytes(cells[cell].flag),
                 MakeHitRow(visit, start, IndexedLabel(kindWord, static_cast<long long>(cell)).text(), {})});
}

// A substitute: `to` (text2) takes the value of `from` (text). A row under
// `from`, unless it is the random source that the summary does not
// declare, then one under `to`; each shows the other name as its value.
void collectSubstitute(const EventVisit& visit, const Content& start, const Content& substitute, FlagStepUses& found)
{
    const Text from = substitute.detail.text;
    const Text to = substitute.detail.text2;
    if (found.wants(from)) {
        FlagStepUse fromRow{visit.rowTexts.keepBytes(from), MakeHitRow(visit, start, Word("代入元"), to)};
        fromRow.onlyWhereDeclared = from.shownBytes() == RandomSource;
        found.uses.push_back(std::move(fromRow));
    }
    if (found.wants(to))
        found.uses.push_back({visit.rowTexts.keepBytes(to), MakeHitRow(visit, start, Word("代入先"), from)});
}

// A comparison of two names: a row under each, showing the other.
void collectComparison(const EventVisit& visit, const Content& start, const Content& branch, const Text& kindWord,
                       FlagStepUses& found)
{
    if (found.wants(branch.detail.text))
        found.uses.push_back(
            {visit.rowTexts.keepBytes(branch.detail.text), MakeHitRow(visit, start, kindWord, branch.detail.text2)});
    if (found.wants(branch.detail.text2))
        found.uses.push_back(
            {visit.rowTexts.keepBytes(branch.detail.text2), MakeHitRow(visit, start, kindWord, branch.detail.text)});
}

// A flag or step an expression sets: a row under it, showing the expression.
void collectVariantSetting(const EventVisit& visit, const Content& start, const Content& setting, const Text& kindWord,
                           VariantTarget target, FlagStepUses& found)
{
    if (!setting.extras || setting.extras->variantTarget != target || !found.wants(setting.detail.text))
        return;
    found.uses.push_back({visit.rowTexts.keepBytes(setting.detail.text),
                          MakeHitRow(visit, start, kindWord, setting.extras->expression)});
}

// The flags or steps an expression reads through these functions: a row
// under each, showing the expression.
void collectExpressionReferences(const EventVisit& visit, const Content& start, const Content& content,
                                 const Text& kindWord, const std::vector<std::string_view>& functions,
                                 FlagStepUses& found)
{
    if (!content.extras)
        return;
    const Text expression = content.extras->expression;
    for (const std::string& name : NamesCalledWith(expression.bytes(), functions))
        if (found.wants(Text::Unicode(name)))
            found.uses.push_back(
                {visit.rowTexts.keepBytes(Text::Unicode(name)), MakeHitRow(visit, start, kindWord, expression)});
}

// Any other use: a row under the content's text, with the value name a
// change sets or a step check compares with.
FlagStepUse useOfText(const EventVisit& visit, const Content& start, const Content& hit, const Text& kindWord)
{
    FlagStepUse use{visit.rowTexts.keepBytes(hit.detail.text), MakeHitRow(visit, start, kindWord, {})};
    if (is(hit, K::FlagChange))
        use.valueName = hit.detail.option == 1 ? 0 : 1;
    else if (is(hit, K::StepChange))
        use.valueName = hit.detail.number;
    else if (is(hit, K::StepCheck)) {
        use.valueName = hit.detail.number;
        use.comparison = hit.detail.option;
        if (hit.extras && hit.extras->comparisonWord)
            use.comparisonWord = visit.rowTexts.keepBytes(*hit.extras->comparisonWord);
    }
    return use;
}

}  // namespace

void SetFlagStepValue(FlagStepUse& use, const ValueNames* declared, TextStore& texts)
{
    if (!use.valueName)
        return;
    const OwnedText value = valueText(declared, *use.valueName);
    const std::optional<Text> comparison = use.comparisonWord ? use.comparisonWord
        : use.comparison                                      ? comparisonWord(*use.comparison)
                                                              : std::nullopt;
    use.row.texts[5] = texts.keep(comparison ? JoinTexts({*comparison, value.text()}).text() : value.text());
}

void SearchFlagStep(SearchContext& context, SummarySection section)
{
    StartAnswer(context, TableMode::Sorted);
    Answer& answer = context.answer;
    answer.valueNames.clear();
    std::optional<Summary> summary = context.source.readSummary(section);
    if (!summary) {
        const std::string name = context.source.summaryName();
        context.messages.report({name + "の読み込みに失敗しました", "I'm sorry!", name});
        return;
    }
    Declarations& declared = summary->of(section);
    const EntryId first = answer.index.addAll(declared.names);
    // Taken whole: a copy would hold two tables of value names at the peak.
    answer.valueNames.adopt(first, std::move(declared.valueNames));
    summary.reset();
    UseFiler filer(answer);
    FindInDataFiles<FlagStepUse>(
        context, UsePassKinds,
        [section](const DataFile& file, std::vector<FlagStepUse>& found, TextStore& texts) {
            WalkFlagStepFile(file, section, found, texts);
        },
        [&](FlagStepUse& use) { filer.file(use); });
    answer.copyKeysToLeftList();
}

void WalkFlagStepFile(const DataFile& file, SummarySection section, std::vector<FlagStepUse>& found, TextStore& texts)
{
    FlagStepUses uses{found, {}};
    WalkFlagStepFile(file, section, uses, texts);
}

void WalkFlagStepFile(const DataFile& file, SummarySection section, FlagStepUses& found, TextStore& texts)
{
    const bool flags = section == SummarySection::Flags;
    const auto visitEvent = [&](const EventVisit& visit) { WalkFlagStepEvent(visit, section, found); };
    // Only Area and Battle cards carry flags; owned cards of a Mate file never do.
    const auto visitCard = [&](const Card& card, const Text& fileName, const Text& label) {
        if (!card.flag.empty() && found.wants(card.flag))
            found.uses.push_back(rowWithoutStart(texts, card.flag, fileName, label, Word("カードフラグ")));
    };
    WalkFileEvents(file, texts, visitEvent, flags ? CardVisitor(visitCard) : CardVisitor());
    if (!flags || file.kind != FileKind::Area)
        return;
    const Text fileName = Text::Unicode(file.fileName);
    for (std::size_t cell = 0; cell < file.cells.size(); ++cell)
        if (!file.cells[cell].flag.empty() && found.wants(file.cells[cell].flag))
            found.uses.push_back(
                rowWithoutStart(texts, file.cells[cell].flag, fileName, file.title,
                                IndexedLabel(Word("エリアセル"), static_cast<long long>(cell)).text()));
}

void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, std::vector<FlagStepUse>& found)
{
    FlagStepUses uses{found, {}};
    WalkFlagStepEvent(visit, section, uses);
}

void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, FlagStepUses& found)
{
    const bool flags = section == SummarySection::Flags;
    const PassTable& passes = flags ? FlagPasses : StepPasses;
    const std::size_t expressionReferences = passes.kindWords().size() - 1;
    const VariantTarget target = flags ? VariantTarget::Flag : VariantTarget::Step;
    ForEachHitByPass(visit.event, passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        const Text& kindWord = passes.kindWords()[pass];
        if (pass == expressionReferences)
            collectExpressionReferences(visit, start, hit, kindWord, flags ? FlagFunctions : StepFunctions, found);
        else if (hit.kind == xk::SetVariant)
            collectVariantSetting(visit, start, hit, kindWord, target, found);
        else if (is(hit, K::BackgroundChange) || hit.kind == xk::ReplaceBgImage)
            collectCellFlags(visit, start, hit, kindWord, found);
        else if (is(hit, K::FlagSubstitute) || is(hit, K::StepSubstitute))
            collectSubstitute(visit, start, hit, found);
        else if (is(hit, K::FlagCompareBranch) || is(hit, K::StepCompareBranch))
            collectComparison(visit, start, hit, kindWord, found);
        else if (found.wants(hit.detail.text))
            found.uses.push_back(useOfText(visit, start, hit, kindWord));
    });
}

}  // namespace quorvel
