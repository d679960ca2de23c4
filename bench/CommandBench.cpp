// Whole commands over large scenarios, next to merely reading their files:
// every folder command of quorvel-cli with its JSON answer, on a
// content-dense scenario (about 1,000 files, 20 MB of small contents and
// texts, a Summary.wsm declaring 4,000 flags and 4,000 steps) and a
// skip-dense one (about 630 files, 50 MB of mostly image blocks, the same
// summary), and the flag and step searches over the content-dense files with
// 16,000 and 32,000 declared names; each with the time to read the files the
// command reads in the same run, their ratio, and the peak memory of the
// real quorvel-cli doing it.

#include "tools/builder/WidBuilder.h"

#include "tools/builder/SummaryBuilder.h"

#include "cli/Cli.h"
#include "scenario/FileSystem.h"
#include "search/Commands.h"
#include "search/DataFileLoop.h"
#include "search/IdSearch.h"
#include "search/ScenarioFileList.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <streambuf>

extern char** environ;

namespace {

using namespace quorvel::build;

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

std::string sj(int i, const char* stem)
{
    return std::string(stem) + std::to_string(i);
}

// The names the contents use: flags and steps of the summary among them.
std::string usedName(int i)
{
    return sj(i % 500, "text_of_the_scene_and_its_step_");
}

// 46 contents and 110 texts in about 3 KB: every content named, most of
// them naming a flag, a step, a coupon, a gossip, a sound or a start; one
// in ten gains or loses an item.
Event denseEvent(int seed)
{
    const std::uint8_t textKinds[] = {15, 9, 61, 1, 18, 43, 52, 65, 41, 32};
    std::vector<Content> rows;
    for (int r = 0; r < 4; ++r) {
        Content row = Start(sj(seed + r, "\x8f\xea\x96\xca\x82\xcc\x96\xbc\x91\x4f"));  // 場面の名前
        for (int i = 0; i < 10; ++i) {
            Content c = i > 0 ? WithText(textKinds[i % 10], usedName(seed + i))
                : r % 2 == 0  ? Gain(27, (seed * 7 + r) % 120, r % 4, static_cast<std::int8_t>(r % 6))
                              : Gain(34, (seed + r * 13) % 130, 1, 2);
            c.name = sj(i, "\x93\xae\x8d\xec\x82\xcc\x90\xe0\x96\xbe");  // 動作の説明
            row.children.push_back(std::move(c));
        }
        rows.push_back(std::move(row));
    }
    return Event({Start(sj(seed, "start_of_event_"), std::move(rows)), Start("second", {WithText(52, "start1")})});
}

// One owned card whose body is mostly the blocks of its images.
Card imageCard(int seed)
{
    Card card;
    card.name = sj(seed, "card");
    card.storedId = 40000 + seed % 120;
    card.body.blockLength = 8000;
    card.events = {Event({Start("use", {Gain(27, seed % 120, 1, 1), Gain(34, seed % 90, 0, 2)})})};
    return card;
}

struct Scenario {
    std::string folder;
    std::uintmax_t bytes = 0;
    int files = 0;
};

// N flags and N steps named as the contents name them, from the 250th on:
// 250 used names stay undeclared, 250 are declared and used, the rest are
// declared and never used; every hundredth is declared twice.
std::string summaryOf(int names)
{
    Summary summary;
    for (int i = 250; i < 250 + names; ++i) {
        const std::string name = sj(i, "text_of_the_scene_and_its_step_");
        const int times = i % 100 == 0 ? 2 : 1;
        for (int t = 0; t < times; ++t) {
            summary.flags.push_back({name, "on", "off"});
            summary.steps.push_back({name, {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}});
        }
    }
    return EncodeSummary(summary);
}

Scenario writeScenario(const std::string& name, bool dense)
{
    const auto path = std::filesystem::temp_directory_path() / ("quorvel-command-bench-" + name);
    std::filesystem::remove_all(path);
    auto put = [&](const std::string& file, const File& data) { WriteFile((path / file).string(), Encode(data)); };
    const int items = dense ? 120 : 90;
    for (int i = 0; i < items; ++i) {
        File item;
        item.kind = 3;
        item.title = sj(i, "\x96\xf2\x91\x90");  // 薬草
        item.storedId = 40000 + i;
        item.body.blockLength = dense ? 20 : 4000;
        item.events = {dense ? denseEvent(i) : Event({Start("use", {Gain(34, i, 1, 0)})})};
        put(sj(i, "Item") + ".wid", item);
    }
    const int others = dense ? 880 : 540;
    for (int i = 0; i < others; ++i) {
        File file;
        file.title = sj(i, "\x8a\x58");  // 街
        file.storedId = 40000 + i;
        if (dense) {
            file.kind = 0;
            for (int e = 0; e < 9; ++e)
                file.events.push_back(denseEvent(i + e));
            put(sj(i, "Area") + ".wid", file);
        } else {
            file.kind = 2;
            file.cards = {imageCard(i)};
            put(sj(i, "Mate") + ".wid", file);
        }
    }
    WriteFile((path / "Summary.wsm").string(), summaryOf(4000));
    Scenario scenario;
    scenario.folder = path.string();
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
        scenario.bytes += entry.file_size();
        ++scenario.files;
    }
    return scenario;
}

