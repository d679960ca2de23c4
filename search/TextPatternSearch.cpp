#include "search/TextPatternSearch.h"

#include "scenario/ContentKind.h"
#include "scenario/ContentWalk.h"
#include "search/DataFileLoop.h"
#include "search/MaterialPaths.h"
#include "search/RowTexts.h"
#include "search/Summary.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace quorvel {

namespace {

using F = TextField;
using K = ContentKind;
namespace xk = xml_only;

constexpr std::array<const char*, TextFieldCount> FieldWords = {
    "貼紙",       "シナリオ名", "作者",       "フラグ",     "ステップ",     "コモン",   "フラグ値",
    "ステップ値", "コモン値",   "エリア名",   "バトル名",   "パッケージ名", "カード名", "解説",
    "メッセージ", "台詞",       "選択肢",     "スタート",   "リンク先",     "称号",     "ゴシップ",
    "終了印",     "式",         "キーコード", "ファイル名", "テキストセル", "セル名称", "カードグループ",
};

struct GroupRange {
    const char* word;
    F first;
    F last;
};
constexpr GroupRange GroupRanges[] = {
    {"summary", F::Description, F::Author},       {"variable", F::Flag, F::Variant},
    {"value", F::FlagValue, F::VariantValue},     {"title", F::AreaName, F::PackageName},
    {"card", F::CardName, F::CardDescription},    {"message", F::Message, F::Message},
    {"dialogue", F::Dialogue, F::Dialogue},       {"choice", F::Choice, F::Choice},
    {"start", F::Start, F::LinkTarget},           {"coupon", F::Coupon, F::EndMark},
    {"expression", F::Expression, F::Expression}, {"keycode", F::KeyCode, F::KeyCode},
    {"file", F::FileName, F::FileName},           {"cell", F::TextCell, F::CardGroup},
};

std::size_t at(F field)
{
    return static_cast<std::size_t>(field);
}

bool is(const Content& content, K kind)
{
    return content.kind == static_cast<std::uint8_t>(kind);
}

constexpr std::uint8_t MessageKind = 6;
constexpr std::uint8_t StartKind = 0;
constexpr std::uint8_t EndMarkGetKind = 58;
constexpr std::uint8_t EndMarkLoseKind = 59;

// One field of a content, in the order the search's passes take them.
struct ContentField {
    F field;
    Text text;
};

F fieldOf(WrittenField written)
{
    switch (written) {
    case WrittenField::Description:
        return F::CardDescription;
    case WrittenField::KeyCode:
        return F::KeyCode;
    case WrittenField::CellName:
        return F::CellName;
    case WrittenField::CardGroup:
        return F::CardGroup;
    case WrittenField::ImagePath:
        break;
    }
    return F::FileName;
}

// The fields of one content, for each of the passes, appended to `fields`.
void fieldsOfContent(const Content& content, std::vector<ContentField>& fields)
{
    const ContentDetail& detail = content.detail;
    const auto add = [&](F field, const Text& text) {
        if (!text.empty())
            fields.push_back({field, text});
    };
    const std::uint8_t kind = content.kind;
    if (is(content, K::FlagBranch) || is(content, K::FlagChange) || is(content, K::FlagReverse)
        || is(content, K::FlagJudge))
        add(F::Flag, detail.text);
    if (is(content, K::FlagSubstitute) || is(content, K::FlagCompareBranch)) {
        add(F::Flag, detail.text);
        add(F::Flag, detail.text2);
    }
    if (is(content, K::StepMultiBranch) || is(content, K::StepChange) || is(content, K::StepIncrease)
        || is(content, K::StepDecrease) || is(content, K::StepUpDownBranch) || is(content, K::StepCheck))
        add(F::Step, detail.text);
    if (is(content, K::StepSubstitute) || is(content, K::StepCompareBranch)) {
        add(F::Step, detail.text);
        add(F::Step, detail.text2);
    }
    if (kind == xk::SetVariant && content.extras) {
        const VariantTarget target = content.extras->variantTarget;
        add(target == VariantTarget::Flag       ? F::Flag
                : target == VariantTarget::Step ? F::Step
                                                : F::Variant,
            detail.text);
    }
    for (const Cell& cell : detail.cells)
        add(F::Flag, cell.flag);
    if (kind == MessageKind)
        add(F::Message, detail.text2);
    if (is(content, K::Dialogue))
        for (const DialogueEntry& entry : detail.dialogueEntries)
            add(F::Dialogue, entry.text);
    if (kind == MessageKind || is(content, K::Dialogue))
        for (const Content& child : content.children)
            add(F::Choice, child.name);
    if (kind == StartKind)
        add(F::Start, content.name);
    if (is(content, K::StartLink) || is(content, K::StartCall))
        add(F::LinkTarget, detail.text);
    if (is(content, K::CouponBranch) || is(content, K::CouponGet) || is(content, K::CouponDelete))
        add(F::Coupon, detail.text);
    if (content.extras)
        for (const Text& coupon : content.extras->coupons)
            add(F::Coupon, coupon);
    if (is(content, K::Dialogue))
        for (const DialogueEntry& entry : detail.dialogueEntries)
            add(F::Coupon, entry.condition);
    for (const CouponScore& score : detail.couponScores)
        add(F::Coupon, score.coupon);
    if (kind == xk::MultiCouponBranch)
        for (const Content& child : content.children)
            add(F::Coupon, child.name);
    if (content.extras)
        add(F::Coupon, content.extras->holdingCoupon);
    if (is(content, K::GossipBranch) || is(content, K::GossipGet) || is(content, K::GossipDelete))
        add(F::Gossip, detail.text);
    if (is(content, K::EndMarkBranch) || kind == EndMarkGetKind || kind == EndMarkLoseKind)
        add(F::EndMark, detail.text);
    if (content.extras)
        add(F::Expression, content.extras->expression);
    if (is(content, K::KeyCodeBranch))
        add(F::KeyCode, detail.text);
    std::vector<NamedPath> paths;
    AppendContentPaths(content, paths);
    for (const NamedPath& path : paths)
        add(F::FileName, path.path);
    for (const Cell& cell : detail.cells)
        if (cell.layout == CellLayout::Text)
            add(F::TextCell, cell.text);
    if (content.extras)
        for (const WrittenText& written : content.extras->written)
            add(fieldOf(written.field), written.text);
}

// What one worker's search of a file needs besides the file.
class FieldMatcher {
public:
    FieldMatcher(const TextQuery& query, std::atomic<bool>& ranAway) : query_(query), ranAway_(ranAway) { }

