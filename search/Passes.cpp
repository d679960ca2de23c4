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
        words_.push_back(pass.word);
}

const std::vector<std::string>& PassTable::kindWords() const
{
    std::call_once(converted_, [this] {
        for (const char* word : words_)
            kindWords_.push_back(Utf8ToSjis(word));
    });
    return kindWords_;
}

}  // namespace quorvel
