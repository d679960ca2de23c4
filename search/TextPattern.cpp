#include "search/TextPattern.h"

#include <unicode/normalizer2.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
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

bool isBlank(UChar32 c)
{
    return c == u' ' || c == u'\t' || c == 0x3000;
}

bool isLineBreak(UChar32 c)
{
    return c == u'\n' || c == u'\r';
}

// A field as it is matched: the text to match in and, for each of its
// UTF-16 units, the units of the field as stored it stands for; and where
// each unit of the stored field begins in its UTF-8 bytes.
struct SearchedForm {
    icu::UnicodeString text;
    std::vector<std::int32_t> from;  // first unit of the stored field
    std::vector<std::int32_t> to;    // past its last unit
    std::vector<std::size_t> utf8Offsets;

    void append(const icu::UnicodeString& units, std::int32_t first, std::int32_t past)
    {
        text.append(units);
        from.insert(from.end(), static_cast<std::size_t>(units.length()), first);
        to.insert(to.end(), static_cast<std::size_t>(units.length()), past);
    }
};

// The field as UTF-16, each unit standing for itself. Bytes that are not
// UTF-8 stand as U+FFFD, one for each bad sequence.
SearchedForm storedForm(std::string_view utf8)
{
    SearchedForm form;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t at = 0; at < length;) {
        const std::int32_t start = at;
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (c < 0)
            c = 0xFFFD;
        const std::int32_t unit = form.text.length();
        form.text.append(c);
        for (std::int32_t u = unit; u < form.text.length(); ++u) {
            form.from.push_back(u);
            form.to.push_back(u + 1);
            form.utf8Offsets.push_back(static_cast<std::size_t>(start));
        }
    }
    form.utf8Offsets.push_back(utf8.size());
    return form;
}

// Leaves out every run of blanks and line breaks that holds a line break.
SearchedForm joinedLines(SearchedForm form)
{
    SearchedForm joined;
    joined.utf8Offsets = std::move(form.utf8Offsets);
    const icu::UnicodeString& text = form.text;
    for (std::int32_t i = 0; i < text.length();) {
        std::int32_t runEnd = i;
        bool breaks = false;
        while (runEnd < text.length() && (isBlank(text.char32At(runEnd)) || isLineBreak(text.char32At(runEnd)))) {
            breaks = breaks || isLineBreak(text.char32At(runEnd));
            runEnd = text.moveIndex32(runEnd, 1);
        }
        if (runEnd == i)
            runEnd = text.moveIndex32(i, 1);
        else if (breaks) {
            i = runEnd;
            continue;
        }
        for (; i < runEnd; ++i) {
            joined.text.append(text.charAt(i));
            joined.from.push_back(form.from[static_cast<std::size_t>(i)]);
            joined.to.push_back(form.to[static_cast<std::size_t>(i)]);
        }
    }
    return joined;
}

// Compatibility-normalised and case-folded, segment by segment, so that
// each unit of the result still knows what part of the field it came from.
SearchedForm foldedForm(const SearchedForm& form)
{
    const icu::Normalizer2& normalizer = nfkc();
    SearchedForm folded;
    folded.utf8Offsets = form.utf8Offsets;
    const icu::UnicodeString& text = form.text;
    for (std::int32_t i = 0; i < text.length();) {
        std::int32_t end = text.moveIndex32(i, 1);
        while (end < text.length() && !normalizer.hasBoundaryBefore(text.char32At(end)))
            end = text.moveIndex32(end, 1);
        const UChar32 first = text.char32At(i);
        const auto from = form.from[static_cast<std::size_t>(i)];
        const auto to = form.to[static_cast<std::size_t>(end - 1)];
        if (end == text.moveIndex32(i, 1) && (first < 0x80 || normalizer.isInert(first))
            && !u_hasBinaryProperty(first, UCHAR_CHANGES_WHEN_CASEFOLDED)) {
            folded.append(icu::UnicodeString(first), from, to);  // most characters: as they are
        } else {
            UErrorCode status = U_ZERO_ERROR;
            const icu::UnicodeString segment(text, i, end - i);
            icu::UnicodeString result
                = normalizer.isNormalized(segment, status) ? segment : normalizer.normalize(segment, status);
            if (U_FAILURE(status))
                result = segment;
            result.foldCase(U_FOLD_CASE_DEFAULT);
            folded.append(result, from, to);
        }
        i = end;
    }
    return folded;
}

icu::UnicodeString fromUtf8(std::string_view utf8)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
}

}  // namespace

struct TextPattern::Compiled {
    icu::UnicodeString plain;  // a plain pattern in the form fields are matched in
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
        SearchedForm pattern = storedForm(utf8);
        compiled->plain = options.matchCase ? pattern.text : foldedForm(pattern).text;
    }
    return TextPattern(std::move(compiled), options);
}

std::variant<std::vector<MatchSpan>, PatternRanAway> TextPattern::find(std::string_view field) const
{
    SearchedForm form = storedForm(field);
    if (options_.joinLines)
        form = joinedLines(std::move(form));
    if (!options_.matchCase && !options_.regex)
        form = foldedForm(form);
    std::vector<MatchSpan> spans;
    const auto addSpan = [&](std::int32_t begin, std::int32_t end) {
        if (begin >= end)
            return;  // a match of nothing shows no text
        const auto first = static_cast<std::size_t>(form.from[static_cast<std::size_t>(begin)]);
        const auto past = static_cast<std::size_t>(form.to[static_cast<std::size_t>(end - 1)]);
        spans.push_back({form.utf8Offsets[first], form.utf8Offsets[past]});
    };
    if (!compiled_->regex) {
        const icu::UnicodeString& pattern = compiled_->plain;
        if (options_.wholeField) {
            if (form.text == pattern)
                addSpan(0, form.text.length());
            return spans;
        }
        for (std::int32_t at = form.text.indexOf(pattern); at >= 0 && !pattern.isEmpty();
             at = form.text.indexOf(pattern, at + pattern.length()))
            addSpan(at, at + pattern.length());
        return spans;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(compiled_->regex->matcher(form.text, status));
    if (U_FAILURE(status))
        return PatternRanAway{};
    matcher->setTimeLimit(RegexStepsPerField, status);
    if (options_.wholeField) {
        if (matcher->matches(status))
            addSpan(0, form.text.length());
    } else {
        while (matcher->find(status) && U_SUCCESS(status))
            addSpan(matcher->start(status), matcher->end(status));
    }
    if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW || status == U_REGEX_STOPPED_BY_CALLER)
        return PatternRanAway{};
    return spans;
}

}  // namespace quorvel
