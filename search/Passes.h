#pragma once

#include "scenario/Content.h"
#include "scenario/ContentKind.h"
#include "search/RowTexts.h"

#include <span>
#include <string>

namespace quorvel {

// One pass of a command over an event: the contents of one kind, and the
// word its rows show in the kind column (UTF-8 here, Shift-JIS in rows).
struct Pass {
    ContentKind kind;
    const char* word;
};

// For each pass in order, for each start content of the event in order,
// every content of the pass's kind in that start's tree in pre-order:
// onHit(kind word as Shift-JIS, start content, content found).
template <typename OnHit>
void ForEachPassHit(const Ceventtree& event, std::span<const Pass> passes, OnHit&& onHit)
{
    for (const Pass& pass : passes) {
        const std::string& kindWord = FixedWord(pass.word);
        const CollectedContents lists = CollectByKind(event, static_cast<std::uint8_t>(pass.kind));
        for (std::size_t start = 0; start < lists.size(); ++start)
            for (const Ccontent* hit : lists[start])
                onHit(kindWord, event.starts[start], *hit);
    }
}

}  // namespace quorvel
