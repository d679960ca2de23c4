#include "search/TextPattern.h"

#include "base/AsciiCase.h"

#include <unicode/normalizer2.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace quorvel {

namespace {

// A regular expression may take this many of ICU's steps (of the order of
// a millisecond each) on one field before it is taken as running away.
constexpr std::int32_t RegexStepsPerField = 1000;

const icu::Normalizer2& nfkc()
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFKCInstance(status);
    if (U_FAILURE(status) || !normalizer)
        throw std::runtime_error("ICU has no NFKC normaliser");
    return *normalizer;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

// A form of a field as it is matched: its UTF-16 units and, for each, the
// units of the field as stored it stands for (from, to: end exclusive).
struct Form {
    std::u16string text;
    std::vector<std::int32_t> from;
    std::vector<std::int32_t> to;

    void clear()
    {
        text.clear();
        from.clear();
        to.clear();
    }
    void append(std::u16string_view units, std::int32_t first, std::int32_t past)
    {
        text.append(units);
        from.insert(from.end(), units.size(), first);
        to.insert(to.end(), units.size(), past);
    }
};

// What matching one field works in; kept by each thread, so that a search
// over thousands of fields does not allocate for each.
struct Workspace {
    std::array<Form, 2> forms;
    std::vector<std::size_t> utf8Offsets;  // where each unit of the stored field begins in its UTF-8
    std::string lowerAscii;                // a field of ASCII alone in lower case
};

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

Workspace& workspaceOfThisThread()
{
    thread_local Workspace workspace;
    return workspace;
}

// The field as UTF-16, each unit standing for itself. Bytes that are not
// UTF-8 stand as U+FFFD, one for each bad sequence.
void storedForm(std::string_view utf8, Form& form, std::vector<std::size_t>& utf8Offsets)
{
    form.clear();
    utf8Offsets.clear();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t at = 0; at < length;) {
        const auto start = static_cast<std::size_t>(at);
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (c < 0)
            c = 0xFFFD;
        std::array<char16_t, 2> units{};
        std::int32_t count = 0;
        U16_APPEND_UNSAFE(units.data(), count, c);
        for (std::int32_t u = 0; u < count; ++u) {
            const auto unit = static_cast<std::int32_t>(form.text.size());
            form.text.push_back(units[static_cast<std::size_t>(u)]);
            form.from.push_back(unit);
            form.to.push_back(unit + 1);
            utf8Offsets.push_back(start);
        }
    }
    utf8Offsets.push_back(utf8.size());
}

// Leaves out every run of blanks and line breaks that holds a line break.
void joinLines(const Form& form, Form& joined)
{
    joined.clear();
    const std::u16string& text = form.text;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t runEnd = i;
        bool breaks = false;
        while (runEnd < text.size() && (isBlank(text[runEnd]) || isLineBreak(text[runEnd]))) {
            breaks = breaks || isLineBreak(text[runEnd]);
            ++runEnd;
        }
        if (breaks) {
            i = runEnd;
            continue;
        }
        runEnd = std::max(runEnd, i + 1);
        for (; i < runEnd; ++i)
            joined.append(std::u16string_view(&text[i], 1), form.from[i], form.to[i]);
    }
}

// The code point at `at` and where the next begins.
UChar32 codePointAt(const std::u16string& text, std::size_t& at)
{
    UChar32 c = 0;
    std::size_t next = at;
    U16_NEXT(text.data(), next, text.size(), c);
    at = next;
    return c;
}

