#include "search/StartCheck.h"

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
    explicit ComparableName(std::string_view stored)
    {
        if (!stored.empty() && stored.back() == '\0')
            stored.remove_suffix(1);
        bytes_ = stored;
        plainAscii_ = DecodesToItself(bytes_);
    }

    bool operator==(const ComparableName& other) const
    {
        if (!plainAscii_ || !other.plainAscii_)
            return folded() == other.folded();
        // What folding makes of plain ASCII: its capitals as small letters.
        const auto small = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return std::equal(bytes_.begin(), bytes_.end(), other.bytes_.begin(), other.bytes_.end(),
                          [&](char a, char b) { return small(a) == small(b); });
    }

private:
    // Made when first compared with a name that is not plain ASCII.
    const std::u16string& folded() const
    {
        if (!folded_)
            folded_ = CaseFolded(bytes_);
        return *folded_;
    }

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
    ForEachPassHit(
        visit.event, JumpPasses, [&](const std::string& kindWord, const Content& start, const Content& jump) {
            if (std::find(startNames.begin(), startNames.end(), ComparableName(jump.detail.text)) != startNames.end())
                return;
            // The row shows the target as stored, which is also the name it is filed under.
            const HitRow row = MakeHitRow(visit, start, kindWord, jump.detail.text);
            found.push_back({row.texts[5].stored(), row});
        });
}

}  // namespace quorvel
