#pragma once

#include <string>
#include <vector>

namespace quorvel {

// The data files of the scenario folder that match a mask: one wildcard
// pattern or several joined by ";", matched without regard to letter case.
// Lists ordinary, non-hidden files (on POSIX a hidden file is a dot-file) in
// ascending order of name ignoring case. The folder is read when it is set
// (compared ignoring case, a folder set again is not read again) and on
// refresh(); a mask picks its files from what was read, so a command that
// looks at several kinds of file reads the folder once.
class ScenarioFileList {
public:
    void setFolder(const std::string& folder);
    void setMask(const std::string& mask);
    // Reads the folder again, as the files in it may have changed.
    void refresh() { reread(); }
    const std::string& folder() const { return folder_; }
    const std::string& mask() const { return mask_; }

    int count() const { return static_cast<int>(names_.size()); }
    const std::string& name(int position) const { return names_.at(static_cast<std::size_t>(position)); }
    // The folder, a separator unless it already ends in one, and the name.
    std::string fullPath(int position) const;

private:
    void reread();
    void pickMatching();

    std::string folder_;
    std::string mask_ = "*.*";
    std::vector<std::string> folderNames_;  // every file the folder lists, in order
    std::vector<std::string> names_;        // those matching the mask
};

// Every file of a scenario: its summary and its data files.
inline const std::string ScenarioFilesMask = "Summary.wsm;*.wid";

// Whether the folder holds a file the list would show for the mask; the
// first one found answers, without listing the rest.
bool FolderHoldsAnyOf(const std::string& folder, const std::string& mask);

// Wildcard match of a whole name ("*" any run, "?" one byte), ASCII letters
// compared without regard to case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace quorvel
