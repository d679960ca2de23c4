#include "search/ScenarioFileList.h"

#include "scenario/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace quorvel {

namespace {

// ASCII letters folded to lower case; other bytes as they are.
int foldedByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldedByte(x) == foldedByte(y); });
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const bool folded = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                     [](char x, char y) { return foldedByte(x) < foldedByte(y); });
    if (folded || !equalIgnoringCase(a, b))
        return folded;
    return a < b;  // a fixed order for names that differ only in case
}

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

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*")
        return true;  // as on the platform the masks come from: every name, dot or not
    // Iterative glob match with backtracking to the last "*".
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || foldedByte(pattern[p]) == foldedByte(name[n]))) {
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
    if (equalIgnoringCase(folder, folder_) && !folder_.empty())
        return;
    folder_ = folder;
    reread();
}

void ScenarioFileList::setMask(const std::string& mask)
{
    if (mask == mask_)
        return;
    mask_ = mask;
    pickMatching();
}

std::string ScenarioFileList::fullPath(int position) const
{
    std::string path = folder_;
    if (!path.empty() && path.back() != PathSeparator())
        path += PathSeparator();
    return path + name(position);
}

namespace {

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
    if (!folder_.empty()) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
            std::string name = it->path().filename().string();
            if (isListable(*it, name))
                folderNames_.push_back(std::move(name));
        }
        std::sort(folderNames_.begin(), folderNames_.end(), lessIgnoringCase);
    }
    pickMatching();
}

void ScenarioFileList::pickMatching()
{
    const std::vector<std::string> patterns = splitMask(mask_);
    names_.clear();
    for (const std::string& name : folderNames_)
        if (matchesAny(name, patterns))
            names_.push_back(name);
}

}  // namespace quorvel
