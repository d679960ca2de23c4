#pragma once

#include "search/Commands.h"
#include "search/SearchContext.h"
#include "search/TextPattern.h"

#include <bitset>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The fields a text search reads, in the order of its passes.
enum class TextField : std::uint8_t {
    Description,
    ScenarioName,
    Author,
    Flag,
    Step,
    Variant,
    FlagValue,
    StepValue,
    VariantValue,
    AreaName,
    BattleName,
    PackageName,
    CardName,
    CardDescription,
    Message,
    Dialogue,
    Choice,
    Start,
    LinkTarget,
    Coupon,
    Gossip,
    EndMark,
    Expression,
    KeyCode,
    FileName,
    TextCell,
    CellName,
    CardGroup,
};
inline constexpr std::size_t TextFieldCount = static_cast<std::size_t>(TextField::CardGroup) + 1;

// A field's kind word, as the kind column shows it (UTF-8).
const char* TextFieldWord(TextField field);

// The fields one --in word names: a kind word, or one of the ASCII words
// for a group of them (summary, variable, value, title, card, message,
// dialogue, choice, start, coupon, expression, keycode, file, cell).
std::optional<std::bitset<TextFieldCount>> TextFieldsNamed(std::string_view word);

// The fields a comma-separated list of such words names (empty: every
// field); nothing when a word names none, with that word in `unknown`.
std::optional<std::bitset<TextFieldCount>> TextFieldsListed(std::string_view list, std::string& unknown);

// The ASCII words for groups of fields, in table order, each with its kind words (for --help).
struct TextFieldGroup {
    const char* word;
    std::string kindWords;  // UTF-8, separated by "/"
};
std::span<const TextFieldGroup> TextFieldGroups();

// What a text search looks for, and in which fields.
struct TextQuery {
    TextPattern pattern;
    std::bitset<TextFieldCount> fields = std::bitset<TextFieldCount>().set();
};

// A text search as the command table's commands run: what it looks for,
// and the command that runs it, whose caption names the pattern
// (テキスト「ルシア」). Its command refers to it, so it stays where it is made.
struct TextSearchCommand {
    TextSearchCommand(TextQuery searched, const std::string& pattern);
    TextSearchCommand(const TextSearchCommand&) = delete;
    TextSearchCommand& operator=(const TextSearchCommand&) = delete;

    TextQuery query;
    std::string caption;
    Command command;
};

// Lists each distinct piece of text the pattern matched in the scenario's
// summary and data files, and under it every place it was matched: one row
// per match, the field's kind word and the whole field as the value. A
// regular expression that runs away stops the search with a message and
// answers nothing.
void SearchTextPattern(SearchContext& context, const TextQuery& query);

// Told before each of several scenarios is searched how many are done and
// how many there are; it answers whether to go on.
using ScenarioProgress = std::function<bool(std::size_t searched, std::size_t total)>;

// The same over several scenarios, one after another, into one answer: a
// scenario that cannot be read is one message, and the search goes on.
// When `progress` says to stop, the answer is empty and the search says
// false; otherwise true.
bool SearchTextPatternIn(SearchContext& context, std::span<const ScenarioSource* const> scenarios,
                         const TextQuery& query, const ScenarioProgress& progress = {});

}  // namespace quorvel
