#include "search/ScenarioFileList.h"

#include "base/AsciiCase.h"
#include "scenario/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace quorvel {

namespace {

std::vector<std::string> splitMask(const std::string& mask)
{
    std::vector<std::string> patterns;
    std::stringstream parts(mask);
    std::string pattern;
    while (std::getline(parts, pattern, ';'))
        if (!pattern.empty())
            patterns.push_back(pattern);
    return patterns;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& patterns)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return MatchesPattern(name, pattern); });
}

// Whether a folder entry is a file a list may show: ordinary, not hidden.
bool isListable(const std::filesystem::directory_entry& entry, const std::string& name)
{
    std::error_code typeError;
    return !name.empty() && name[0] != '.' && entry.is_regular_file(typeError);
}

}  // namespace

bool ListedBefore(const std::string& a, const std::string& b)
{
    const int folded = CompareIgnoringAsciiCase<FoldTo::Lower>(a, b);
    return folded != 0 ? folded < 0 : a < b;  // a fixed order for names that differ only in case
}

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*")
        return true;  // as on the platform the masks come from: every name, dot or not
    // Iterative glob match with backtracking to the last "*".
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

void ScenarioFileList::setFolder(const std::string& folder)
{
    if (EqualIgnoringAsciiCase(folder, folder_) && !folder_.empty())
        return;
    folder_ = folder;
    reread();
}

std::string ScenarioFileList::fullPath(const std::string& name) const
{
    std::string path = folder_;
    if (!path.empty() && path.back() != PathSeparator())
        path += PathSeparator();
    return path + name;
}

bool FolderHoldsAnyOf(const std::string& folder, const std::string& mask)
{
    const std::vector<std::string> patterns = splitMask(mask);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (isListable(*it, name) && matchesAny(name, patterns))
            return true;
    }
    return false;
}

void ScenarioFileList::reread()
{
    folderNames_.clear();
    if (folder_.empty())
        return;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (isListable(*it, name))
            folderNames_.push_back(std::move(name));
    }
    std::sort(folderNames_.begin(), folderNames_.end(), ListedBefore);
}

std::vector<std::string> ScenarioFileList::names(const std::string& mask) const
{
    const std::vector<std::string> patterns = splitMask(mask);
    std::vector<std::string> names;
    for (const std::string& name : folderNames_)
        if (matchesAny(name, patterns))
            names.push_back(name);
    return names;
}

}  // namespace quorvel
