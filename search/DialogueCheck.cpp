#include "search/DialogueCheck.h"

#include "search/Passes.h"
#include "search/RowTexts.h"

#include <algorithm>

namespace quorvel {

namespace {

const PassTable DialoguePass{{ContentKind::Dialogue, "台詞"}};

// An entry before the last without a coupon condition: every entry after
// it would never be reached.
bool hasCouponGap(std::span<const DialogueEntry> entries)
{
    return entries.size() > 1 && std::any_of(entries.begin(), entries.end() - 1, [](const DialogueEntry& entry) {
               return Trimmed(entry.condition).empty();
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
    FileEventRowsByKey(context, TableMode::Unsorted, CheckEventDialogues);
}

void CheckEventDialogues(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, DialoguePass,
                   [&](const std::string& kindWord, const Content& start, const Content& dialogue) {
                       const std::span<const DialogueEntry> entries = dialogue.detail.dialogueEntries;
                       if (hasCouponGap(entries))
                           found.push_back({visit.rowTexts.keepBytes(FixedWord("チェック！")),
                                            MakeHitRow(visit, start, kindWord, Trimmed(entries.front().text))});
                   });
}

}  // namespace quorvel
