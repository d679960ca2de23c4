#include "search/SearchContext.h"

namespace quorvel {

TargetWordTable DefaultTargetWords()
{
    return {"選択中", "誰か", "全員", "荷物袋", "全体", "フィールド"};
}

std::string TargetWord(const TargetWordTable& targetWords, std::int8_t code)
{
    if (code >= 0 && code < static_cast<int>(targetWords.size()))
        return targetWords[static_cast<std::size_t>(code)];
    return std::to_string(code);
}

std::string TargetWordOf(const TargetWordTable& targetWords, const Content& content)
{
    if (content.extras && content.extras->targetWord)
        return std::string(content.extras->targetWord->bytes());
    return TargetWord(targetWords, content.detail.option);
}

void StartAnswer(SearchContext& context, TableMode mode)
{
    context.answer.clear();
    context.answer.index.setMode(mode);
    context.answer.index.setWorkers(context.workers);
}

}  // namespace quorvel
