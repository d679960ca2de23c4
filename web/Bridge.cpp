// What the page's worker calls: the engine of the desktop, over files the
// page has put into the module's in-memory file system. Every answer is
// what quorvel-cli --json prints for the same command and sort; the status
// line, the filter, the CSV and the opening words are the window's own.
// Each function writes UTF-8 text, handed to the worker in pieces as it is
// written (see RepliedText).

#include "app/CommandSummary.h"
#include "app/NameFilter.h"
#include "app/ScenarioStatus.h"
#include "results/CsvAnswer.h"
#include "results/JsonAnswer.h"
#include "results/ResultColumns.h"
#include "search/ArchiveTree.h"
#include "search/Commands.h"
#include "search/FolderSource.h"
#include "search/ListedDataFile.h"
#include "search/Scenarios.h"
#include "search/TextPatternSearch.h"

#include <nlohmann/json.hpp>

#include <array>
#include <bitset>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include <emscripten/emscripten.h>

namespace quorvel {
namespace {

class CollectedMessages : public MessageSink {
public:
    MessageList messages;
    void report(const Message& message) override { messages.push_back(message); }
};

// Gives the worker a piece of the reply being written: the worker keeps a copy.
EM_JS(void, quorvel_hand_over, (const char* bytes, std::size_t length),
      { Module["replyPieces"].push(HEAPU8.slice(bytes, bytes + length)); });

// What a call replies, handed over piece by piece as it is written. The
// engine's memory grows and is never given back, so a whole answer of
// megabytes held in it, or copied once more to be read, would keep that
// memory for the rest of the session.
class RepliedText : public std::streambuf {
public:
    RepliedText() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

protected:
    int_type overflow(int_type byte) override
    {
        handOver();
        if (!traits_type::eq_int_type(byte, traits_type::eof()))
            sputc(traits_type::to_char_type(byte));
        return traits_type::not_eof(byte);
    }
    int sync() override
    {
        handOver();
        return 0;
    }

private:
    void handOver()
    {
        if (pptr() > pbase())
            quorvel_hand_over(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }

    std::array<char, 256 * 1024> buffer_;
};

// Where every call writes its reply; the reply ends when the call returns.
class Reply {
public:
    Reply() : out_(&text()) { }
    ~Reply() { out_.flush(); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;

    std::ostream& out() { return out_; }

private:
    static RepliedText& text()
    {
        static RepliedText kept;
        return kept;
    }

    std::ostream out_;
};

// The opened scenario and the last answer, as the window keeps them.
struct Session {
    std::unique_ptr<ScenarioSource> scenario;
    std::string picked;
    Answer answer;
    CollectedMessages messages;
    const Command* command = nullptr;
    std::optional<TextSearchCommand> textSearch;  // the last text search
};

Session& session()
{
    static Session kept;
    return kept;
}

void reply(const std::string& text)
{
    Reply().out() << text;
}

std::string json(const nlohmann::ordered_json& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The status line after a command, as the window words it.
std::string statusAfter(const Command& command, double seconds)
{
    Session& kept = session();
    if (const std::optional<std::string> problem = kept.scenario ? ScenarioProblem(*kept.scenario) : std::nullopt)
        return *problem;
    CommandOutcome outcome;
    outcome.caption = command.caption;
    outcome.kind = command.runOnFile ? CommandOutcome::Kind::LinkSearch
        : command.isCheck()          ? CommandOutcome::Kind::Check
                                     : CommandOutcome::Kind::Search;
    outcome.names = kept.answer.leftLines().size();
    for (std::size_t line = 0; line < kept.answer.leftLines().size(); ++line)
        outcome.starts += !kept.answer.leftLineNote(line).shown().empty();
    outcome.places = kept.answer.places();
    for (const Message& message : kept.messages.messages)
        if (message.unreadableFile)
            outcome.unreadableFiles.push_back(*message.unreadableFile);
    outcome.seconds = seconds;
    return CommandSummary(outcome);
}

// The source a command reads: the scenario, or for the link search one data
// file of it (by its path in an archive, or on the in-memory disk).
std::unique_ptr<ScenarioSource> linkedFile(const std::string& dataFile)
{
    Session& kept = session();
    if (IsArchiveName(kept.picked))
        return std::make_unique<ListedDataFile>(*kept.scenario, dataFile);
    return std::make_unique<DataFileOnDisk>(dataFile);
}

// Runs a command over the opened scenario (the link search reads
// `dataFile`) and returns what the page shows at once: the status line, the
// names of the left list and the messages raised. The rows are asked for
// line by line (quorvel_rows), the whole answer as quorvel-cli --json
// prints it by quorvel_sorted.
void runReply(const Command& command, const std::string& dataFile)
{
    Session& kept = session();
    const auto start = std::chrono::steady_clock::now();
    kept.answer.clear();
    kept.messages.messages.clear();
    kept.command = &command;
    kept.scenario->refresh();
    std::unique_ptr<ScenarioSource> file;
    if (command.runOnFile && !dataFile.empty())
        file = linkedFile(dataFile);
    const TargetWordTable targetWords = DefaultTargetWords();
    SearchContext context{file ? *file : *kept.scenario, kept.answer, kept.messages, targetWords};
    context.workers = 1;
    RunCommand(command, context);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const std::string status = statusAfter(command, took.count());
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (const KeptText& line : kept.answer.leftLines())
        names.push_back(line.shown());
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const Message& message : kept.messages.messages)
        messages.push_back({{"caption", message.caption}, {"text", message.text}});
    reply(json({{"status", status}, {"names", names}, {"messages", messages}}));
}

}  // namespace
}  // namespace quorvel

using namespace quorvel;

extern "C" {

// The commands in menu order, the titles of the result columns and the
// kind words of the text search, in the order of its passes.
EMSCRIPTEN_KEEPALIVE void quorvel_commands()
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Command& command : Commands())
        list.push_back({{"name", command.name},
                        {"menu", MenuCaption(command.menu)},
                        {"caption", command.caption},
                        {"separatorBefore", command.separatorBefore},
                        {"shortcut", command.shortcut},
                        {"answers", command.answers},
                        {"onFile", static_cast<bool>(command.runOnFile)}});
    nlohmann::ordered_json textKinds = nlohmann::ordered_json::array();
    for (std::size_t field = 0; field < TextFieldCount; ++field)
        textKinds.push_back(TextFieldWord(static_cast<TextField>(field)));
    reply(json({{"commands", list}, {"columns", ResultColumnTitles}, {"textKinds", textKinds}}));
}

// Opens the scenario at `path` (a folder or an archive of the in-memory
// file system), which the user knows as `picked`.
EMSCRIPTEN_KEEPALIVE void quorvel_open(const char* path, const char* picked)
{
    Session& kept = session();
    kept.answer.clear();
    kept.messages.messages.clear();
    kept.command = nullptr;
    kept.picked = path;
    kept.scenario = ScenarioAt(path);
    if (!kept.scenario)
        kept.scenario = ScenarioOfFolder(path);
    const bool readable = !ScenarioProblem(*kept.scenario);
    nlohmann::ordered_json opened
        = {{"status", OpenedStatus(*kept.scenario, picked)},
           {"readable", readable},
           {"archive", IsArchiveName(path)},
           {"dataFiles", readable ? kept.scenario->dataFiles(EveryFileKind) : std::vector<std::string>()}};
    reply(json(opened));
}

// Runs a command of the command table, as runReply says.
EMSCRIPTEN_KEEPALIVE void quorvel_run(const char* name, const char* dataFile)
{
    Session& kept = session();
    const Command* command = FindCommand(std::string(name));
    if (!command || !kept.scenario)
        return;
    runReply(*command, dataFile && *dataFile ? std::string(dataFile) : std::string());
}

// The text search over the opened scenario, as quorvel-cli text: `options`
// as words ("case,regex,whole,join-lines"), `kinds` as --in takes them
// (empty: every kind). A pattern that cannot be searched for answers
// {"error": "<why>"} and leaves the last answer as it was.
EMSCRIPTEN_KEEPALIVE void quorvel_text(const char* pattern, const char* options, const char* kinds)
{
    Session& kept = session();
    if (!kept.scenario)
        return;
    std::string unknown;
    const std::optional<std::bitset<TextFieldCount>> fields = TextFieldsListed(kinds, unknown);
    if (!fields)
        return reply(json({{"error", "no kind of text " + unknown}}));
    if (!*pattern)
        return reply(json({{"error", "the pattern is empty"}}));
    std::variant<TextPattern, std::string> compiled = TextPattern::Compile(pattern, TextOptionsOfWords(options));
    if (const std::string* problem = std::get_if<std::string>(&compiled))
        return reply(json({{"error", *problem}}));
    kept.textSearch.emplace(TextQuery{std::move(std::get<TextPattern>(compiled)), *fields}, pattern);
    runReply(kept.textSearch->command, {});
}

// The rows of a line of the last answer, in the order of a sort column.
EMSCRIPTEN_KEEPALIVE void quorvel_rows(int line, int sortColumn, int descending)
{
    const Answer& answer = session().answer;
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    if (line >= 0 && static_cast<std::size_t>(line) < answer.leftLines().size())
        for (const HitRow* row :
             RowsInOrder(answer, static_cast<std::size_t>(line), RowOrder{sortColumn, descending != 0})) {
            nlohmann::ordered_json texts = nlohmann::ordered_json::array();
            for (const KeptText& text : row->texts)
                texts.push_back(text.shown());
            rows.push_back(std::move(texts));
        }
    reply(json(rows));
}

// The last answer again, its rows sorted by a column, as a click on its
// header sorts them (a second click turns the order round).
EMSCRIPTEN_KEEPALIVE void quorvel_sorted(int sortColumn, int descending)
{
    const Session& kept = session();
    WriteJsonAnswer(Reply().out(), kept.command ? kept.command->name : "", kept.messages.messages, kept.answer,
                    RowOrder{sortColumn, descending != 0}, 1);
}

// The last answer as the window saves it as CSV (with the byte-order mark).
EMSCRIPTEN_KEEPALIVE void quorvel_csv(int sortColumn, int descending)
{
    WriteCsvAnswer(Reply().out(), session().answer, RowOrder{sortColumn, descending != 0});
}

// The positions of the left list's lines that hold the typed text, as the
// window's filter folds both.
EMSCRIPTEN_KEEPALIVE void quorvel_filter(const char* typed)
{
    const std::u16string wanted = FilterForm(typed);
    nlohmann::json kept = nlohmann::json::array();
    const auto& lines = session().answer.leftLines();
    for (std::size_t line = 0; line < lines.size(); ++line)
        if (HoldsFilterText(FilterForm(lines[line].shown()), wanted))
            kept.push_back(line);
    reply(kept.dump());
}

}  // extern "C"
