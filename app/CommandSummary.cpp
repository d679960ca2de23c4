#include "app/CommandSummary.h"

#include <algorithm>
#include <cstdio>

namespace quorvel {

namespace {

// Names shown in the line itself; the tip has them all.
constexpr std::size_t NamedInTheLine = 3;

std::string unreadable(const std::vector<std::string>& files)
{
    if (files.empty())
        return {};
    std::string line = "、読み込めなかったファイル " + GroupedNumber(files.size()) + " 件: ";
    for (std::size_t i = 0; i < std::min(files.size(), NamedInTheLine); ++i)
        line += (i ? "、" : "") + files[i];
    if (files.size() > NamedInTheLine)
        line += "…";
    return line;
}

std::string found(const CommandOutcome& outcome)
{
    if (outcome.kind == CommandOutcome::Kind::LinkSearch)
        return "リンク: スタート " + GroupedNumber(outcome.starts) + " 件、リンク・コール "
            + GroupedNumber(outcome.places) + " 箇所";
    std::string line = outcome.caption + ": ";
    if (outcome.places > 0)
        return line + GroupedNumber(outcome.names) + " 件、" + GroupedNumber(outcome.places) + " 箇所";
    return line + (outcome.kind == CommandOutcome::Kind::Check ? "問題は見つかりませんでした" : "見つかりませんでした");
}

}  // namespace

std::string GroupedNumber(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

std::string CommandSummary(const CommandOutcome& outcome)
{
    char time[32];
    std::snprintf(time, sizeof time, " (%.2f 秒)", outcome.seconds);
    return found(outcome) + unreadable(outcome.unreadableFiles) + time;
}

std::string UnreadableFilesTip(const CommandOutcome& outcome)
{
    std::string tip;
    for (const std::string& file : outcome.unreadableFiles)
        tip += (tip.empty() ? "" : "\n") + file;
    return tip;
}

}  // namespace quorvel
