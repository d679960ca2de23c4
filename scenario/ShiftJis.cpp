#include "scenario/ShiftJis.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace quorvel {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// ICU converters keep state, so each thread has one of its own.
UConverter* shiftJis()
{
    thread_local const std::unique_ptr<UConverter, ConverterCloser> converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* opened = ucnv_open("windows-31j", &status);
        if (U_FAILURE(status))
            throw std::runtime_error("ICU has no windows-31j converter");
        return std::unique_ptr<UConverter, ConverterCloser>(opened);
    }();
    return converter.get();
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis)
{
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    const icu::UnicodeString unicode(sjis.data(), static_cast<int32_t>(sjis.size()), shiftJis(), status);
    std::string utf8;
    unicode.toUTF8String(utf8);
    return utf8;
}

std::string Utf8ToSjis(std::string_view utf8)
{
    const icu::UnicodeString unicode
        = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    const int32_t needed = unicode.extract(nullptr, 0, shiftJis(), status);
    std::string sjis(static_cast<std::size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    unicode.extract(sjis.data(), needed, shiftJis(), status);
    return sjis;
}

ShiftJisDecoder::ShiftJisDecoder()
{
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open("windows-31j", &status);
    if (U_FAILURE(status))
        throw std::runtime_error("ICU has no windows-31j converter");
}

ShiftJisDecoder::~ShiftJisDecoder()
{
    ucnv_close(converter_);
}

bool DecodesToItself(std::string_view sjis)
{
    // Bytes below 0x80 are the same characters in both, but for three control
    // bytes the converter exchanges (0x1A, 0x1C and 0x7F). Eight bytes are
    // looked at at a time: every text of an answer is asked about.
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Highs = 0x8080808080808080u;
    const auto holds = [](std::uint64_t word, std::uint8_t byte) {
        const std::uint64_t differences = word ^ (Ones * byte);
        return ((differences - Ones) & ~differences & Highs) != 0;
    };
    std::size_t at = 0;
    for (; at + 8 <= sjis.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, sjis.data() + at, sizeof word);
        if ((word & Highs) != 0 || holds(word, 0x7F) || holds(word, 0x1A) || holds(word, 0x1C))
            return false;
    }
    return std::all_of(sjis.begin() + static_cast<std::ptrdiff_t>(at), sjis.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x7F && byte != 0x1A && byte != 0x1C;
    });
}

const std::string& ShiftJisDecoder::toUtf8(std::string_view sjis)
{
    if (DecodesToItself(sjis)) {
        utf8_.assign(sjis);
        return utf8_;
    }
    // A byte or a pair of bytes gives at most one UTF-16 unit, a unit at most three UTF-8 bytes.
    units_.resize(sjis.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t units = ucnv_toUChars(converter_, units_.data(), static_cast<int32_t>(units_.size()), sjis.data(),
                                        static_cast<int32_t>(sjis.size()), &status);
    utf8_.resize(static_cast<std::size_t>(units) * 3 + 1);
    int32_t length = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8(utf8_.data(), static_cast<int32_t>(utf8_.size()), &length, units_.data(), units, &status);
    utf8_.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return utf8_;
}

const std::u16string& ShiftJisDecoder::toUtf16(std::string_view sjis)
{
    if (DecodesToItself(sjis)) {
        units_.assign(sjis.begin(), sjis.end());
        return units_;
    }
    // A byte or a pair of bytes gives at most one UTF-16 unit.
    units_.resize(sjis.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter_);
    const int32_t units = ucnv_toUChars(converter_, units_.data(), static_cast<int32_t>(units_.size()), sjis.data(),
                                        static_cast<int32_t>(sjis.size()), &status);
    units_.resize(U_SUCCESS(status) ? static_cast<std::size_t>(units) : 0);
    return units_;
}

std::u16string CaseFolded(std::string_view sjis)
{
    if (DecodesToItself(sjis)) {
        // Plain ASCII decodes to itself, and Unicode's folding of it is that of its capitals.
        std::u16string folded(sjis.begin(), sjis.end());
        for (char16_t& c : folded)
            if (c >= u'A' && c <= u'Z')
                c = static_cast<char16_t>(c - u'A' + u'a');
        return folded;
    }
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    icu::UnicodeString unicode(sjis.data(), static_cast<int32_t>(sjis.size()), shiftJis(), status);
    unicode.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(unicode.getBuffer(), static_cast<std::size_t>(unicode.length()));
}

}  // namespace quorvel
