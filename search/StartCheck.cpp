#include "search/StartCheck.h"

#include "base/AsciiCase.h"
#include "scenario/ShiftJis.h"
#include "search/Passes.h"
#include "search/RowTexts.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

namespace {

const PassTable JumpPasses{{ContentKind::StartLink, "リンク"}, {ContentKind::StartCall, "コール"}};

// A start name or target as compared: without the zero byte that ends it
// (a text stored without one keeps all its bytes), folded for case. Plain
// ASCII, as most names are, is compared in place.
class ComparableName {
public:
    explicit ComparableName(const Text& name) : name_(name), bytes_(name.withoutFinalZero())
    {
        plainAscii_ = DecodesToItself(bytes_);
    }

    bool operator==(const ComparableName& other) const
    {
        if (!plainAscii_ || !other.plainAscii_)
            return folded() == other.folded();
        // What folding makes of plain ASCII: its capitals as small letters.
        return EqualIgnoringAsciiCase(bytes_, other.bytes_);
    }

private:
    // Made when first compared with a name that is not plain ASCII.
    const std::u16string& folded() const
    {
        if (!folded_)
            folded_ = CaseFolded(name_, bytes_);
        return *folded_;
    }

    Text name_;
    std::string_view bytes_;
    bool plainAscii_ = true;
    mutable std::optional<std::u16string> folded_;
};

}  // namespace

void CheckStart(SearchContext& context)
{
    FileEventRowsByKey(context, TableMode::Sorted, CheckStartEvent);
}

void CheckStartEvent(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    std::vector<ComparableName> startNames;
    for (const Content& start : visit.event.starts)
        startNames.emplace_back(start.name);
    ForEachPassHit(visit.event, JumpPasses, [&](const Text& kindWord, const Content& start, const Content& jump) {
        if (std::find(startNames.begin(), startNames.end(), ComparableName(jump.detail.text)) != startNames.end())
            return;
        // The row shows the target as stored, which is also the name it is filed under.
        const HitRow row = MakeHitRow(visit, start, kindWord, jump.detail.text);
        found.push_back({row.texts[5].text(), row});
    });
}

}  // namespace quorvel
