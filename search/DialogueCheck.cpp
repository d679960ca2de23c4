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
               return entry.condition.trimmed().empty();
           });
}

}  // namespace

void CheckDialogues(SearchContext& context)
{
    FileEventRowsByKey(context, TableMode::Unsorted, CheckEventDialogues);
}

void CheckEventDialogues(const EventVisit& visit, std::vector<KeyedRow>& found)
{
    ForEachPassHit(visit.event, DialoguePass, [&](const Text& kindWord, const Content& start, const Content& dialogue) {
        const std::span<const DialogueEntry> entries = dialogue.detail.dialogueEntries;
        if (hasCouponGap(entries)) {
            const Text said = entries.front().text;
            found.push_back(
                {Word("チェック！"), MakeHitRow(visit, start, kindWord, Text(said.trimmed(), said.encoding(), false))});
        }
    });
}

}  // namespace quorvel
