#pragma once

#include "base/Parallel.h"
#include "results/Answer.h"
#include "results/Messages.h"
#include "scenario/Content.h"
#include "scenario/Text.h"
#include "search/ScenarioSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel {

// The words for target codes 0..5 (UTF-8).
using TargetWordTable = std::array<std::string, 6>;

// Below this many files a command stays on its own thread: starting and
// feeding workers costs more than a real scenario's few dozen small files
// take to read (measured on the demo and on scenarios of a few hundred files).
inline constexpr std::size_t FilesWorthWorkers = 48;

// What a search or check works with: the scenario it reads, the answer it
// fills, where it reports problems, the words for target codes 0..5, how
// many threads may read, search and sort (1: the command's own only), and
// from how many files on threads are worth starting.
struct SearchContext {
    const ScenarioSource& source;
    Answer& answer;
    MessageSink& messages;
    const TargetWordTable& targetWords;
    unsigned workers = WorkersOfThisMachine();
    std::size_t filesWorthWorkers = FilesWorthWorkers;
};

// The target words of the window: 選択中, 誰か, 全員, 荷物袋, 全体, フィールド.
TargetWordTable DefaultTargetWords();

// The target word of a code; a code outside 0..5 shows as its decimal number.
std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code);

// The target word of a content: its code's, or the word it names when no
// code stands for it (the XML format names targets by word).
std::string TargetWordOf(const TargetWordTable& targetWords, const Content& content);

// Starts a command's answer: empty, its index in `mode`, sorted with the
// context's workers.
void StartAnswer(SearchContext& context, TableMode mode);

}  // namespace quorvel
