#include "app/ProfileFile.h"

#include "base/AsciiCase.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

namespace quorvel {

namespace {

constexpr std::size_t MaxTextValue = 2047;

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b)
{
    return EqualIgnoringAsciiCase(a, b);
}

// "[name]" gives name; any other line nothing.
std::optional<std::string> sectionOf(const std::string& line)
{
    const std::string t = trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        return std::nullopt;
    return trimmed(t.substr(1, t.size() - 2));
}

// "key=value" gives key and value; any other line nothing.
std::optional<std::pair<std::string, std::string>> entryOf(const std::string& line)
{
    const auto equals = line.find('=');
    if (equals == std::string::npos || sectionOf(line))
        return std::nullopt;
    return std::make_pair(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)));
}

std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::int64_t> parseDigits(const std::string& digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && AsciiLower(c) >= 'a' && AsciiLower(c) <= 'f')
            digit = AsciiLower(c) - 'a' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int> ParseProfileInteger(const std::string& text)
{
    std::string rest = text;
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.erase(0, 1);
    }
    std::optional<std::int64_t> magnitude;
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        // Hexadecimal fills 32 bits: 0xFFFFFFFF is -1.
        magnitude = parseDigits(rest.substr(2), 16);
        if (magnitude)
            magnitude = static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude));
    } else if (!rest.empty() && rest[0] == '$') {
        magnitude = parseDigits(rest.substr(1), 16);
        if (magnitude)
            magnitude = static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude));
    } else {
        magnitude = parseDigits(rest, 10);
    }
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)), lines_(readLines(path_)) { }

std::optional<std::string> ProfileFile::lookup(const std::string& section, const std::string& key) const
{
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (const auto name = sectionOf(line)) {
            inSection = sameName(*name, section);
        } else if (inSection) {
            const auto entry = entryOf(line);
            if (entry && sameName(entry->first, key))
                return entry->second;
        }
    }
    return std::nullopt;
}

int ProfileFile::readInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const auto text = lookup(section, key);
    if (!text)
        return defaultValue;
    return ParseProfileInteger(*text).value_or(defaultValue);
}

std::string ProfileFile::readText(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const
{
    const auto text = lookup(section, key);
    if (!text)
        return defaultValue;
    return text->substr(0, MaxTextValue);
}

bool ProfileFile::writeInteger(const std::string& section, const std::string& key, int value)
{
    return writeText(section, key, std::to_string(value));
}

bool ProfileFile::writeText(const std::string& section, const std::string& key, const std::string& value)
{
    // Start from the file as it is now, so lines written by others survive.
    std::vector<std::string> lines = readLines(path_);
    const std::string newLine = key + "=" + value;
    std::optional<std::size_t> sectionEnd;  // where a new key of the section goes
    bool inSection = false;
    bool replaced = false;
    for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
        if (const auto name = sectionOf(lines[i])) {
            inSection = sameName(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        const auto entry = entryOf(lines[i]);
        if (entry && sameName(entry->first, key)) {
            lines[i] = newLine;
            replaced = true;
        } else if (!trimmed(lines[i]).empty()) {
            sectionEnd = i + 1;
        }
    }
    if (!replaced) {
        if (sectionEnd) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), newLine);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(newLine);
        }
    }

    const std::string temporary = path_ + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\r\n";
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    lines_ = std::move(lines);
    return true;
}

}  // namespace quorvel
