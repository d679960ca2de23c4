// A whole command over a large scenario, next to merely reading its files:
// quorvel-cli's item search with its JSON answer, on a content-dense
// scenario (about 1,000 files, 20 MB of small contents and texts) and a
// skip-dense one (about 630 files, 50 MB of mostly image blocks), with the
// time to read the same files in the same run, their ratio, and the peak
// memory of the real quorvel-cli doing it.

#include "tools/builder/WidBuilder.h"

#include "cli/Cli.h"
#include "scenario/FileSystem.h"
#include "search/DataFileLoop.h"
#include "search/ScenarioFileList.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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

// 46 contents and 110 texts in about 3 KB: every content named, most of
// them naming a flag, a sound or a start; one in ten gains or loses an item.
Event denseEvent(int seed)
{
    const std::uint8_t textKinds[] = {15, 9, 61, 1, 16, 43, 52, 65};
    std::vector<Content> rows;
    for (int r = 0; r < 4; ++r) {
        Content row = Start(sj(seed + r, "\x8f\xea\x96\xca\x82\xcc\x96\xbc\x91\x4f"));  // 場面の名前
        for (int i = 0; i < 10; ++i) {
            Content c = i > 0 ? WithText(textKinds[i % 8], sj((seed + i) % 500, "text_of_the_scene_and_its_step_"))
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

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads the files the item search reads (the defining files twice).
void readTheSameFiles(const std::string& folder)
{
    quorvel::ScenarioFileList files;
    files.setFolder(folder);
    for (const std::string& mask : {std::string("Item*.wid"), quorvel::UsePassMask}) {
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
std::pair<double, double> runTheProgram(const std::string& folder)
{
    const std::string program = "/usr/bin/time";
    const auto report = std::filesystem::temp_directory_path() / "quorvel-command-bench-peak";
    std::vector<std::string> arguments
        = {program, "-f", "%M", "-o", report.string(), QUORVEL_CLI_PATH, "--json", "item", folder};
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

void itemSearchWithJson(benchmark::State& state, const Scenario& scenario)
{
    double commandSeconds = 0;
    double readSeconds = 0;
    std::size_t answerBytes = 0;
    for (auto _ : state) {
        CountingBuffer counted;
        std::ostream out(&counted);
        std::ostream err(&counted);
        const auto commandStart = std::chrono::steady_clock::now();
        quorvel::RunCli({"--json", "item", scenario.folder}, out, err);
        commandSeconds += secondsSince(commandStart);
        answerBytes = counted.count;

        const auto readStart = std::chrono::steady_clock::now();
        readTheSameFiles(scenario.folder);
        readSeconds += secondsSince(readStart);
    }
    const auto [peakMiB, programMs] = runTheProgram(scenario.folder);
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

void BM_ContentDenseItemJson(benchmark::State& state)
{
    itemSearchWithJson(state, denseScenario());
}
void BM_SkipDenseItemJson(benchmark::State& state)
{
    itemSearchWithJson(state, skipScenario());
}

BENCHMARK(BM_ContentDenseItemJson)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SkipDenseItemJson)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

// As quorvel-cli does before its command.
int main(int argc, char** argv)
{
    quorvel::KeepFreedMemoryForTheCommand();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
