#include "results/ShiftJis.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

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
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    const int32_t needed = unicode.extract(nullptr, 0, shiftJis(), status);
    std::string sjis(static_cast<std::size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    unicode.extract(sjis.data(), needed, shiftJis(), status);
    return sjis;
}

std::u16string CaseFolded(std::string_view sjis)
{
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(shiftJis());
    icu::UnicodeString unicode(sjis.data(), static_cast<int32_t>(sjis.size()), shiftJis(), status);
    unicode.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(unicode.getBuffer(), static_cast<std::size_t>(unicode.length()));
}

std::string_view UpToFirstZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

}  // namespace quorvel
