#pragma once

#include "scenario/ContentWalk.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace quorvel {

// One pass of a command over an event: the contents of one kind (or of a
// few, taken together in walk order), and the word its rows show in the
// kind column.
struct Pass {
    KindSet kinds;
    const char* word;  // UTF-8
};

// The passes of a command in order. A kind stands in two passes of a table at most.
class PassTable {
public:
    PassTable(std::initializer_list<Pass> passes);

    const PassKinds& kinds() const { return kinds_; }
    // The kind words of the passes, in pass order.
    const std::vector<Text>& kindWords() const { return kindWords_; }

private:
    PassKinds kinds_;
    std::vector<Text> kindWords_;
};

// Every content of the table's kinds in the event, pass by pass, start by
// start, in pre-order (ForEachHitByPass): onHit(kind word, start content,
// content found).
template <typename OnHit>
void ForEachPassHit(const Event& event, const PassTable& passes, OnHit&& onHit)
{
    const std::vector<Text>& kindWords = passes.kindWords();
    ForEachHitByPass(event, passes.kinds(), [&](std::size_t pass, const Content& start, const Content& hit) {
        onHit(kindWords[pass], start, hit);
    });
}

}  // namespace quorvel
