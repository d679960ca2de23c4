// Loading throughput of the data-file reader on large synthetic files, next
// to the time it takes merely to read the same bytes from disk.

#include "tools/builder/WidBuilder.h"

#include "scenario/ClassicReader.h"
#include "scenario/FileSystem.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace quorvel::build;

// Deep and wide trees of small contents with short texts.
File contentDense()
{
    Content leafRow = Start("row");
    for (int i = 0; i < 8; ++i)
        leafRow.children.push_back(i % 2 ? Gain(27, i, 1, 1) : WithText(15, "flag" + std::to_string(i)));
    Content deep = leafRow;
    for (int level = 0; level < 6; ++level)
        deep = Start("level", {deep, leafRow});
    Event event;
    event.starts = {deep, deep, deep};
    File area;
    area.kind = 0;
    area.title = "Dense";
    area.events.assign(2000, event);
    return area;
}

// Big card bodies and blocks that the reader steps over.
File skipDense()
{
    Card card;
    card.name = "Card";
    card.body.blockLength = 4000;
    card.body.effects.assign(50, Effect{0x40805, false, {}, {}});
    card.events = {{{Start("Use", {Gain(28, 1, 1, 1)})}}};
    File mate;
    mate.kind = 2;
    mate.title = "Skips";
    mate.cards.assign(200, card);
    mate.skills.assign(200, card);
    return mate;
}

std::size_t countContents(std::span<const quorvel::Event> events)
{
    std::size_t total = 0;
    std::vector<const quorvel::Content*> stack;
    for (const auto& event : events)
        for (const auto& start : event.starts)
            stack.push_back(&start);
    while (!stack.empty()) {
        const quorvel::Content* c = stack.back();
        stack.pop_back();
        ++total;
        for (const auto& child : c->children)
            stack.push_back(&child);
    }
    return total;
}

std::string writeSample(const std::string& name, const File& file)
{
    const auto path = (std::filesystem::temp_directory_path() / "quorvel-bench" / name).string();
    WriteFile(path, Encode(file));
    return path;
}

const std::string& densePath()
{
    static const std::string path = writeSample("Area1.wid", contentDense());
    return path;
}

const std::string& skipPath()
{
    static const std::string path = writeSample("Mate1.wid", skipDense());
    return path;
}

void reportRates(benchmark::State& state, std::size_t bytes, std::size_t contents)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["contents/s"]
        = benchmark::Counter(static_cast<double>(state.iterations() * contents), benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void loadFile(benchmark::State& state, const std::string& path)
{
    std::size_t contents = 0;
    for (auto _ : state) {
        std::optional<quorvel::FileBytes> bytes = quorvel::ReadFileBytes(path);
        std::optional<quorvel::DataFile> file
            = bytes ? quorvel::ReadClassicDataFile(quorvel::FileNamePart(path), std::move(*bytes)) : std::nullopt;
        if (!file) {
            state.SkipWithError("sample did not load");
            break;
        }
        contents = countContents(file->events);
        for (const auto* list : {&file->cards, &file->skills})
            for (const auto& card : *list)
                contents += countContents(card.events);
        benchmark::DoNotOptimize(file);
    }
    reportRates(state, std::filesystem::file_size(path), contents);
}

void readBytesOnly(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        std::optional<quorvel::FileBytes> bytes = quorvel::ReadFileBytes(path);
        benchmark::DoNotOptimize(bytes);
    }
    reportRates(state, std::filesystem::file_size(path), 0);
}

void BM_LoadContentDense(benchmark::State& state)
{
    loadFile(state, densePath());
}
void BM_ReadBytesContentDense(benchmark::State& state)
{
    readBytesOnly(state, densePath());
}
void BM_LoadSkipDense(benchmark::State& state)
{
    loadFile(state, skipPath());
}
void BM_ReadBytesSkipDense(benchmark::State& state)
{
    readBytesOnly(state, skipPath());
}

BENCHMARK(BM_LoadContentDense)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesContentDense)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSkipDense)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesSkipDense)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