    bool wants(F field) const { return query_.fields.test(at(field)); }

    // One keyed row per match of the pattern in the field; makeRow(value)
    // makes the row that shows the whole field.
    template <typename MakeRow>
    void match(F field, const Text& text, TextStore& texts, std::vector<KeyedRow>& found, MakeRow&& makeRow)
    {
        if (!wants(field) || text.empty() || ranAway_.load(std::memory_order_relaxed))
            return;
        const std::string utf8 = ShownForm(text);
        auto matches = query_.pattern.find(utf8);
        if (std::holds_alternative<PatternRanAway>(matches)) {
            ranAway_ = true;
            return;
        }
        for (const MatchSpan& span : std::get<std::vector<MatchSpan>>(matches)) {
            const Text key
                = texts.keepBytes(Text::Unicode(std::string_view(utf8).substr(span.begin, span.end - span.begin)));
            found.push_back({key, makeRow(Word(TextFieldWord(field)), text.shownPart())});
        }
    }

private:
    const TextQuery& query_;
    std::atomic<bool>& ranAway_;
};

void matchEvent(FieldMatcher& matcher, const EventVisit& visit, std::vector<KeyedRow>& found)
{
    struct Place {
        const Content* start;
        ContentField field;
    };
    std::vector<Place> places;
    std::vector<ContentField> fields;
    ForEachContent(visit.event, [&](const Content& start, const Content& content) {
        fields.clear();
        fieldsOfContent(content, fields);
        for (const ContentField& field : fields)
            if (matcher.wants(field.field))
                places.push_back({&start, field});
    });
    // Pass by pass: the fields of one kind word, in walk order.
    std::stable_sort(places.begin(), places.end(),
                     [](const Place& a, const Place& b) { return a.field.field < b.field.field; });
    for (const Place& place : places)
        matcher.match(
            place.field.field, place.field.text, visit.rowTexts, found,
            [&](const Text& word, const Text& value) { return MakeHitRow(visit, *place.start, word, value); });
}

F titleField(FileKind kind)
{
    switch (kind) {
    case FileKind::Area:
        return F::AreaName;
    case FileKind::Battle:
        return F::BattleName;
    case FileKind::Package:
        return F::PackageName;
    default:
        return F::CardName;
    }
}

void matchFile(FieldMatcher& matcher, const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts)
{
    const Text fileName = Text::Unicode(file.fileName);
    const auto placeRow = [&](const Text& eventText) {
        return [&texts, fileName, eventText](const Text& word, const Text& value) {
            return HitRow{texts.keepRow({fileName, eventText, {}, {}, word, value})};
        };
    };
    const auto matchWritten = [&](std::span<const WrittenText> written, const Text& label) {
        for (const WrittenText& each : written)
            matcher.match(fieldOf(each.field), each.text, texts, found, placeRow(label));
    };
    matcher.match(titleField(file.kind), file.title, texts, found, placeRow({}));
    matchWritten(file.written, {});
    WalkFileEvents(
        file, texts, [&](const EventVisit& visit) { matchEvent(matcher, visit, found); },
        [&](const Card& card, const Text&, const Text& label) {
            matcher.match(F::CardName, card.name, texts, found, placeRow(label));
            matcher.match(F::Flag, card.flag, texts, found, placeRow(label));
            matchWritten(card.written, label);
        });
    for (const Cell& cell : file.cells) {
        matcher.match(F::Flag, cell.flag, texts, found, placeRow({}));
        matcher.match(F::FileName, cell.image, texts, found, placeRow({}));
        if (cell.layout == CellLayout::Text)
            matcher.match(F::TextCell, cell.text, texts, found, placeRow({}));
    }
}

// The summary's declarations: a row under the summary for each name and value name matched.
void matchSummary(SearchContext& context, FieldMatcher& matcher, std::vector<KeyedRow>& found, TextStore& texts)
{
    const ScenarioSource& source = context.source;
    if (!source.hasSummary())
        return;
    const std::optional<Summary> summary
        = source.readSummary({SummarySection::Flags, SummarySection::Steps, SummarySection::Variants});
    const std::string summaryName = source.summaryName();
    if (!summary) {
        ReportUnreadableFile(context, summaryName);
        return;
    }
    const Text fileName = Text::Unicode(summaryName);
    const auto row = [&](const Text& word, const Text& value) {
        return HitRow{texts.keepRow({fileName, {}, {}, {}, word, value})};
    };
    const auto declared = [&](const Declarations& declarations, F nameField, F valueField) {
        for (std::size_t i = 0; i < declarations.names.size(); ++i) {
            matcher.match(nameField, declarations.names[i], texts, found, row);
            if (i < declarations.valueNames.size())
                for (std::size_t v = 0; v < declarations.valueNames[i].size(); ++v)
                    matcher.match(valueField, declarations.valueNames[i][v], texts, found, row);
        }
    };
    matcher.match(F::Description, summary->description, texts, found, row);
    matcher.match(F::ScenarioName, summary->name, texts, found, row);
    matcher.match(F::Author, summary->author, texts, found, row);
    declared(summary->flags, F::Flag, F::FlagValue);
    declared(summary->steps, F::Step, F::StepValue);
    declared(summary->variants, F::Variant, F::VariantValue);
}

// One scenario's matches, filed into the context's answer after those of
// the scenarios before it.
void searchScenario(SearchContext& context, const TextQuery& query, std::atomic<bool>& ranAway)
{
    Answer& answer = context.answer;
    FieldMatcher summaryMatcher(query, ranAway);
    std::vector<KeyedRow> summaryRows;
    TextStore summaryTexts;
    matchSummary(context, summaryMatcher, summaryRows, summaryTexts);
    const auto file = [&](KeyedRow& match) { answer.index.fileKeptRow(answer.index.findOrAdd(match.key), match.row); };
    std::for_each(summaryRows.begin(), summaryRows.end(), file);
    answer.index.texts().adopt(std::move(summaryTexts));
    FindInDataFiles<KeyedRow>(
        context, EveryFileKind,
        [&](const DataFile& data, std::vector<KeyedRow>& found, TextStore& texts) {
            FieldMatcher matcher(query, ranAway);
            matchFile(matcher, data, found, texts);
        },
        file, DataFileTexts::Written);
}

}  // namespace

