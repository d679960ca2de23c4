#pragma once

#include "results/ResultsPanel.h"
#include "search/MessageSink.h"
#include "search/ScenarioFileList.h"

#include <array>
#include <string>

namespace quorvel {

// What a search or check works with: the scenario's file list, the answer it
// fills, where it reports problems, and the words for target codes 0..5.
struct SearchContext {
    ScenarioFileList& files;
    ResultsPanel& results;
    MessageSink& messages;
    const std::array<std::string, 6>& targetWords;  // Shift-JIS
};

// The target words of the window, as Shift-JIS: 選択中, 誰か, 全員, 荷物袋, 全体, フィールド.
std::array<std::string, 6> DefaultTargetWords();

}  // namespace quorvel
