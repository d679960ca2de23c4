// Whole commands over large scenarios, next to merely reading their files:
// every folder command of quorvel-cli with its JSON answer, on a
// content-dense scenario (about 1,000 files, 20 MB of small contents and
// texts, a Summary.wsm declaring 4,000 flags and 4,000 steps) and a
// skip-dense one (about 630 files, 50 MB of mostly image blocks, the same
// summary), each also in the XML form (against reading all its files) and
// as a .wsn archive (against unpacking all its entries), and the flag and
// step searches over the content-dense files with 16,000 and 32,000
// declared names; each with the time to read the files in the same run,
// their ratio, and the peak memory of the real quorvel-cli doing it.

#include "bench/BenchScenarios.h"

#include "cli/Cli.h"
#include "scenario/FileSystem.h"
#include "search/Commands.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <streambuf>

extern char** environ;

namespace {

using namespace quorvel::bench;

// An output that only counts what it is given.
class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        count += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++count;
        return c;
    }
};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The real quorvel-cli: its peak resident memory in MiB (as /usr/bin/time
// sees it: a child spawned from this big process would inherit its
// high-water mark) and its wall time with time's start-up.
std::pair<double, double> runTheProgram(const std::string& command, const std::string& folder)
{
    const std::string program = "/usr/bin/time";
    const auto report = std::filesystem::temp_directory_path() / "quorvel-command-bench-peak";
    std::vector<std::string> arguments
        = {program, "-f", "%M", "-o", report.string(), QUORVEL_CLI_PATH, "--json", command, folder};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        return {-1, -1};
    int status = 0;
    waitpid(child, &status, 0);
    const double wall = secondsSince(start);
    posix_spawn_file_actions_destroy(&actions);
    // A command that exits with 1 has time say so on a line before the figure.
    std::ifstream in(report);
    double kilobytes = -1;
    for (std::string word; in >> word;)
        if (!word.empty() && std::isdigit(static_cast<unsigned char>(word[0])))
            kilobytes = std::stod(word);
    return {kilobytes / 1024.0, wall * 1e3};
}

// What a command is timed against: reading the files it reads, in the
// classic form; every file of the XML form; unpacking every entry of an archive.
enum class Baseline { CommandsFiles, EveryFile, EveryEntry };

void readAsTheBaseline(Baseline baseline, const std::string& command, const Scenario& scenario)
{
    switch (baseline) {
    case Baseline::CommandsFiles:
        readTheSameFiles(scenario.folder, masksOf(command));
        break;
    case Baseline::EveryFile:
        readEveryFile(scenario.folder);
        break;
    case Baseline::EveryEntry:
        unpackEveryEntry(scenario.folder);
        break;
    }
}

void commandWithJson(benchmark::State& state, const std::string& command, const Scenario& scenario,
                     Baseline baseline = Baseline::CommandsFiles)
{
    std::vector<double> commandSeconds;
    std::vector<double> readSeconds;
    std::size_t answerBytes = 0;
    for (auto _ : state) {
        CountingBuffer counted;
        std::ostream out(&counted);
        std::ostream err(&counted);
        const auto commandStart = std::chrono::steady_clock::now();
        quorvel::RunCli({"--json", command, scenario.folder}, out, err);
        commandSeconds.push_back(secondsSince(commandStart));
        answerBytes = counted.count;

        const auto readStart = std::chrono::steady_clock::now();
        readAsTheBaseline(baseline, command, scenario);
        readSeconds.push_back(secondsSince(readStart));
    }
    const auto [peakMiB, programMs] = runTheProgram(command, scenario.folder);
    state.counters["files"] = scenario.files;
    state.counters["MB"] = static_cast<double>(scenario.bytes) / 1e6;
    state.counters["answer_MB"] = static_cast<double>(answerBytes) / 1e6;
    state.counters["command_ms"] = Median(commandSeconds) * 1e3;
    state.counters["read_ms"] = Median(readSeconds) * 1e3;
    state.counters["command/read"] = Median(commandSeconds) / Median(readSeconds);
    state.counters["cli_ms"] = programMs;
    state.counters["cli_peak_MiB"] = peakMiB;
}

// Every folder command on both scenarios in each form; the flag and step
// searches with many names.
void registerBenchmarks()
{
    struct Form {
        const char* label;
        const Scenario& (*scenario)();
        Baseline baseline;
    };
    const Form forms[] = {
        {"ContentDense", []() -> const Scenario& { return denseScenarios().classic; }, Baseline::CommandsFiles},
        {"SkipDense", []() -> const Scenario& { return skipScenarios().classic; }, Baseline::CommandsFiles},
        {"XmlContentDense", []() -> const Scenario& { return denseScenarios().xml; }, Baseline::EveryFile},
        {"XmlSkipDense", []() -> const Scenario& { return skipScenarios().xml; }, Baseline::EveryFile},
        {"WsnContentDense", []() -> const Scenario& { return denseScenarios().wsn; }, Baseline::EveryEntry},
        {"WsnSkipDense", []() -> const Scenario& { return skipScenarios().wsn; }, Baseline::EveryEntry},
    };
    for (const Form& form : forms)
        for (const quorvel::Command& command : quorvel::Commands())
            if (command.run)
                benchmark::RegisterBenchmark((std::string(form.label) + "/" + command.name).c_str(),
                                             [name = std::string(command.name), form](benchmark::State& state) {
                                                 commandWithJson(state, name, form.scenario(), form.baseline);
                                             })
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(5);
    for (int names : {4000, 16000, 32000})
        for (const char* command : {"flag", "step"})
            benchmark::RegisterBenchmark(("Names" + std::to_string(names) + "/" + command).c_str(),
                                         [names, name = std::string(command)](benchmark::State& state) {
                                             static std::map<int, Scenario> made;
                                             if (!made.count(names))
                                                 made[names] = names == 4000 ? denseScenario() : manyNames(names);
                                             commandWithJson(state, name, made[names]);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
    for (const char* command : {"flag", "step"})
        benchmark::RegisterBenchmark((std::string("XmlNames32000/") + command).c_str(),
                                     [name = std::string(command)](benchmark::State& state) {
                                         static const Scenario scenario = manyNamesXml(32000);
                                         commandWithJson(state, name, scenario, Baseline::EveryFile);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
}

}  // namespace

int main(int argc, char** argv)
{
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