const char* TextFieldWord(TextField field)
{
    return FieldWords[at(field)];
}

std::optional<std::bitset<TextFieldCount>> TextFieldsNamed(std::string_view word)
{
    std::bitset<TextFieldCount> fields;
    for (const GroupRange& group : GroupRanges)
        if (word == group.word)
            for (std::size_t field = at(group.first); field <= at(group.last); ++field)
                fields.set(field);
    for (std::size_t field = 0; field < TextFieldCount; ++field)
        if (word == FieldWords[field])
            fields.set(field);
    if (fields.none())
        return std::nullopt;
    return fields;
}

std::optional<std::bitset<TextFieldCount>> TextFieldsListed(std::string_view list, std::string& unknown)
{
    if (list.empty())
        return std::bitset<TextFieldCount>().set();
    std::bitset<TextFieldCount> fields;
    while (true) {
        const std::string_view word = list.substr(0, list.find(','));
        const std::optional<std::bitset<TextFieldCount>> named = TextFieldsNamed(word);
        if (!named) {
            unknown = word;
            return std::nullopt;
        }
        fields |= *named;
        if (word.size() == list.size())
            return fields;
        list.remove_prefix(word.size() + 1);
    }
}

std::span<const TextFieldGroup> TextFieldGroups()
{
    static const std::vector<TextFieldGroup> groups = [] {
        std::vector<TextFieldGroup> made;
        for (const GroupRange& group : GroupRanges) {
            std::string words;
            for (std::size_t field = at(group.first); field <= at(group.last); ++field) {
                if (!words.empty())
                    words += '/';
                words += FieldWords[field];
            }
            made.push_back({group.word, words});
        }
        return made;
    }();
    return groups;
}

