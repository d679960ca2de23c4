#include "cli/Cli.h"

#include "cli/CommandList.h"

#include "base/Version.h"
#include "results/CsvAnswer.h"
#include "results/JsonAnswer.h"
#include "scenario/FileSystem.h"
#include "search/ArchiveTree.h"
#include "search/Commands.h"
#include "search/FolderSource.h"
#include "search/ListedDataFile.h"
#include "search/Scenarios.h"
#include "search/ScenariosBelow.h"
#include "search/TextPatternSearch.h"

#include <malloc.h>

#include <algorithm>
#include <bitset>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

namespace quorvel {

namespace {

enum class Output { ForPeople, Json, Csv };

struct Options {
    Output output = Output::ForPeople;
    int sortColumn = 0;
    std::string command;
    std::string path;
    std::optional<std::string> entry;  // link: the data file of the archive at `path`
    // text: what to look for, how, and where
    std::string pattern;
    TextPatternOptions patternOptions;
    std::optional<std::string> fields;  // --in
};

// The text search's own options; false when `argument` is none of them.
bool parseTextOption(const std::vector<std::string>& arguments, std::size_t& i, Options& options, std::string& problem)
{
    const std::string& argument = arguments[i];
    TextPatternOptions& pattern = options.patternOptions;
    if (argument == "--case")
        pattern.matchCase = true;
    else if (argument == "--regex")
        pattern.regex = true;
    else if (argument == "--whole")
        pattern.wholeField = true;
    else if (argument == "--join-lines")
        pattern.joinLines = true;
    else if (argument == "--in") {
        if (i + 1 >= arguments.size()) {
            problem = "--in takes a comma-separated list of kinds (see --help)";
            return true;
        }
        options.fields = arguments[++i];
    } else
        return false;
    return true;
}

class CollectedMessages : public MessageSink {
public:
    MessageList messages;
    void report(const Message& message) override { messages.push_back(message); }
};

std::optional<Options> parse(const std::vector<std::string>& arguments, std::string& problem)
{
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json" || argument == "--csv") {
            const Output wanted = argument == "--json" ? Output::Json : Output::Csv;
            if (options.output != Output::ForPeople && options.output != wanted) {
                problem = "--json and --csv do not go together";
                return std::nullopt;
            }
            options.output = wanted;
        } else if (argument == "--sort") {
            if (i + 1 >= arguments.size() || arguments[i + 1].size() != 1 || arguments[i + 1][0] < '0'
                || arguments[i + 1][0] > '6') {
                problem = "--sort takes a column number from 0 to 6";
                return std::nullopt;
            }
            options.sortColumn = arguments[++i][0] - '0';
        } else if (parseTextOption(arguments, i, options, problem)) {
            if (!problem.empty())
                return std::nullopt;
        } else if (argument.starts_with("-") && argument != "-") {
            problem = "unknown option " + argument;
            return std::nullopt;
        } else {
            positional.push_back(argument);
        }
    }
    if (!positional.empty() && positional[0] == TextCommand) {
        if (positional.size() != 3) {
            problem = "expected text, a pattern and PATH (see --help)";
            return std::nullopt;
        }
        if (positional[1].empty()) {
            problem = "the pattern of text must not be empty";
            return std::nullopt;
        }
        options.command = positional[0];
        options.pattern = positional[1];
        options.path = positional[2];
        return options;
    }
    const TextPatternOptions& pattern = options.patternOptions;
    if (pattern.matchCase || pattern.regex || pattern.wholeField || pattern.joinLines || options.fields) {
        problem = "--case, --regex, --whole, --join-lines and --in are options of text";
        return std::nullopt;
    }
    const bool link = !positional.empty() && positional[0] == "link";
    if (positional.size() != 2 && !(link && positional.size() == 3)) {
        problem = link ? "expected link and a data file, or an archive and one of its data files (see --help)"
                       : "expected COMMAND and PATH (see --help)";
        return std::nullopt;
    }
    options.command = positional[0];
    options.path = positional[1];
    if (positional.size() == 3)
        options.entry = positional[2];
    return options;
}

using ShownRow = std::array<std::string_view, RowTextCount>;

// The rows of a line as the window shows them.
std::vector<ShownRow> shownRows(const Answer& answer, std::size_t line, int column)
{
    std::vector<ShownRow> rows;
    for (const HitRow* row : RowsInOrder(answer, line, RowOrder{column})) {
        ShownRow& shown = rows.emplace_back();
        for (std::size_t c = 0; c < shown.size(); ++c)
            shown[c] = row->texts[c].shown();
    }
    return rows;
}

// Columns on a terminal: East Asian wide characters take two.
std::size_t displayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3
                && !(lead == 0xEF && i + 1 < utf8.size()
                     && static_cast<unsigned char>(utf8[i + 1]) >= 0xBD)  // half-width forms
            ? 2
            : 1;
        i += length;
    }
    return width;
}

void printMessages(std::ostream& err, const MessageList& messages)
{
    for (const Message& message : messages)
        err << message.caption << ": " << message.text << "\n";
}

