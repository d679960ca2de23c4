#pragma once

#include "results/ResultsPanel.h"
#include "search/MessageSink.h"
#include "search/ScenarioFileList.h"

#include <array>
#include <string>

namespace quorvel {

// The words for target codes 0..5, as Shift-JIS.
using TargetWordTable = std::array<std::string, 6>;

// What a search or check works with: the scenario's file list, the answer it
// fills, where it reports problems, and the words for target codes 0..5.
struct SearchContext {
    ScenarioFileList& files;
    ResultsPanel& results;
    MessageSink& messages;
    const TargetWordTable& targetWords;
};

// The target words of the window, as Shift-JIS: 選択中, 誰か, 全員, 荷物袋, 全体, フィールド.
TargetWordTable DefaultTargetWords();

// The target word of a code; a code outside 0..5 shows as its decimal number.
std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code);

}  // namespace quorvel
