#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

// What a finished command found, for the window's status line.
struct CommandOutcome {
    enum class Kind { Search, Check, LinkSearch };

    std::string caption;  // the command's menu caption (UTF-8)
    Kind kind = Kind::Search;
    std::size_t names = 0;   // lines of the left list
    std::size_t starts = 0;  // the link search: the lines that are start contents
    std::size_t places = 0;  // rows under all of them
    std::vector<std::string> unreadableFiles;
    double seconds = 0;  // without the time a message box stood open
};

// "称号: 8,851 件、25,941 箇所 (0.25 秒)"; "…: 見つかりませんでした" when a
// search found no place, "…: 問題は見つかりませんでした" when a check found
// nothing; "リンク: スタート 7 件、リンク・コール 0 箇所 (…)" for the link
// search. Files that could not be read are counted and named before the
// time: "、読み込めなかったファイル 1 件: Area98.wid", the first few of many.
std::string CommandSummary(const CommandOutcome& outcome);

// The files that could not be read, one a line: the status line's tip.
std::string UnreadableFilesTip(const CommandOutcome& outcome);

// A count with a comma between each group of three digits: "25,941".
std::string GroupedNumber(std::size_t number);

}  // namespace quorvel
