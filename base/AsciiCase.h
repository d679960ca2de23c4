#pragma once

#include <algorithm>
#include <string_view>

namespace quorvel {

// ASCII letters folded to one case; every other byte as it is. Bytes are
// folded one by one, so a trail byte of a two-byte Shift-JIS character that
// looks like a letter is folded too: the rules that use this say so.
constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Which way letters fold before bytes are compared: the order of the few
// characters between the capitals and the small letters ("[", "_", "`"...)
// depends on it.
enum class FoldTo { Lower, Upper };

// Byte-wise comparison, as unsigned bytes, of the texts with their ASCII
// letters folded; a text first before the longer texts it begins. Negative
// when a comes first, zero when the folded texts are equal.
template <FoldTo fold>
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto folded
        = [](char c) { return static_cast<unsigned char>(fold == FoldTo::Lower ? AsciiLower(c) : AsciiUpper(c)); };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (const int difference = folded(a[i]) - folded(b[i]); difference != 0)
            return difference;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace quorvel
