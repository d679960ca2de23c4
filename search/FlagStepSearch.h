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

// A use of a flag, step or variant: the row and the name it is filed
// under, kept with the row's texts. For a change or a step check, the
// value column shows the name's value name at `valueName` (0 the first),
// after the word of a step check's comparison. A use the engine resolves
// by itself (a name of its own, "??…", or a name written inside a text)
// is filed only where that name is declared.
//
// A use inside the events of a card that declares the name for its own
// events means that declaration: `local` is its position among those of
// the file, in walk order, and the value column is already set. A finding
// that `declaresLocal` is no use: it is that declaration itself, met
// before the card's events, its name the line that lists it
// ("<name> [<file>]") and its row where it is declared.
struct FlagStepUse {
    Text name;
    HitRow row;
    // The rest in an order that leaves no gaps: a command holds many of these
    // at once. Until the value name is set, a step check's value column holds
    // how it compares ("＝" …, or the word as written).
    std::optional<std::int32_t> valueName = std::nullopt;
    std::optional<std::uint32_t> local = std::nullopt;
    bool onlyWhereDeclared = false;
    bool declaresLocal = false;
};

// Where a walk puts the uses it finds: a use of a name `wanted` refuses
// makes no row (without `wanted`, every use does); it is told the card's
// declaration the use means, if any.
struct FlagStepUses {
    std::vector<FlagStepUse>& uses;
    std::function<bool(const Text& name, std::optional<std::uint32_t> local)> wanted;

    bool wants(const Text& name, std::optional<std::uint32_t> local) const { return !wanted || wanted(name, local); }
};

// Lists every flag (step, variant) the summary declares, "未定義" when some
// content names one it does not, and after them each one a card declares
// for its own events; under each, every content, card and cell that uses
// it. Nothing is listed when the summary cannot be read: the user is told
// "<summary>の読み込みに失敗しました".
void SearchFlagStep(SearchContext& context, SummarySection section);

// Sets the value column of a change or a step check filed under a name
// that declares these value names (none: a name no summary declares).
void SetFlagStepValue(FlagStepUse& use, const ValueNames* declared, TextStore& texts);

// The uses in one loaded file, in walk order: events, card flags before each
// card's events, then Area cells (cards and cells for flags only); what a
// card declares for its own events comes before them (declaresLocal).
void WalkFlagStepFile(const DataFile& file, SummarySection section, std::vector<FlagStepUse>& found, TextStore& texts);
void WalkFlagStepFile(const DataFile& file, SummarySection section, FlagStepUses& found, TextStore& texts);

}  // namespace quorvel
