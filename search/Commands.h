#pragma once

#include "search/SearchContext.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

// A menu command as both programs know it. Most commands read the scenario
// folder (`run`); the link search reads one data file the user picks
// (`runOnFile`, false when that file failed to load).
struct Command {
    const char* name;     // the headless program's word for it
    const char* caption;  // the menu caption
    const char* answers;  // what it tells, for --help
    int searchMode;
    std::function<void(SearchContext&)> run;
    std::function<bool(SearchContext&, const std::string& dataFile)> runOnFile;
    bool isCheck = false;  // a check: listing anything means something is wrong
};

// Every command that is built, in menu order.
const std::vector<Command>& Commands();

// The command for a SearchMode or a name; null when there is none.
const Command* FindCommand(int searchMode);
const Command* FindCommand(const std::string& name);

}  // namespace quorvel
