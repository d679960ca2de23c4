#include "search/FlagStepSearch.h"

#include "search/Expressions.h"
#include "search/Passes.h"
#include "search/RowTexts.h"
#include "search/TextReferences.h"

namespace quorvel {

namespace {

using K = ContentKind;
namespace xk = xml_only;

// What is only in the XML format comes in passes after the classic ones.
const KindSet Expressions{xk::SetVariant, xk::BranchVariant, xk::CheckVariant};

// The message and dialogue whose texts and choices may show a value.
const KindSet Talks{6, static_cast<std::uint8_t>(K::Dialogue)};

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
    {Talks, "テキスト参照"},             // the flags texts show (%name%)
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
    {Talks, "テキスト参照"},       // the steps texts show ($name$)
};

const PassTable VariantPasses{
    {{xk::SetVariant}, "式代入"},  // a variant set to an expression
    {Expressions, "式参照"},       // the variants expressions read (VAR, @"…")
    {Talks, "テキスト参照"},       // the variants texts show (@name@)
};

// What each kind of state variable is searched by.
struct SectionRule {
    const PassTable& passes;
    VariantTarget target;                     // what a Set/Variant sets
    std::vector<std::string_view> functions;  // of expressions, naming it by their first argument
    bool variantShorthand;                    // @"…" names one
    char textMarker;                          // around its name inside texts
    const char* definitionWord;               // the kind word of a declaration's row
};

const SectionRule& ruleOf(SummarySection section)
{
    static const SectionRule Flags{FlagPasses, VariantTarget::Flag, {"FLAGVALUE", "FLAGTEXT"}, false,
                                   '%',        "フラグ定義"};
    static const SectionRule Steps{StepPasses, VariantTarget::Step, {"STEPVALUE", "STEPTEXT", "STEPMAX"}, false,
                                   '$',        "ステップ定義"};
    static const SectionRule Variants{VariantPasses, VariantTarget::Variant, {"VAR"}, true, '@', "コモン定義"};
    return section == SummarySection::Flags ? Flags : section == SummarySection::Steps ? Steps : Variants;
}

bool is(const Content& content, ContentKind kind)
{
    return content.kind == static_cast<std::uint8_t>(kind);
}

// The engine's own names (its random source, the selected member, …).
bool isSystemName(const Text& name)
{
    return name.shownBytes().starts_with("??");
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
// "未定義" entry; a card's own declaration as a line after every other, and
// the uses that mean it under that line.
class UseFiler {
public:
    explicit UseFiler(Answer& answer) : answer_(answer) { }

    void file(FlagStepUse& use)
    {
        if (use.declaresLocal) {
            if (use.local == 0)
                firstOfFile_ = locals_.size();  // the first declaration of a file
            locals_.push_back(answer_.index.addUnlisted(use.name));
            return;
        }
        if (use.local) {
            answer_.index.fileKeptRow(locals_.at(firstOfFile_ + *use.local), use.row);
            return;
        }
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
    std::vector<EntryId> locals_;  // the lines of cards' own declarations, in walk order
    std::size_t firstOfFile_ = 0;  // where those of the file being filed start
};

// The walk of one file: what the cards met so far declare for their own
// events, and which declaration a name used in an event means.
class FileWalk {
public:
    FileWalk(SummarySection section, FlagStepUses& found, TextStore& texts)
        : section_(section), rule_(ruleOf(section)), found_(found), texts_(texts)
    {
    }

    const SectionRule& rule() const { return rule_; }

    // A card's declarations, met before its events: a finding for each.
    void declare(const CardVariables& declared, const Text& fileName, const Text& eventText)
    {
        current_ = &declared;
        first_ = next_;
        for (const LocalVariable& variable : declared.of(section_)) {
            const OwnedText line = JoinTexts({variable.name, Word(" ["), fileName, Word("]")});
            FlagStepUse declaration{
                texts_.keepBytes(line.text()),
                HitRow{texts_.keepRow({fileName, eventText, {}, {}, Word(rule_.definitionWord), {}})}};
            declaration.declaresLocal = true;
            declaration.local = next_++;
            found_.uses.push_back(std::move(declaration));
        }
    }

    // Adds the use make() makes of `name` in the visited event, when it is
    // wanted. `resolvedByEngine`: filed only where the name is declared.
    template <typename Make>
    void offer(const EventVisit& visit, const Text& name, Make&& make, bool resolvedByEngine = false)
    {
        const std::optional<std::uint32_t> local = localOf(visit, name);
        if (!found_.wants(name, local))
            return;
        FlagStepUse use = make();
        if (local) {
            use.local = local;
            setLocalValue(use, *local);
        } else {
            use.onlyWhereDeclared = resolvedByEngine || isSystemName(name);
        }
        found_.uses.push_back(std::move(use));
    }

    // A use outside any event (a card's or a cell's flag).
    template <typename Make>
    void offerOutsideEvents(const Text& name, Make&& make)
    {
        if (!found_.wants(name, std::nullopt))
            return;
        FlagStepUse use = make();
        use.onlyWhereDeclared = isSystemName(name);
        found_.uses.push_back(std::move(use));
    }

private:
    // The position of the declaration of `name` the visited event's card
    // makes for its own events (the first of that exact name).
    std::optional<std::uint32_t> localOf(const EventVisit& visit, const Text& name) const
    {
        if (!visit.variables || visit.variables != current_)
            return std::nullopt;
        const std::span<const LocalVariable> declared = current_->of(section_);
        std::string scratch;
        std::string otherScratch;
        const std::string_view key = NameKey(name, scratch);
        for (std::size_t i = 0; i < declared.size(); ++i)
            if (NameKey(declared[i].name, otherScratch) == key)
                return first_ + static_cast<std::uint32_t>(i);
        return std::nullopt;
    }

    void setLocalValue(FlagStepUse& use, std::uint32_t local) const
    {
        if (!use.valueName)
            return;
        ValueNames names(Text::Unicode(""));
        for (const Text& valueName : current_->of(section_)[local - first_].valueNames)
            names.add(valueName.bytes());
        SetFlagStepValue(use, &names, texts_);
        use.valueName.reset();
    }

    SummarySection section_;
    const SectionRule& rule_;
    FlagStepUses& found_;
    TextStore& texts_;
    const CardVariables* current_ = nullptr;  // of the card whose events are walked
    std::uint32_t first_ = 0;                 // the position of its first declaration
    std::uint32_t next_ = 0;                  // the position of the next declaration met
};

FlagStepUse rowWithoutStart(TextStore& texts, const Text& name, const Text& fileName, const Text& eventText,
                            const Text& kindWord)
{
    return {texts.keepBytes(name), HitRow{texts.keepRow({fileName, eventText, {}, {}, kindWord, {}})}};
}

// A background change: a row for each of its cells that has a flag.
void collectCellFlags(const EventVisit& visit, const Content& start, const Content& change, const Text& kindWord,
                      FileWalk& walk)
{
    const std::span<const Cell> cells = change.detail.cells;
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        if (!cells[cell].flag.empty())
            walk.offer(visit, cells[cell].flag, [&] {
                return FlagStepUse{
                    visit.rowTexts.keepBytes(cells[cell].flag),
                    MakeHitRow(visit, start, IndexedLabel(kindWord, static_cast<long long>(cell)).text(), {})};
            });
}

// A substitute: `to` (text2) takes the value of `from` (text). A row under
// `from`, then one under `to`; each shows the other name as its value.
void collectSubstitute(const EventVisit& visit, const Content& start, const Content& substitute, FileWalk& walk)
{
    const Text from = substitute.detail.text;
    const Text to = substitute.detail.text2;
    walk.offer(visit, from, [&] {
        return FlagStepUse{visit.rowTexts.keepBytes(from), MakeHitRow(visit, start, Word("代入元"), to)};
    });
    walk.offer(visit, to, [&] {
        return FlagStepUse{visit.rowTexts.keepBytes(to), MakeHitRow(visit, start, Word("代入先"), from)};
    });
}

// A comparison of two names: a row under each, showing the other.
void collectComparison(const EventVisit& visit, const Content& start, const Content& branch, const Text& kindWord,
                       FileWalk& walk)
{
    const Text first = branch.detail.text;
    const Text second = branch.detail.text2;
    walk.offer(visit, first, [&] {
        return FlagStepUse{visit.rowTexts.keepBytes(first), MakeHitRow(visit, start, kindWord, second)};
    });
    walk.offer(visit, second, [&] {
        return FlagStepUse{visit.rowTexts.keepBytes(second), MakeHitRow(visit, start, kindWord, first)};
    });
}

// A name an expression sets: a row under it, showing the expression.
void collectVariantSetting(const EventVisit& visit, const Content& start, const Content& setting, const Text& kindWord,
                           FileWalk& walk)
{
    if (!setting.extras || setting.extras->variantTarget != walk.rule().target)
        return;
    walk.offer(visit, setting.detail.text, [&] {
        return FlagStepUse{visit.rowTexts.keepBytes(setting.detail.text),
                           MakeHitRow(visit, start, kindWord, setting.extras->expression)};
    });
}

// The names an expression reads: a row under each, showing the expression.
void collectExpressionReferences(const EventVisit& visit, const Content& start, const Content& content,
                                 const Text& kindWord, FileWalk& walk)
{
    if (!content.extras)
        return;
    const Text expression = content.extras->expression;
    for (const std::string& read :
         NamesCalledWith(expression.bytes(), walk.rule().functions, walk.rule().variantShorthand)) {
        const Text name = Text::Unicode(read);
        walk.offer(visit, name, [&] {
            return FlagStepUse{visit.rowTexts.keepBytes(name), MakeHitRow(visit, start, kindWord, expression)};
        });
    }
}

// The names a message's text, a dialogue's entries and their choices show
// the values of: a row under each declared one, showing the whole text.
void collectTextReferences(const EventVisit& visit, const Content& start, const Content& talk, const Text& kindWord,
                           FileWalk& walk)
{
    const auto referencesIn = [&](const Text& text) {
        ForEachTextReference(text, walk.rule().textMarker, [&](const Text& name) {
            walk.offer(
                visit, name,
                [&] {
                    return FlagStepUse{visit.rowTexts.keepBytes(name), MakeHitRow(visit, start, kindWord, text)};
                },
                true);
        });
    };
    if (is(talk, K::Dialogue))
        for (const DialogueEntry& entry : talk.detail.dialogueEntries)
            referencesIn(entry.text);
    else
        referencesIn(talk.detail.text2);
    for (const Content& choice : talk.children)
        referencesIn(choice.name);
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
        const std::optional<Text> comparison
            = hit.extras && hit.extras->comparisonWord ? hit.extras->comparisonWord : comparisonWord(hit.detail.option);
        if (comparison)
            use.row.texts[5] = visit.rowTexts.keep(*comparison);
    }
    return use;
}

// The uses in one event, pass by pass, each over every start content.
void walkEvent(const EventVisit& visit, FileWalk& walk)
{
    const PassTable& passes = walk.rule().passes;
    const std::size_t textReferences = passes.kindWords().size() - 1;
    const std::size_t expressionReferences = textReferences - 1;
    ForEachHitByPass(visit.event, passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        const Text& kindWord = passes.kindWords()[pass];
        if (pass == textReferences)
            collectTextReferences(visit, start, hit, kindWord, walk);
        else if (pass == expressionReferences)
            collectExpressionReferences(visit, start, hit, kindWord, walk);
        else if (hit.kind == xk::SetVariant)
            collectVariantSetting(visit, start, hit, kindWord, walk);
        else if (is(hit, K::BackgroundChange) || hit.kind == xk::ReplaceBgImage)
            collectCellFlags(visit, start, hit, kindWord, walk);
        else if (is(hit, K::FlagSubstitute) || is(hit, K::StepSubstitute))
            collectSubstitute(visit, start, hit, walk);
        else if (is(hit, K::FlagCompareBranch) || is(hit, K::StepCompareBranch))
            collectComparison(visit, start, hit, kindWord, walk);
        else
            walk.offer(visit, hit.detail.text, [&] { return useOfText(visit, start, hit, kindWord); });
    });
}

}  // namespace