// Compatibility-normalised and case-folded, segment by segment, so that
// each unit of the result still knows what part of the field it came from.
// Most characters stand alone and are unchanged by both: they are copied.
void fold(const Form& form, Form& folded)
{
    const icu::Normalizer2& normalizer = nfkc();
    folded.clear();
    const std::u16string& text = form.text;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        const UChar32 first = codePointAt(text, end);
        const std::size_t firstEnd = end;
        while (end < text.size()) {
            std::size_t next = end;
            // No ASCII character joins what stands before it; most of a field is ASCII.
            if (text[end] < 0x80 || normalizer.hasBoundaryBefore(codePointAt(text, next)))
                break;
            end = next;
        }
        const std::int32_t from = form.from[i];
        const std::int32_t to = form.to[end - 1];
        if (end == firstEnd && first < 0x80) {
            const auto lower = static_cast<char16_t>(first >= 'A' && first <= 'Z' ? first - 'A' + 'a' : first);
            folded.append(std::u16string_view(&lower, 1), from, to);
        } else if (end == firstEnd && normalizer.isInert(first)
                   && !u_hasBinaryProperty(first, UCHAR_CHANGES_WHEN_CASEFOLDED)) {
            folded.append(std::u16string_view(text).substr(i, end - i), from, to);
        } else {
            UErrorCode status = U_ZERO_ERROR;
            const icu::UnicodeString segment(text.data() + i, static_cast<std::int32_t>(end - i));
            icu::UnicodeString result
                = normalizer.isNormalized(segment, status) ? segment : normalizer.normalize(segment, status);
            if (U_FAILURE(status))
                result = segment;
            result.foldCase(U_FOLD_CASE_DEFAULT);
            folded.append(std::u16string_view(result.getBuffer(), static_cast<std::size_t>(result.length())), from, to);
        }
        i = end;
    }
}

// The form a plain pattern is compared in.
std::u16string plainForm(std::string_view utf8, bool matchCase)
{
    std::array<Form, 2> forms;
    std::vector<std::size_t> offsets;
    storedForm(utf8, forms[0], offsets);
    if (matchCase)
        return forms[0].text;
    fold(forms[0], forms[1]);
    return forms[1].text;
}

icu::UnicodeString fromUtf8(std::string_view utf8)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
}

}  // namespace

struct TextPattern::Compiled {
    std::u16string plain;  // a plain pattern in the form fields are matched in
    // The same as bytes when it is ASCII alone; nothing when it is not (no
    // field of ASCII alone can then match it).
    std::optional<std::string> plainAscii;
    std::unique_ptr<icu::RegexPattern> regex;
};

TextPattern::TextPattern(std::unique_ptr<Compiled> compiled, const TextPatternOptions& options)
    : compiled_(std::move(compiled)), options_(options)
{
}

TextPattern::TextPattern(TextPattern&&) noexcept = default;
TextPattern& TextPattern::operator=(TextPattern&&) noexcept = default;
TextPattern::~TextPattern() = default;

std::variant<TextPattern, std::string> TextPattern::Compile(std::string_view utf8, const TextPatternOptions& options)
{
    auto compiled = std::make_unique<Compiled>();
    if (options.regex) {
        UParseError where{};
        UErrorCode status = U_ZERO_ERROR;
        const std::uint32_t flags = options.matchCase ? 0 : UREGEX_CASE_INSENSITIVE;
        compiled->regex.reset(icu::RegexPattern::compile(fromUtf8(utf8), flags, where, status));
        if (U_FAILURE(status) || !compiled->regex)
            return "正規表現が正しくありません: 位置 " + std::to_string(std::max(where.offset, 0) + 1);
    } else {
        compiled->plain = plainForm(utf8, options.matchCase);
        if (std::all_of(compiled->plain.begin(), compiled->plain.end(), [](char16_t unit) { return unit < 0x80; }))
            compiled->plainAscii = std::string(compiled->plain.begin(), compiled->plain.end());
    }
    return TextPattern(std::move(compiled), options);
}