void printForPeople(std::ostream& out, std::ostream& err, int sortColumn, const Answer& answer,
                    const CollectedMessages& messages)
{
    printMessages(err, messages.messages);
    for (std::size_t line = 0; line < answer.leftLines().size(); ++line) {
        out << answer.leftLines()[line].shown() << "\n";
        const std::vector<ShownRow> rows = shownRows(answer, line, sortColumn);
        std::array<std::size_t, ResultColumnCount> widths{};
        widths[0] = std::to_string(rows.size()).size();
        for (const ShownRow& row : rows)
            for (std::size_t c = 0; c < row.size(); ++c)
                widths[c + 1] = std::max(widths[c + 1], displayWidth(row[c]));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string number = std::to_string(r + 1);
            std::string text = "  " + std::string(widths[0] - number.size(), ' ') + number;
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                text.append("  ")
                    .append(rows[r][c])
                    .append(c + 1 < rows[r].size() ? widths[c + 1] - displayWidth(rows[r][c]) : 0, ' ');
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            out << text << "\n";
        }
    }
}

// The scenario of PATH, or nothing when there is none (the reason is on `err`).
std::unique_ptr<ScenarioSource> scenarioOf(const std::string& path, std::ostream& err)
{
    std::unique_ptr<ScenarioSource> source = ScenarioAt(path);
    if (!source) {
        err << "quorvel-cli: no such file or folder: " << path << "\n";
        return nullptr;
    }
    if (!source->holdsScenario()) {
        err << "quorvel-cli: " << source->location() << " holds no scenario (neither a summary nor a data file)\n";
        return nullptr;
    }
    return source;
}

// The one data file at PATH, or nothing when PATH is not one (the reason is on `err`).
std::unique_ptr<ScenarioSource> dataFileOf(const Command& command, const std::string& path, std::ostream& err)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        err << "quorvel-cli: no such file or folder: " << path << "\n";
        return nullptr;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        err << "quorvel-cli: " << command.name << " needs a data file, and " << path << " is not one\n";
        return nullptr;
    }
    if (IsArchiveName(path)) {
        err << "quorvel-cli: " << command.name
            << " needs a data file on disk, or an archive and one of its data files\n";
        return nullptr;
    }
    return std::make_unique<DataFileOnDisk>(path);
}

// The data file ENTRY of the archive `archive` holds, or nothing when it
// lists no such file (the reason is on `err`). An archive that cannot be
// read is taken as it is: the command reports it.
std::unique_ptr<ScenarioSource> entryOf(const ScenarioSource& archive, const std::string& entry, std::ostream& err)
{
    if (!archive.unreadable() && !ListsDataFile(archive, entry)) {
        err << "quorvel-cli: " << archive.location() << " holds no data file " << entry << "\n";
        return nullptr;
    }
    return std::make_unique<ListedDataFile>(archive, entry);
}

// What a command left: its answer and its messages.
struct Ran {
    Answer answer;
    CollectedMessages messages;
    unsigned workers = 1;

    // 0 answered without messages (and, for a check, found nothing), else 1.
    int status(const Command& command) const
    {
        const bool listedProblems = command.isCheck() && !answer.leftLines().empty();
        return messages.messages.empty() && !listedProblems ? 0 : 1;
    }
};

// Runs one command; nothing when PATH does not suit it (the reason is on `err`).
std::unique_ptr<Ran> run(const Command& command, const Options& options, std::ostream& err)
{
    // The scenario whose one data file the link search reads, kept while it runs.
    std::unique_ptr<ScenarioSource> archive;
    if (command.runOnFile && options.entry && !(archive = scenarioOf(options.path, err)))
        return nullptr;
    const std::unique_ptr<ScenarioSource> source = archive ? entryOf(*archive, *options.entry, err)
        : command.runOnFile                                ? dataFileOf(command, options.path, err)
                                                           : scenarioOf(options.path, err);
    if (!source)
        return nullptr;
    auto ran = std::make_unique<Ran>();
    const TargetWordTable targetWords = DefaultTargetWords();
    SearchContext context{*source, ran->answer, ran->messages, targetWords};
    ran->workers = context.workers;
    RunCommand(command, context);
    return ran;
}

void print(const Command& command, const Options& options, const Ran& ran, std::ostream& out, std::ostream& err)
{
    const RowOrder order{options.sortColumn};
    switch (options.output) {
    case Output::Json:
        WriteJsonAnswer(out, command.name, ran.messages.messages, ran.answer, order, ran.workers);
        break;
    case Output::Csv:
        printMessages(err, ran.messages.messages);
        WriteCsvAnswer(out, ran.answer, order);
        break;
    case Output::ForPeople:
        printForPeople(out, err, options.sortColumn, ran.answer, ran.messages);
        break;
    }
}