void SetFlagStepValue(FlagStepUse& use, const ValueNames* declared, TextStore& texts)
{
    if (!use.valueName)
        return;
    const OwnedText value = valueText(declared, *use.valueName);
    const Text comparison = use.row.texts[5].text();
    use.row.texts[5] = texts.keep(comparison.empty() ? value.text() : JoinTexts({comparison, value.text()}).text());
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
    FileWalk walk(section, found, texts);
    const bool flags = section == SummarySection::Flags;
    const auto visitEvent = [&](const EventVisit& visit) { walkEvent(visit, walk); };
    // Only Area and Battle cards carry flags; owned cards of a Mate file never do.
    const auto visitCard = [&](const Card& card, const Text& fileName, const Text& label) {
        if (!card.flag.empty())
            walk.offerOutsideEvents(
                card.flag, [&] { return rowWithoutStart(texts, card.flag, fileName, label, Word("カードフラグ")); });
    };
    const auto visitVariables = [&](const CardVariables& declared, const Text& fileName, const Text& eventText) {
        walk.declare(declared, fileName, eventText);
    };
    WalkFileEvents(file, texts, visitEvent, flags ? CardVisitor(visitCard) : CardVisitor(), visitVariables);
    if (!flags || file.kind != FileKind::Area)
        return;
    const Text fileName = Text::Unicode(file.fileName);
    for (std::size_t cell = 0; cell < file.cells.size(); ++cell)
        if (!file.cells[cell].flag.empty())
            walk.offerOutsideEvents(file.cells[cell].flag, [&] {
                return rowWithoutStart(texts, file.cells[cell].flag, fileName, file.title,
                                       IndexedLabel(Word("エリアセル"), static_cast<long long>(cell)).text());
            });
}

}  // namespace quorvel
