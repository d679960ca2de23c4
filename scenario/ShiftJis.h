#pragma once

#include <string>
#include <string_view>

struct UConverter;  // ICU's

namespace quorvel {

// Shift-JIS (code page 932, ICU's "windows-31j") conversions. Undecodable
// bytes get the converter's default substitution.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

// True when every byte is a character below 0x7F that the converter gives
// back as it is (all but the control bytes 0x1A and 0x1C, which it
// exchanges): such a text is its own UTF-8.
bool DecodesToItself(std::string_view sjis);

// Decodes many texts with one converter into one reused buffer: for
// writing long answers without an allocation per text.
class ShiftJisDecoder {
public:
    ShiftJisDecoder();
    ~ShiftJisDecoder();
    ShiftJisDecoder(const ShiftJisDecoder&) = delete;
    ShiftJisDecoder& operator=(const ShiftJisDecoder&) = delete;

    // The text as UTF-8, exactly as SjisToUtf8 gives it; good until the next call.
    const std::string& toUtf8(std::string_view sjis);
    // The same text as UTF-16, decoded by the same converter; good until the next call.
    const std::u16string& toUtf16(std::string_view sjis);

private:
    ::UConverter* converter_;
    std::u16string units_;
    std::string utf8_;
};

// The text decoded and case-folded (Unicode default folding), for comparing
// without regard to letter case: Latin, full-width Latin, Greek, Cyrillic.
// Bytes are never folded: a trail byte may look like an ASCII letter.
std::u16string CaseFolded(std::string_view sjis);

// What a list shows of a stored text: its bytes up to the first zero byte.
inline std::string_view UpToFirstZero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

}  // namespace quorvel
