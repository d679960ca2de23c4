#pragma once

#include "scenario/ContentWalk.h"
#include "scenario/ContentKind.h"
#include "search/RowTexts.h"

#include <array>
#include <span>
#include <vector>
#include <string>

namespace quorvel {

// One pass of a command over an event: the contents of one kind, and the
// word its rows show in the kind column (UTF-8 here, Shift-JIS in rows).
// A kind stands in one pass of a command at most.
struct Pass {
    ContentKind kind;
    const char* word;
};

// For each pass in order, for each start content of the event in order,
// every content of the pass's kind in that start's tree in pre-order (the
// order of CollectByKind's lists): onHit(kind word as Shift-JIS, start
// content, content found).
//
// Each start's tree is walked once for all passes: its contents are sorted
// into one bucket per pass as they are met, and the buckets are emptied
// pass by pass at the end, which gives that same order.
template <typename OnHit>
void ForEachPassHit(const Event& event, std::span<const Pass> passes, OnHit&& onHit)
{
    struct Hit {
        const Content* start;
        const Content* content;
    };
    constexpr std::uint8_t NoPass = 0xFF;
    std::array<std::uint8_t, 256> passOfKind;
    passOfKind.fill(NoPass);
    for (std::size_t pass = passes.size(); pass-- > 0;)
        passOfKind[static_cast<std::uint8_t>(passes[pass].kind)] = static_cast<std::uint8_t>(pass);
    thread_local std::vector<std::vector<Hit>> buckets;
    thread_local std::vector<std::span<const Content>> unvisited;
    if (buckets.size() < passes.size())
        buckets.resize(passes.size());
    for (const Content& start : event.starts) {
        // Pre-order: a content, then its children's subtrees, then its later
        // siblings, which wait on `unvisited` while the children are walked.
        unvisited.clear();
        std::span<const Content> siblings(&start, 1);
        while (true) {
            if (siblings.empty()) {
                if (unvisited.empty())
                    break;
                siblings = unvisited.back();
                unvisited.pop_back();
                continue;
            }
            const Content& content = siblings.front();
            siblings = siblings.subspan(1);
            if (const std::uint8_t pass = passOfKind[content.kind]; pass != NoPass)
                buckets[pass].push_back({&start, &content});
            if (!content.children.empty()) {
                unvisited.push_back(siblings);
                siblings = content.children;
            }
        }
    }
    for (std::size_t pass = 0; pass < passes.size(); ++pass) {
        if (buckets[pass].empty())
            continue;
        const std::string& kindWord = FixedWord(passes[pass].word);
        for (const Hit& hit : buckets[pass])
            onHit(kindWord, *hit.start, *hit.content);
        buckets[pass].clear();
    }
}

}  // namespace quorvel
