#pragma once

#include <optional>
#include <string>
#include <string_view>

struct UConverter;  // ICU's

namespace quorvel {

// Shift-JIS (code page 932, ICU's "windows-31j"). Undecodable bytes get the
// converter's default substitution.

// The Shift-JIS form of UTF-8; nothing when a character has none (or the
// UTF-8 is not valid).
std::optional<std::string> ToShiftJis(std::string_view utf8);

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

    // The text as UTF-8; good until the next call.
    const std::string& toUtf8(std::string_view sjis);
    // The same text as UTF-16, decoded by the same converter; good until the next call.
    const std::u16string& toUtf16(std::string_view sjis);

private:
    ::UConverter* converter_;
    std::u16string units_;
    std::string utf8_;
};

// Whether the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Valid UTF-8 as UTF-16, invalid sequences as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// UTF-8 with each invalid sequence replaced by U+FFFD; valid UTF-8 as it is.
std::string ValidUtf8(std::string_view utf8);

}  // namespace quorvel
