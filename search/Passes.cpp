#include "search/Passes.h"

namespace quorvel {

namespace {

std::vector<KindSet> kindsOf(std::initializer_list<Pass> passes)
{
    std::vector<KindSet> kinds;
    for (const Pass& pass : passes)
        kinds.push_back(pass.kinds);
    return kinds;
}

}  // namespace

PassTable::PassTable(std::initializer_list<Pass> passes) : kinds_(kindsOf(passes))
{
    for (const Pass& pass : passes)
        kindWords_.push_back(Word(pass.word));
}

}  // namespace quorvel
