#include "scenario/ShiftJis.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

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

UConverter* openShiftJis()
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* opened = ucnv_open("windows-31j", &status);
    if (U_FAILURE(status))
        throw std::runtime_error("ICU has no windows-31j converter");
    return opened;
}

// A converter that refuses characters without a Shift-JIS form rather than
// substituting them. ICU converters keep state, so each thread has its own.
UConverter* strictEncoder()
{
    thread_local const std::unique_ptr<UConverter, ConverterCloser> converter = [] {
        std::unique_ptr<UConverter, ConverterCloser> opened(openShiftJis());
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(opened.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        return opened;
    }();
    return converter.get();
}

}  // namespace

bool IsValidUtf8(std::string_view utf8)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    for (int32_t at = 0; at < length;) {
        UChar32 c;
        U8_NEXT(bytes, at, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

std::optional<std::string> ToShiftJis(std::string_view utf8)
{
    if (DecodesToItself(utf8))
        return std::string(utf8);
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    const std::u16string units = Utf8ToUtf16(utf8);
    UConverter* encoder = strictEncoder();
    ucnv_reset(encoder);
    // A UTF-16 unit gives at most two Shift-JIS bytes.
    std::string sjis(units.size() * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(encoder, sjis.data(), static_cast<int32_t>(sjis.size()), units.data(),
                                           static_cast<int32_t>(units.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    sjis.resize(static_cast<std::size_t>(length));
    return sjis;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    const icu::UnicodeString unicode
        = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return std::u16string(unicode.getBuffer(), static_cast<std::size_t>(unicode.length()));
}

std::string ValidUtf8(std::string_view utf8)
{
    if (IsValidUtf8(utf8))
        return std::string(utf8);
    std::string valid;
    icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size()))).toUTF8String(valid);
    return valid;
}

ShiftJisDecoder::ShiftJisDecoder() : converter_(openShiftJis()) { }

ShiftJisDecoder::~ShiftJisDecoder()
{
    ucnv_close(converter_);
}

namespace {

// Whether a byte decodes to the same character: bytes below 0x80 are the
// same characters in both, but for three control bytes the converter
// exchanges (0x1A, 0x1C and 0x7F).
bool decodesToItself(unsigned char byte)
{
    return byte < 0x7F && byte != 0x1A && byte != 0x1C;
}

// Whether any of eight bytes below 0x80 equals `byte` (each byte minus
// one borrows into its top bit only where it was zero).
bool holdsByte(std::uint64_t eight, unsigned char byte)
{
    constexpr std::uint64_t Ones = 0x0101010101010101;
    constexpr std::uint64_t Tops = 0x8080808080808080;
    const std::uint64_t zeroWhereEqual = eight ^ (Ones * byte);
    return ((zeroWhereEqual - Ones) & ~zeroWhereEqual & Tops) != 0;
}

}  // namespace

bool DecodesToItself(std::string_view sjis)
{
    // Every text a command keeps is looked at: eight bytes at a time.
    std::size_t at = 0;
    for (; at + 8 <= sjis.size(); at += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, sjis.data() + at, sizeof eight);
        if ((eight & 0x8080808080808080) != 0 || holdsByte(eight, 0x7F) || holdsByte(eight, 0x1A)
            || holdsByte(eight, 0x1C))
            return false;
    }
    return std::all_of(sjis.begin() + static_cast<std::ptrdiff_t>(at), sjis.end(),
                       [](char c) { return decodesToItself(static_cast<unsigned char>(c)); });
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
    ucnv_reset(converter_);
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

}  // namespace quorvel
