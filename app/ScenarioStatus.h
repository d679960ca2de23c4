#pragma once

#include "search/ScenarioSource.h"

#include <optional>
#include <string>

namespace quorvel {

// Why nothing can be answered of an opened scenario, in the status line's
// words: 「<archive>の読み込みに失敗しました」 for what cannot be read at all,
// 「<picked name>にはシナリオがありません」 for a pick that holds none; nothing
// when it can be answered.
std::optional<std::string> ScenarioProblem(const ScenarioSource& scenario);

// What the status line says right after `picked` was opened as `scenario`.
std::string OpenedStatus(const ScenarioSource& scenario, const std::string& picked);

// A folder's path without the separators it may end in (a root stays).
std::string WithoutFinalSeparators(std::string path);

}  // namespace quorvel
