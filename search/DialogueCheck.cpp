#include "search/DialogueCheck.h"

#include "search/Passes.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

constexpr std::array<Pass, 1> DialoguePass = {{{ContentKind::Dialogue, "台詞"}}};

// An entry before the last without a coupon condition: every entry after
// it would never be reached.
bool hasCouponGap(std::span<const DialogueEntry> entries)
{
    return entries.size() > 1 && std::any_of(entries.begin(), entries.end() - 1, [](const DialogueEntry& entry) {
               return Trimmed(entry.coupons).empty();
           });
}

}  // namespace

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void CheckDialogues(SearchContext& context)
{
    CheckEachEvent(context, CheckEventDialogues);
}

void CheckEventDialogues(const EventVisit& visit, std::vector<HitRow>& found)
{
    ForEachPassHit(visit.event, DialoguePass, [&](const std::string& kindWord, const Content& start, const Content& dialogue) {
        if (hasCouponGap(dialogue.data.serifs))
            found.push_back(MakeHitRow(visit, start, kindWord, Trimmed(dialogue.data.serifs.front().text)));
    });
}

}  // namespace quorvel
