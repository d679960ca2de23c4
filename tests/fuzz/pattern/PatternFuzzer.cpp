// Fuzz target for the text search's patterns: the first byte picks the
// options and the kinds searched, the rest is the pattern, run over the demo
// scenario in both formats. Any pattern must be refused with a message or
// searched to the end; every line it lists is a text that was matched, with
// at least one row, and a regular expression that runs away says so and
// lists nothing.

#include "search/Scenarios.h"
#include "search/TextPatternSearch.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/ScenarioFolder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct NoMessages : quorvel::MessageSink {
    std::size_t count = 0;
    void report(const quorvel::Message&) override { ++count; }
};

// The demo scenario, written once per process, classic and XML.
const std::vector<std::string>& demoFolders()
{
    static const std::vector<std::string> folders = [] {
        const auto root = std::filesystem::temp_directory_path() / ("quorvel-pattern-fuzz-" + std::to_string(getpid()));
        const std::string classic = (root / "classic").string();
        const std::string xml = (root / "xml").string();
        quorvel::build::WriteClassicScenario(classic, quorvel::build::DemoSummary(), quorvel::build::DemoDataFiles());
        quorvel::build::WriteXmlScenario(xml, quorvel::build::DemoSummary(), quorvel::build::DemoDataFiles());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(
                std::filesystem::temp_directory_path() / ("quorvel-pattern-fuzz-" + std::to_string(getpid())), ignored);
        });
        return std::vector<std::string>{classic, xml};
    }();
    return folders;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t choice = data[0];
    const quorvel::TextPatternOptions options{.matchCase = (choice & 1) != 0,
                                              .regex = (choice & 2) != 0,
                                              .wholeField = (choice & 4) != 0,
                                              .joinLines = (choice & 8) != 0};
    const auto groups = quorvel::TextFieldGroups();
    const bool everyKind = (choice >> 4) >= groups.size();
    const std::string pattern(reinterpret_cast<const char*>(data + 1), size - 1);
    auto compiled = quorvel::TextPattern::Compile(pattern, options);
    if (const std::string* problem = std::get_if<std::string>(&compiled)) {
        if (problem->empty() || !options.regex)
            __builtin_trap();  // only a regular expression can be wrong
        return 0;
    }
    quorvel::TextQuery query{std::move(std::get<quorvel::TextPattern>(compiled))};
    if (!everyKind)
        query.fields = *quorvel::TextFieldsNamed(groups[choice >> 4].word);
    const quorvel::TargetWordTable targets = quorvel::DefaultTargetWords();
    for (const std::string& folder : demoFolders()) {
        const std::unique_ptr<quorvel::ScenarioSource> source = quorvel::ScenarioAt(folder);
        quorvel::Answer answer;
        NoMessages messages;
        quorvel::SearchContext context{*source, answer, messages, targets, 1};
        quorvel::SearchTextPattern(context, query);
        if (messages.count > 0 && !answer.leftLines().empty())
            __builtin_trap();  // a runaway expression lists nothing
        for (std::size_t line = 0; line < answer.leftLines().size(); ++line)
            if (answer.leftLines()[line].shown().empty() || answer.rowsOf(line).empty())
                __builtin_trap();
    }
    return 0;
}
