#pragma once

#include "scenario/ContentWalk.h"

#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

namespace quorvel {

// One pass of a command over an event: the contents of one kind, and the
// word its rows show in the kind column (UTF-8).
struct Pass {
    ContentKind kind;
    const char* word;
};

// The passes of a command in order, with their kind words as the Shift-JIS
// that rows hold. A kind stands in one pass of a table at most. The tables
// are made before the program starts, so the words are converted when a
// table is first walked, not then.
class PassTable {
public:
    PassTable(std::initializer_list<Pass> passes);

    const PassKinds& kinds() const { return kinds_; }
    // The kind words of the passes, in pass order; safe from any thread.
    const std::vector<std::string>& kindWords() const;

private:
    PassKinds kinds_;
    std::vector<const char*> words_;
    mutable std::once_flag converted_;
    mutable std::vector<std::string> kindWords_;
};

// Every content of the table's kinds in the event, pass by pass, start by
// start, in pre-order (ForEachHitByPass): onHit(kind word, start content,
// content found).
template <typename OnHit>
void ForEachPassHit(const Event& event, const PassTable& passes, OnHit&& onHit)
{
    const std::vector<std::string>& kindWords = passes.kindWords();
    ForEachHitByPass(event, passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        onHit(kindWords[pass], start, hit);
    });
}

}  // namespace quorvel
