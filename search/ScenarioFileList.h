#pragma once

#include <string>
#include <vector>

namespace quorvel {

// The files of a folder as a scenario lists them: ordinary, non-hidden
// files (on POSIX a hidden file is a dot-file), in ascending order of name
// with ASCII letters folded (names that differ only in case by their
// bytes). The folder is read when it is set (compared ignoring case, a
// folder set again is not read again) and on refresh(); a mask picks its
// files from what was read, so a command that looks at several kinds of
// file reads the folder once.
class ScenarioFileList {
public:
    void setFolder(const std::string& folder);
    // Reads the folder again, as the files in it may have changed.
    void refresh() { reread(); }
    const std::string& folder() const { return folder_; }

    // The names that match a mask: one wildcard pattern or several joined
    // by ";", matched without regard to letter case. In list order.
    std::vector<std::string> names(const std::string& mask) const;
    // The folder, a separator unless it already ends in one, and the name.
    std::string fullPath(const std::string& name) const;

private:
    void reread();

    std::string folder_;
    std::vector<std::string> folderNames_;  // every file the folder lists, in order
};

// Whether the folder holds a file the list would show for the mask; the
// first one found answers, without listing the rest.
bool FolderHoldsAnyOf(const std::string& folder, const std::string& mask);

// Wildcard match of a whole name ("*" any run, "?" one byte), ASCII letters
// compared without regard to case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// The order of names in a scenario's listing: ASCII letters folded, then
// the bytes.
bool ListedBefore(const std::string& a, const std::string& b);

}  // namespace quorvel
