#include "app/CommandSummary.h"

#include <cstdio>

namespace quorvel {

std::string GroupedNumber(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

std::string CommandSummary(const CommandOutcome& outcome)
{
    std::string line = outcome.caption + ": ";
    if (outcome.places > 0)
        line += GroupedNumber(outcome.names) + " 件、" + GroupedNumber(outcome.places) + " 箇所";
    else
        line += outcome.isCheck ? "問題は見つかりませんでした" : "見つかりませんでした";
    if (outcome.unreadableFiles > 0)
        line += "、読み込めなかったファイル " + GroupedNumber(outcome.unreadableFiles) + " 件";
    char time[32];
    std::snprintf(time, sizeof time, " (%.2f 秒)", outcome.seconds);
    return line + time;
}

}  // namespace quorvel
