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
    reread();
}

std::string ScenarioFileList::fullPath(int position) const
{
    std::string path = folder_;
    if (!path.empty() && path.back() != PathSeparator())
        path += PathSeparator();
    return path + name(position);
}

namespace {

// Whether a folder entry is a file the list shows: ordinary, not hidden,
// matching one of the patterns.
bool isListed(const std::filesystem::directory_entry& entry, const std::vector<std::string>& patterns)
{
    const std::string name = entry.path().filename().string();
    std::error_code typeError;
    return !name.empty() && name[0] != '.' && entry.is_regular_file(typeError)
        && std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return MatchesPattern(name, pattern); });
}

}  // namespace

bool FolderHoldsAnyOf(const std::string& folder, const std::string& mask)
{
    const std::vector<std::string> patterns = splitMask(mask);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (isListed(*it, patterns))
            return true;
    return false;
}

void ScenarioFileList::reread()
{
    names_.clear();
    if (folder_.empty())
        return;
    const std::vector<std::string> patterns = splitMask(mask_);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error))
        if (isListed(*it, patterns))
            names_.push_back(it->path().filename().string());
    std::sort(names_.begin(), names_.end(), lessIgnoringCase);
}

}  // namespace quorvel
