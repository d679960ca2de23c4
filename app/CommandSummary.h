#pragma once

#include <cstddef>
#include <string>

namespace quorvel {

// What a finished command found, for the window's status line.
struct CommandOutcome {
    std::string caption;  // the command's menu caption (UTF-8)
    bool isCheck = false;
    std::size_t names = 0;   // lines of the left list
    std::size_t places = 0;  // rows under all of them
    std::size_t unreadableFiles = 0;
    double seconds = 0;
};

// "称号: 8,851 件、25,941 箇所 (0.25 秒)"; "…: 見つかりませんでした" when a
// search found no place, "…: 問題は見つかりませんでした" when a check found
// nothing; files that could not be read are counted before the time.
std::string CommandSummary(const CommandOutcome& outcome);

// A count with a comma between each group of three digits: "25,941".
std::string GroupedNumber(std::size_t number);

}  // namespace quorvel
