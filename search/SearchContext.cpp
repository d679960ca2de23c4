#include "search/SearchContext.h"

#include "search/RowTexts.h"

#include <algorithm>
#include <thread>

namespace quorvel {

TargetWordTable DefaultTargetWords()
{
    return {FixedWord("選択中"), FixedWord("誰か"), FixedWord("全員"),
            FixedWord("荷物袋"), FixedWord("全体"), FixedWord("フィールド")};
}

std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code)
{
    if (code >= 0 && code < static_cast<int>(targetWords.size()))
        return targetWords[static_cast<std::size_t>(code)];
    return std::to_string(code);
}

unsigned WorkersOfThisMachine()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace quorvel
