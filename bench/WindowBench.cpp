// One command in the real main window, offscreen: from the click on its
// menu entry to the left list filled with the answer's names and drawn,
// next to merely reading the files the command reads, on the content-dense
// scenario and on its files with 32,000 declared flags and steps.

#include "bench/BenchScenarios.h"

#include "app/MainWindow.h"
#include "scenario/FileSystem.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QListView>

#include <chrono>
#include <filesystem>
#include <optional>

namespace {

using namespace quorvel::bench;

// Answers the open dialog with the scenario's first file; messages are dropped.
class OpeningDialogs : public quorvel::UserDialogs {
public:
    explicit OpeningDialogs(std::string file) : file_(std::move(file)) { }
    std::optional<std::string> chooseDataFile(const quorvel::OpenDialogState&) override { return file_; }
    std::optional<std::string> chooseFileInArchive(const std::string&, const std::vector<std::string>&) override
    {
        return std::nullopt;
    }
    std::optional<quorvel::SaveChoice> chooseAnswerFile(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFolderToSearch(const std::string&) override { return std::nullopt; }
    void showMessage(const std::string&, const std::string&) override { }

private:
    std::string file_;
};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void commandInTheWindow(benchmark::State& state, const std::string& command, const Scenario& scenario)
{
    const std::vector<std::string> masks = masksOf(command);
    OpeningDialogs dialogs(scenario.folder + "/Area0.wid");
    const auto settings = std::filesystem::temp_directory_path() / "quorvel-window-bench.ini";
    quorvel::MainWindow window(settings.string(), dialogs);
    window.show();
    window.findChild<QAction*>(QStringLiteral("open"))->trigger();
    QApplication::processEvents();
    QAction* const run = window.findChild<QAction*>(QString::fromStdString(command));
    const QAbstractItemModel* const names = window.findChild<QListView*>(QStringLiteral("nameList"))->model();
    std::vector<double> commandSeconds;
    std::vector<double> readSeconds;
    for (auto _ : state) {
        const auto clicked = std::chrono::steady_clock::now();
        run->trigger();
        QApplication::processEvents();  // the list lays out and draws its names
        commandSeconds.push_back(secondsSince(clicked));
        const int shown = names->rowCount();
        if (shown == 0 || shown != static_cast<int>(window.answer().leftLines().size())) {
            state.SkipWithError("the left list does not show the answer");
            break;
        }
        const auto readStart = std::chrono::steady_clock::now();
        readTheSameFiles(scenario.folder, masks);
        readSeconds.push_back(secondsSince(readStart));
    }
    state.counters["names"] = static_cast<double>(window.answer().leftLines().size());
    state.counters["window_ms"] = Median(commandSeconds) * 1e3;
    state.counters["read_ms"] = Median(readSeconds) * 1e3;
    state.counters["window/read"] = Median(commandSeconds) / Median(readSeconds);
    window.close();
}

void registerBenchmarks()
{
    for (const char* command : {"flag", "step", "coupon", "check-start", "item", "area"})
        benchmark::RegisterBenchmark((std::string("ContentDense/") + command).c_str(),
                                     [name = std::string(command)](benchmark::State& state) {
                                         commandInTheWindow(state, name, denseScenario());
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    benchmark::RegisterBenchmark("Names32000/flag",
                                 [](benchmark::State& state) {
                                     static const Scenario scenario = manyNames(32000);
                                     commandInTheWindow(state, "flag", scenario);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