const Scenario& denseScenario()
{
    static const Scenario scenario = writeScenario("dense", true);
    return scenario;
}

const Scenario& skipScenario()
{
    static const Scenario scenario = writeScenario("skip", false);
    return scenario;
}

// The content-dense files (linked, not copied) with a summary of `names` flags and steps.
Scenario manyNames(int names)
{
    const Scenario& dense = denseScenario();
    const auto path = std::filesystem::temp_directory_path() / ("quorvel-command-bench-names" + std::to_string(names));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    for (const auto& entry : std::filesystem::directory_iterator(dense.folder))
        if (entry.path().filename() != "Summary.wsm")
            std::filesystem::create_hard_link(entry.path(), path / entry.path().filename());
    WriteFile((path / "Summary.wsm").string(), summaryOf(names));
    Scenario scenario = dense;
    scenario.folder = path.string();
    return scenario;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The masks of the files a command reads, in its order.
std::vector<std::string> masksOf(const std::string& command)
{
    const std::pair<const char*, const quorvel::IdSearchRule*> idSearches[]
        = {{"item", &quorvel::ItemUses},    {"skill", &quorvel::SkillUses},     {"info", &quorvel::InfoUses},
           {"beast", &quorvel::BeastUses},  {"package", &quorvel::PackageUses}, {"area", &quorvel::AreaUses},
           {"battle", &quorvel::BattleUses}};
    for (const auto& [name, rule] : idSearches)
        if (command == name)
            return {rule->definingMask, quorvel::UsePassMask};
    if (command == "flag" || command == "step")
        return {"Summary.wsm", quorvel::UsePassMask};
    return {quorvel::UsePassMask};
}

// Reads the files the command reads (an id search's defining files twice).
void readTheSameFiles(const std::string& folder, const std::vector<std::string>& masks)
{
    quorvel::ScenarioFileList files;
    files.setFolder(folder);
    for (const std::string& mask : masks) {
        files.setMask(mask);
        for (int i = 0; i < files.count(); ++i) {
            std::vector<std::uint8_t> data;
            quorvel::ReadWholeFile(files.fullPath(i), data);
            benchmark::DoNotOptimize(data.data());
        }
    }
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
    std::ifstream in(report);
    double kilobytes = -1;
    in >> kilobytes;
    return {kilobytes / 1024.0, wall * 1e3};
}

void commandWithJson(benchmark::State& state, const std::string& command, const Scenario& scenario)
{
    const std::vector<std::string> masks = masksOf(command);
    double commandSeconds = 0;
    double readSeconds = 0;
    std::size_t answerBytes = 0;
    for (auto _ : state) {
        CountingBuffer counted;
        std::ostream out(&counted);
        std::ostream err(&counted);
        const auto commandStart = std::chrono::steady_clock::now();
        quorvel::RunCli({"--json", command, scenario.folder}, out, err);
        commandSeconds += secondsSince(commandStart);
        answerBytes = counted.count;

        const auto readStart = std::chrono::steady_clock::now();
        readTheSameFiles(scenario.folder, masks);
        readSeconds += secondsSince(readStart);
    }
    const auto [peakMiB, programMs] = runTheProgram(command, scenario.folder);
    const double n = static_cast<double>(state.iterations());
    state.counters["files"] = scenario.files;
    state.counters["MB"] = static_cast<double>(scenario.bytes) / 1e6;
    state.counters["answer_MB"] = static_cast<double>(answerBytes) / 1e6;
    state.counters["command_ms"] = commandSeconds / n * 1e3;
    state.counters["read_ms"] = readSeconds / n * 1e3;
    state.counters["command/read"] = commandSeconds / readSeconds;
    state.counters["cli_ms"] = programMs;
    state.counters["cli_peak_MiB"] = peakMiB;
}

// Every folder command on both scenarios; the flag and step searches with many names.
void registerBenchmarks()
{
    const std::pair<const char*, const Scenario& (*)()> scenarios[]
        = {{"ContentDense", denseScenario}, {"SkipDense", skipScenario}};
    for (const auto& [label, scenario] : scenarios)
        for (const quorvel::Command& command : quorvel::Commands())
            if (command.run)
                benchmark::RegisterBenchmark((std::string(label) + "/" + command.name).c_str(),
                                             [name = std::string(command.name), scenario = scenario](
                                                 benchmark::State& state) { commandWithJson(state, name, scenario()); })
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
}

}  // namespace

// As quorvel-cli does before its command.
int main(int argc, char** argv)
{
    quorvel::KeepFreedMemoryForTheCommand();
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
