#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvel {

// How the bytes of a text are to be read: Shift-JIS (code page 932), the
// encoding of the classic format's files, or Unicode as UTF-8, the encoding
// of the program's own words and of the XML format.
enum class TextEncoding : std::uint8_t { ShiftJis, Unicode };

// A text of a scenario or of the program: a view of its bytes, with their
// encoding and whether the last byte is one the format stores after the
// text (every text of a classic file ends in a zero byte, which is stored
// with it and is not part of what it says). The bytes live in whatever made
// the text: a data file, a summary, a store of an answer, a literal.
class Text {
public:
    constexpr Text() = default;

    // A text of a classic file, exactly as stored: its last byte, the zero
    // byte that ends it, is not part of what it says.
    static constexpr Text Stored(std::string_view bytes) { return Text(bytes, TextEncoding::ShiftJis, true); }
    // Shift-JIS bytes that are the whole text.
    static constexpr Text ShiftJis(std::string_view bytes) { return Text(bytes, TextEncoding::ShiftJis, false); }
    // UTF-8 that is the whole text.
    static constexpr Text Unicode(std::string_view utf8) { return Text(utf8, TextEncoding::Unicode, false); }
    constexpr Text(std::string_view bytes, TextEncoding encoding, bool endsInStoredByte)
        : data_(bytes.data()), size_(static_cast<std::uint32_t>(bytes.size())), encoding_(encoding),
          endsInStoredByte_(endsInStoredByte)
    {
    }

    // The same kind of text over other bytes.
    constexpr Text sameKindOver(std::string_view bytes) const { return Text(bytes, encoding_, endsInStoredByte_); }

    // Every byte, as stored.
    constexpr std::string_view bytes() const { return {data_, size_}; }
    constexpr TextEncoding encoding() const { return encoding_; }
    constexpr bool endsInStoredByte() const { return endsInStoredByte_; }

    // Nothing to say: no byte but the stored last one.
    constexpr bool empty() const { return withoutStoredLastByte().empty(); }
    // What the text says: without its stored last byte, whatever that byte
    // is; the text before anything is appended to it.
    constexpr std::string_view withoutStoredLastByte() const
    {
        return endsInStoredByte_ && size_ > 0 ? bytes().substr(0, size_ - 1) : bytes();
    }
    // Without a final zero byte, when it ends in one; a text stored without
    // it keeps all its bytes.
    constexpr std::string_view withoutFinalZero() const
    {
        return size_ > 0 && data_[size_ - 1] == '\0' ? bytes().substr(0, size_ - 1) : bytes();
    }
    // What a list shows of it: its bytes before the first zero byte.
    constexpr std::string_view shownBytes() const { return bytes().substr(0, bytes().find('\0')); }
    // The shown bytes as a text of their own.
    constexpr Text shownPart() const { return Text(shownBytes(), encoding_, false); }
    // Without the bytes 0x00 to 0x20 (zero bytes, line breaks, spaces) at
    // either end; bytes inside stay, and so do two-byte spaces. Such bytes
    // are one character alone in both encodings.
    constexpr std::string_view trimmed() const
    {
        std::string_view text = bytes();
        const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
        while (!text.empty() && blank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && blank(text.back()))
            text.remove_suffix(1);
        return text;
    }

    // Same bytes, same encoding; whether the last byte is a stored one does not count.
    constexpr bool sameBytesAs(const Text& other) const
    {
        return encoding_ == other.encoding_ && bytes() == other.bytes();
    }

private:
    // Sixteen bytes, as a view: the records of a file hold millions of texts.
    const char* data_ = "";
    std::uint32_t size_ = 0;
    TextEncoding encoding_ = TextEncoding::ShiftJis;
    bool endsInStoredByte_ = false;
    // Makes every byte a member, so that a copy moves whole words: on a
    // 64-bit machine fourteen bytes are copied as two overlapping moves, and
    // the second cannot take its bytes from the two stores just made (a
    // stall on every text a reader lays down).
    [[maybe_unused]] std::uint16_t unusedTail_ = 0;
};
static_assert(sizeof(Text) == sizeof(const char*) + 8, "every byte of a text is a member");

// A text that owns its bytes: a copy, or a label or joined text the program made.
struct OwnedText {
    std::string bytes;
    TextEncoding encoding = TextEncoding::Unicode;
    bool endsInStoredByte = false;

    static OwnedText Of(const Text& text)
    {
        return {std::string(text.bytes()), text.encoding(), text.endsInStoredByte()};
    }
    Text text() const { return Text(bytes, encoding, endsInStoredByte); }
};

// A word of the program (a UTF-8 literal) as a text.
constexpr Text Word(std::string_view utf8)
{
    return Text::Unicode(utf8);
}

// The bytes of the texts one after another, in one encoding: the parts'
// own when they share it. A Shift-JIS part keeps its bytes as stored, so a
// word of the program joined to one is written in Shift-JIS; when such a
// word has no Shift-JIS form, every part is decoded to Unicode instead.
OwnedText JoinTexts(std::initializer_list<Text> parts);

// "<text>[<number>]", the text without its stored last byte.
OwnedText IndexedLabel(const Text& text, long long number);

// The text as UTF-8, up to its first zero byte: what a list shows. Bytes
// that are not valid in the text's encoding show as the substitutes of the
// conversion.
std::string ShownForm(const Text& text);

// The bytes that decide whether two names are the same name: the text's
// Shift-JIS form without its zero bytes, so a name of any file equals the
// same name of any other; for a text that has no Shift-JIS form, a zero
// byte (which no Shift-JIS form holds) and then its UTF-8. `scratch` keeps
// the bytes when they are not the text's own.
std::string_view NameKey(const Text& text, std::string& scratch);

// `bytes` (the text's own, or a part of them) decoded and case-folded
// (Unicode default folding), for comparing without regard to letter case:
// Latin, full-width Latin, Greek, Cyrillic. Bytes are never folded one by
// one: a Shift-JIS trail byte may look like an ASCII letter.
std::u16string CaseFolded(const Text& text, std::string_view bytes);

// Whether a name key is that of a text without a Shift-JIS form.
constexpr bool HasNoShiftJisForm(std::string_view nameKey)
{
    return !nameKey.empty() && nameKey.front() == '\0';
}

}  // namespace quorvel
