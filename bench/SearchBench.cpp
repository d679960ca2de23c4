// Searches over a large synthetic scenario (hundreds of files, tens of MB,
// thousands of declared flags), next to the time it takes merely to read the
// same files in the same run.

#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"

#include "scenario/FileSystem.h"
#include "search/FlagStepSearch.h"
#include "search/FolderSource.h"
#include "search/IdSearch.h"

#include "bench/BenchScenarios.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace quorvel::build;

class Silent : public quorvel::MessageSink {
public:
    void report(const quorvel::Message&) override { }
};

// Flags flag0.. are declared; the contents also name a few hundred that are not.
constexpr int DeclaredFlags = 3000;

Event busyEvent(int seed)
{
    Content row = Start("row");
    for (int i = 0; i < 12; ++i) {
        if (i % 3 == 0)
            row.children.push_back(Gain(27, (seed + i) % 150, 1, 1));
        else if (i % 3 == 1)
            row.children.push_back(WithText(i % 2 ? 15 : 16, "flag" + std::to_string((seed * 13 + i) % DeclaredFlags)));
        else
            row.children.push_back(Gain(34, (seed * 7 + i) % 170, 0, 2));
    }
    return Event({Start("head", {row, row}), Start("second", {row})});
}

// 150 Item files with big card bodies, 120 Area files dense with contents,
// 60 Battle files and 30 Mate files with cards.
const std::string& scenarioFolder()
{
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "quorvel-search-bench";
        std::filesystem::remove_all(path);
        auto put = [&](const std::string& name, const File& file) { WriteFile((path / name).string(), Encode(file)); };
        for (int i = 0; i < 150; ++i) {
            File item;
            item.kind = 3;
            item.title = "Item" + std::to_string(i);
            item.storedId = 40000 + i;
            item.body.blockLength = 9000;
            item.events = {busyEvent(i)};
            put("Item" + std::to_string(i) + ".wid", item);
        }
        for (int i = 0; i < 120; ++i) {
            File area;
            area.kind = 0;
            area.title = "Area" + std::to_string(i);
            for (int e = 0; e < 120; ++e)
                area.events.push_back(busyEvent(i + e));
            Card card;
            card.name = "card";
            card.events = {busyEvent(i), busyEvent(i + 1)};
            area.cards.assign(20, card);
            put("Area" + std::to_string(i) + ".wid", area);
        }
        for (int i = 0; i < 60; ++i) {
            File battle;
            battle.kind = 1;
            Card enemy;
            enemy.events = {busyEvent(i)};
            battle.cards.assign(10, enemy);
            battle.trailingBlockLength = 20000;
            put("Battle" + std::to_string(i) + ".wid", battle);
        }
        Summary summary;
        for (int i = 0; i < DeclaredFlags - 300; ++i)
            summary.flags.push_back({"flag" + std::to_string(i), "on", "off"});
        WriteFile((path / "Summary.wsm").string(), EncodeSummary(summary));
        for (int i = 0; i < 30; ++i) {
            File mate;
            mate.kind = 2;
            Card owned;
            owned.body.blockLength = 3000;
            owned.events = {busyEvent(i)};
            mate.cards.assign(8, owned);
            mate.skills.assign(8, owned);
            put("Mate" + std::to_string(i) + ".wid", mate);
        }
        return path.string();
    }();
    return folder;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `search` and merely reads the files it reads (`masks`, in turn),
// and reports both times and their ratio.
template <typename Search>
void searchAgainstReading(benchmark::State& state, const std::vector<std::string>& masks, Search search)
{
    const quorvel::FolderSource source(scenarioFolder());
    std::uintmax_t bytes = 0;
    int fileCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(scenarioFolder())) {
        bytes += entry.file_size();
        ++fileCount;
    }
    Silent silent;
    const auto targets = quorvel::DefaultTargetWords();
    double searchSeconds = 0;
    double readSeconds = 0;
    for (auto _ : state) {
        quorvel::Answer answer;
        quorvel::SearchContext context{source, answer, silent, targets};
        const auto searchStart = std::chrono::steady_clock::now();
        search(context);
        searchSeconds += secondsSince(searchStart);
        benchmark::DoNotOptimize(answer.index.count());

        const auto readStart = std::chrono::steady_clock::now();
        quorvel::bench::readTheSameFiles(source.folder(), masks);
        readSeconds += secondsSince(readStart);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["files"] = fileCount;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["search_ms"] = searchSeconds / n * 1e3;
    state.counters["read_ms"] = readSeconds / n * 1e3;
    state.counters["search/read"] = searchSeconds / readSeconds;
}

// The defining files are read twice, once per pass.
void BM_ItemSearchAgainstReading(benchmark::State& state)
{
    searchAgainstReading(state, quorvel::bench::masksOf("item"),
                         [](quorvel::SearchContext& context) { quorvel::SearchIdUses(context, quorvel::ItemUses); });
}

void BM_FlagSearchAgainstReading(benchmark::State& state)
{
    searchAgainstReading(state, quorvel::bench::masksOf("flag"), [](quorvel::SearchContext& context) {
        quorvel::SearchFlagStep(context, quorvel::SummarySection::Flags);
    });
}

BENCHMARK(BM_ItemSearchAgainstReading)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FlagSearchAgainstReading)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
