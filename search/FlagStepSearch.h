#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"
#include "search/Summary.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A use of a flag or step: the row and the name it is filed under, kept
// with the row's texts. For a change or a step check, the value column
// shows the name's value name at `valueName` (0 the first), after the word
// of a step check's comparison. The random source of a substitute is filed
// only where the summary declares that name.
struct FlagStepUse {
    Text name;
    HitRow row;
    std::optional<std::int32_t> valueName = std::nullopt;
    std::optional<std::int8_t> comparison = std::nullopt;
    std::optional<Text> comparisonWord = std::nullopt;  // as written, where no code stands for it
    bool onlyWhereDeclared = false;
};

// Where a walk puts the uses it finds: a use of a name `wanted` refuses
// makes no row (without `wanted`, every use does).
struct FlagStepUses {
    std::vector<FlagStepUse>& uses;
    std::function<bool(const Text& name)> wanted;

    bool wants(const Text& name) const { return !wanted || wanted(name); }
};

// Lists every flag (or step) the summary declares, and "未定義" when some
// content names one it does not; under each, every content, card and cell
// that uses it. Nothing is listed when the summary cannot be read: the user
// is told "<summary>の読み込みに失敗しました".
void SearchFlagStep(SearchContext& context, SummarySection section);

// Sets the value column of a change or a step check filed under a name
// that declares these value names (none: a name no summary declares).
void SetFlagStepValue(FlagStepUse& use, const ValueNames* declared, TextStore& texts);

// The uses in one loaded file, in walk order: events, card flags before each
// card's events, then Area cells (cards and cells for flags only).
void WalkFlagStepFile(const DataFile& file, SummarySection section, std::vector<FlagStepUse>& found, TextStore& texts);
void WalkFlagStepFile(const DataFile& file, SummarySection section, FlagStepUses& found, TextStore& texts);

// The uses in one event, pass by pass, each over every start content.
void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, std::vector<FlagStepUse>& found);
void WalkFlagStepEvent(const EventVisit& visit, SummarySection section, FlagStepUses& found);

}  // namespace quorvel
