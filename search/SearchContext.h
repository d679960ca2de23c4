#pragma once

#include "results/ResultsPanel.h"
#include "search/MessageSink.h"
#include "search/ScenarioFileList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel {

// The words for target codes 0..5, as Shift-JIS.
using TargetWordTable = std::array<std::string, 6>;

// One worker per core.
unsigned WorkersOfThisMachine();

// Below this many files a command stays on its own thread: starting and
// feeding workers costs more than a real scenario's few dozen small files
// take to read (measured on the demo and on scenarios of a few hundred files).
inline constexpr std::size_t FilesWorthWorkers = 48;

// What a search or check works with: the scenario's file list, the answer it
// fills, where it reports problems, the words for target codes 0..5, how
// many threads may read and search data files (1: the command's own only),
// and from how many files on threads are worth starting.
struct SearchContext {
    ScenarioFileList& files;
    ResultsPanel& results;
    MessageSink& messages;
    const TargetWordTable& targetWords;
    unsigned workers = WorkersOfThisMachine();
    std::size_t filesWorthWorkers = FilesWorthWorkers;
};

// The target words of the window, as Shift-JIS: 選択中, 誰か, 全員, 荷物袋, 全体, フィールド.
TargetWordTable DefaultTargetWords();

// The target word of a code; a code outside 0..5 shows as its decimal number.
std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code);

}  // namespace quorvel
