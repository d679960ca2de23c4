#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// An INI profile file ("[section]" lines and "key=value" lines), read and
// written one value at a time like the platform's profile functions.
// Section and key names match without regard to ASCII letter case; values
// are stored exactly as written, with no escaping.
class ProfileFile {
public:
    explicit ProfileFile(std::string path);

    // "0x"/"0X" (when longer than two characters) and "$" read hexadecimal;
    // otherwise decimal with an optional sign. Missing or not a number: the default.
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Missing: the default; present and empty: the empty text. At most 2047 bytes.
    std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    // Rewrites the file with this one value changed, keeping every other
    // line. The new file replaces the old one atomically (a temporary file
    // beside it, then a rename). False when the file cannot be written.
    bool writeText(const std::string& section, const std::string& key, const std::string& value);
    bool writeInteger(const std::string& section, const std::string& key, int value);

    const std::string& path() const { return path_; }

private:
    std::optional<std::string> lookup(const std::string& section, const std::string& key) const;

    std::string path_;
    std::vector<std::string> lines_;
};

// The integer a profile text stands for, or nothing when it is not a number.
std::optional<int> ParseProfileInteger(const std::string& text);

}  // namespace quorvel
