#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvel {

// How a text search matches its pattern.
struct TextPatternOptions {
    bool matchCase = false;   // letter case and full/half width count
    bool regex = false;       // the pattern is an ICU regular expression
    bool wholeField = false;  // the pattern must match the whole field
    bool joinLines = false;   // line breaks and the blanks around them are left out before matching
};

// The options as words, as the settings file and the browser page give them
// ("case,regex,whole,join-lines"), and back; unknown words are left out.
std::string TextOptionsWords(const TextPatternOptions& options);
TextPatternOptions TextOptionsOfWords(const std::string& words);

// Whether a comma-separated list of words holds `word`.
bool CommaListHolds(std::string_view list, std::string_view word);

// Where a match lies in the field: UTF-8 byte offsets, end exclusive.
struct MatchSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A regular expression ran past the time allowed for one field.
struct PatternRanAway { };

// A pattern ready to be matched against field texts (UTF-8). Without
// matchCase the pattern and the fields are compared in the filter's form:
// compatibility-normalised (full and half width alike) and case-folded; a
// match always covers whole characters of the field as stored.
class TextPattern {
public:
    // The pattern, or what is wrong with it ("正規表現が正しくありません: 位置 7",
    // the position counted in characters from 1).
    static std::variant<TextPattern, std::string> Compile(std::string_view utf8, const TextPatternOptions& options);

    TextPattern(TextPattern&&) noexcept;
    TextPattern& operator=(TextPattern&&) noexcept;
    ~TextPattern();

    // Every match in the field, left to right, none overlapping; a regular
    // expression that runs away is reported as PatternRanAway.
    std::variant<std::vector<MatchSpan>, PatternRanAway> find(std::string_view field) const;

    const TextPatternOptions& options() const { return options_; }

private:
    struct Compiled;
    std::vector<MatchSpan> findInAscii(std::string_view field, std::string& lower) const;
    TextPattern(std::unique_ptr<Compiled> compiled, const TextPatternOptions& options);

    std::unique_ptr<Compiled> compiled_;
    TextPatternOptions options_;
};

}  // namespace quorvel