std::variant<std::vector<MatchSpan>, PatternRanAway> TextPattern::find(std::string_view field) const
{
    Workspace& workspace = workspaceOfThisThread();
    if (!compiled_->regex && !options_.joinLines && isAscii(field))
        return findInAscii(field, workspace.lowerAscii);
    Form* form = &workspace.forms[0];
    Form* spare = &workspace.forms[1];
    storedForm(field, *form, workspace.utf8Offsets);
    if (options_.joinLines) {
        joinLines(*form, *spare);
        std::swap(form, spare);
    }
    if (!options_.matchCase && !options_.regex) {
        fold(*form, *spare);
        std::swap(form, spare);
    }
    std::vector<MatchSpan> spans;
    const auto addSpan = [&](std::size_t begin, std::size_t end) {
        if (begin >= end)
            return;  // a match of nothing shows no text
        const auto first = static_cast<std::size_t>(form->from[begin]);
        const auto past = static_cast<std::size_t>(form->to[end - 1]);
        spans.push_back({workspace.utf8Offsets[first], workspace.utf8Offsets[past]});
    };
    const std::u16string& text = form->text;
    if (!compiled_->regex) {
        const std::u16string& pattern = compiled_->plain;
        if (pattern.empty())
            return spans;
        if (options_.wholeField) {
            if (text == pattern)
                addSpan(0, text.size());
            return spans;
        }
        for (std::size_t at = text.find(pattern); at != std::u16string::npos;
             at = text.find(pattern, at + pattern.size()))
            addSpan(at, at + pattern.size());
        return spans;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString subject(false, text.data(), static_cast<std::int32_t>(text.size()));
    std::unique_ptr<icu::RegexMatcher> matcher(compiled_->regex->matcher(subject, status));
    if (U_FAILURE(status))
        return PatternRanAway{};
    matcher->setTimeLimit(RegexStepsPerField, status);
    if (options_.wholeField) {
        if (matcher->matches(status))
            addSpan(0, text.size());
    } else {
        while (matcher->find(status) && U_SUCCESS(status))
            addSpan(static_cast<std::size_t>(matcher->start(status)), static_cast<std::size_t>(matcher->end(status)));
    }
    if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW || status == U_REGEX_STOPPED_BY_CALLER)
        return PatternRanAway{};
    return spans;
}

// A field of ASCII alone folds to its lower case byte for byte, so a plain
// pattern is looked for in its bytes, and the spans are where it is found.
std::vector<MatchSpan> TextPattern::findInAscii(std::string_view field, std::string& lower) const
{
    std::vector<MatchSpan> spans;
    const std::optional<std::string>& pattern = compiled_->plainAscii;
    if (!pattern || pattern->empty())
        return spans;
    std::string_view text = field;
    if (!options_.matchCase) {
        lower.assign(field);
        std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
        text = lower;
    }
    if (options_.wholeField) {
        if (text == *pattern)
            spans.push_back({0, text.size()});
        return spans;
    }
    for (std::size_t at = text.find(*pattern); at != std::string_view::npos;
         at = text.find(*pattern, at + pattern->size()))
        spans.push_back({at, at + pattern->size()});
    return spans;
}

std::string TextOptionsWords(const TextPatternOptions& options)
{
    std::string words;
    const auto add = [&](bool on, const char* word) {
        if (on)
            words += (words.empty() ? "" : ",") + std::string(word);
    };
    add(options.matchCase, "case");
    add(options.regex, "regex");
    add(options.wholeField, "whole");
    add(options.joinLines, "join-lines");
    return words;
}

TextPatternOptions TextOptionsOfWords(const std::string& words)
{
    return {.matchCase = CommaListHolds(words, "case"),
            .regex = CommaListHolds(words, "regex"),
            .wholeField = CommaListHolds(words, "whole"),
            .joinLines = CommaListHolds(words, "join-lines")};
}

bool CommaListHolds(std::string_view list, std::string_view word)
{
    while (!list.empty()) {
        const std::string_view item = list.substr(0, list.find(','));
        if (item == word)
            return true;
        list.remove_prefix(std::min(list.size(), item.size() + 1));
    }
    return false;
}

}  // namespace quorvel