// Every check in menu order; the highest of their exit statuses. As CSV,
// one table whose first column names the check of each line.
int runChecks(const Options& options, std::ostream& out, std::ostream& err)
{
    if (!scenarioOf(options.path, err))
        return 2;
    std::optional<CheckAnswersCsv> csv;
    if (options.output == Output::Csv)
        csv.emplace(out);
    int status = 0;
    for (const Command& command : Commands()) {
        if (!command.isCheck())
            continue;
        if (options.output == Output::ForPeople)
            out << "== " << command.caption << " (" << command.name << ") ==\n";
        const std::unique_ptr<Ran> ran = run(command, options, err);
        if (!ran)
            return 2;
        if (csv) {
            printMessages(err, ran->messages.messages);
            csv->write(command.caption, ran->answer, RowOrder{options.sortColumn});
        } else {
            print(command, options, *ran, out, err);
        }
        status = std::max(status, ran->status(command));
    }
    return status;
}

// The fields --in names; nothing when it names a kind there is not (the reason is on `err`).
std::optional<std::bitset<TextFieldCount>> textFields(const Options& options, std::ostream& err)
{
    std::string unknown;
    const std::optional<std::bitset<TextFieldCount>> fields = TextFieldsListed(options.fields.value_or(""), unknown);
    if (!fields)
        err << "quorvel-cli: --in names no kind of text " << unknown << " (see --help)\n";
    return fields;
}

// The text search over every scenario below a folder that holds none
// itself; nothing when PATH is not such a folder.
std::unique_ptr<Ran> searchScenariosBelow(const std::string& path, const TextQuery& query)
{
    std::error_code error;
    const std::unique_ptr<ScenarioSource> here = ScenarioAt(path);
    if (!here || here->holdsScenario() || !std::filesystem::is_directory(path, error))
        return nullptr;
    const std::vector<std::unique_ptr<ScenarioSource>> scenarios = OpenScenariosBelow(path);
    std::vector<const ScenarioSource*> searched;
    for (const std::unique_ptr<ScenarioSource>& scenario : scenarios)
        searched.push_back(scenario.get());
    if (searched.empty())
        return nullptr;
    auto ran = std::make_unique<Ran>();
    const TargetWordTable targetWords = DefaultTargetWords();
    SearchContext context{*searched.front(), ran->answer, ran->messages, targetWords};
    ran->workers = context.workers;
    SearchTextPatternIn(context, searched, query);
    return ran;
}

int runTextSearch(const Options& options, std::ostream& out, std::ostream& err)
{
    const std::optional<std::bitset<TextFieldCount>> fields = textFields(options, err);
    if (!fields)
        return 2;
    std::variant<TextPattern, std::string> compiled = TextPattern::Compile(options.pattern, options.patternOptions);
    if (const std::string* problem = std::get_if<std::string>(&compiled)) {
        err << "quorvel-cli: " << *problem << "\n";
        return 2;
    }
    const TextSearchCommand search(TextQuery{std::move(std::get<TextPattern>(compiled)), *fields}, options.pattern);
    const Command& command = search.command;
    std::unique_ptr<Ran> ran = searchScenariosBelow(options.path, search.query);
    if (!ran)
        ran = run(command, options, err);
    if (!ran)
        return 2;
    print(command, options, *ran, out, err);
    return ran->status(command);
}

}  // namespace

void KeepFreedMemoryForTheCommand()
{
#if defined(__GLIBC__)
    // Measured from outside (the dense package search, perf stat, 20 runs):
    // 39.6 ms and 602 page faults with the defaults, where the workers'
    // heaps give every file's records back with madvise, each a TLB flush
    // on the other core; 33.2 ms and 299 page faults with these.
    // Freed memory is not given back until a gigabyte of it lies free at the top of a heap.
    constexpr int TrimThreshold = 1 << 30;
    // Blocks below 1 MiB (a data file, its records, a list of rows) come
    // from the heap, where they are used again, rather than from fresh
    // pages; larger ones (the document of a whole XML summary) go back to
    // the system when freed: at 64 MiB the XML 32,000-name flag search
    // peaked at 96 MiB, here at 67 MiB, with the same times.
    constexpr int MmapThreshold = 1 << 20;
    // A heap grows by 16 MiB beyond what is asked at a time, so a command
    // over a large scenario asks the system a few times rather than thousands.
    constexpr int TopPad = 16 << 20;
    mallopt(M_TRIM_THRESHOLD, TrimThreshold);
    mallopt(M_MMAP_THRESHOLD, MmapThreshold);
    mallopt(M_TOP_PAD, TopPad);
#endif
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto given = [&](std::string_view option) {
        return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
    };
    if (given("--help") || given("-h")) {
        PrintHelp(out);
        return 0;
    }
    if (given("--version") || given("-V")) {
        out << "quorvel-cli " << QuorvelVersion << "\n";
        return 0;
    }
    std::string problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options) {
        err << "quorvel-cli: " << problem << "\n";
        return 2;
    }
    if (options->command == CheckAll)
        return runChecks(*options, out, err);
    if (options->command == TextCommand)
        return runTextSearch(*options, out, err);
    const Command* command = FindCommand(options->command);
    if (!command) {
        err << "quorvel-cli: unknown command " << options->command << " (see --help)\n";
        return 2;
    }
    const std::unique_ptr<Ran> ran = run(*command, *options, err);
    if (!ran)
        return 2;
    print(*command, *options, *ran, out, err);
    return ran->status(*command);
}

}  // namespace quorvel
