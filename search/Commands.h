#pragma once

#include "search/SearchContext.h"
#include "search/SearchMode.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

// The two menus that hold the commands, in menu-bar order.
enum class Menu { Check, Search };

// The caption of a menu (UTF-8).
const char* MenuCaption(Menu menu);

// A command as the window's menu, Reload, quorvel-cli, its --help and its
// man page know it. Most commands read the scenario folder (`run`); the
// link search reads one data file the user picks (`runOnFile`, false when
// that file failed to load), so Reload does not run it again.
struct Command {
    const char* name;       // quorvel-cli's word for it
    Menu menu;              // where the window shows it
    bool separatorBefore;   // a separator stands above it in its menu
    const char* caption;    // its menu caption (UTF-8)
    const char* answers;    // what it tells, for --help and the man page
    SearchMode searchMode;  // what it leaves behind, and what Reload runs again by
    const char* shortcut;   // its key in the window, as QKeySequence reads it
    std::function<void(SearchContext&)> run = {};
    std::function<bool(SearchContext&, const std::string& dataFile)> runOnFile = {};

    // A check: listing anything means something is wrong.
    bool isCheck() const { return menu == Menu::Check; }
};

// Every command, in menu order.
const std::vector<Command>& Commands();

// Runs a command over the context's source: the scenario's files, or for
// the link search the one data file the source holds. When the whole
// scenario cannot be read (an archive), says so instead ("<name>の読み込み
// に失敗しました", "I'm sorry!") and answers nothing; where there is no
// scenario at all, answers nothing. Tells whether the command completed.
bool RunCommand(const Command& command, SearchContext& context);

// The command for a SearchMode or a name; null when there is none.
const Command* FindCommand(SearchMode searchMode);
const Command* FindCommand(const std::string& name);

}  // namespace quorvel