TextSearchCommand::TextSearchCommand(TextQuery searched, const std::string& pattern)
    : query(std::move(searched)),
      caption("テキスト「" + pattern + "」"), command{.name = "text",
                                                      .menu = Menu::Search,
                                                      .separatorBefore = false,
                                                      .caption = caption.c_str(),
                                                      .answers = "",
                                                      .searchMode = SearchMode::TextSearch,
                                                      .shortcut = "",
                                                      .run = [this](SearchContext& context) {
                                                          SearchTextPattern(context, query);
                                                      }}
{
}

void SearchTextPattern(SearchContext& context, const TextQuery& query)
{
    const ScenarioSource* const only[] = {&context.source};
    SearchTextPatternIn(context, only, query);
}

bool SearchTextPatternIn(SearchContext& context, std::span<const ScenarioSource* const> scenarios,
                         const TextQuery& query, const ScenarioProgress& progress)
{
    StartAnswer(context, TableMode::Sorted);
    std::atomic<bool> ranAway = false;
    for (std::size_t searched = 0; searched < scenarios.size(); ++searched) {
        if (progress && !progress(searched, scenarios.size())) {
            StartAnswer(context, TableMode::Sorted);
            return false;
        }
        const ScenarioSource* scenario = scenarios[searched];
        SearchContext one{*scenario,           context.answer,  context.messages,
                          context.targetWords, context.workers, context.filesWorthWorkers};
        if (const std::optional<std::string> unreadable = scenario->unreadable())
            ReportUnreadableFile(one, *unreadable);
        else if (scenario->holdsScenario())
            searchScenario(one, query, ranAway);
        if (ranAway)
            break;
    }
    if (ranAway) {
        StartAnswer(context, TableMode::Sorted);
        context.messages.report({"正規表現の照合に時間がかかりすぎるため中止しました", "I'm sorry!", {}});
        return true;
    }
    context.answer.copyKeysToLeftList();
    return true;
}

}  // namespace quorvel
