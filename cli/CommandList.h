#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel {

// The word of quorvel-cli for running every check, in menu order.
inline constexpr const char* CheckAll = "check";
// The word of quorvel-cli for the text search, which takes a pattern before PATH.
inline constexpr const char* TextCommand = "text";

// One command as --help and the man page list it.
struct ListedCommand {
    std::string name;
    std::string answers;
};

// Every command of the command table in menu order, then TextCommand and CheckAll.
std::vector<ListedCommand> ListedCommands();

// quorvel-cli --help.
void PrintHelp(std::ostream& out);

// The man page's list of commands, in roff: one tagged paragraph each.
std::string ManPageCommands();

}  // namespace quorvel
