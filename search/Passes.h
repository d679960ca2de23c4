#pragma once

#include "scenario/ContentWalk.h"

#include <cstddef>
#include <initializer_list>
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
// that rows hold. A kind stands in one pass of a table at most.
class PassTable {
public:
    PassTable(std::initializer_list<Pass> passes);

    const PassKinds& kinds() const { return kinds_; }
    const std::string& kindWord(std::size_t pass) const { return words_.at(pass); }

private:
    PassKinds kinds_;
    std::vector<std::string> words_;
};

// Every content of the table's kinds in the event, pass by pass, start by
// start, in pre-order (ForEachHitByPass): onHit(kind word, start content,
// content found).
template <typename OnHit>
void ForEachPassHit(const Event& event, const PassTable& passes, OnHit&& onHit)
{
    ForEachHitByPass(event, passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        onHit(passes.kindWord(pass), start, hit);
    });
}

}  // namespace quorvel
