#include "search/Passes.h"

#include "scenario/ShiftJis.h"

namespace quorvel {

namespace {

std::vector<ContentKind> kindsOf(std::initializer_list<Pass> passes)
{
    std::vector<ContentKind> kinds;
    for (const Pass& pass : passes)
        kinds.push_back(pass.kind);
    return kinds;
}

}  // namespace

PassTable::PassTable(std::initializer_list<Pass> passes) : kinds_(kindsOf(passes))
{
    for (const Pass& pass : passes)
        words_.push_back(Utf8ToSjis(pass.word));
}

}  // namespace quorvel
