#include "scenario/Text.h"

#include "base/AsciiCase.h"
#include "scenario/ShiftJis.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace quorvel {

namespace {

// Each thread decodes with a converter of its own.
ShiftJisDecoder& decoderOfThisThread()
{
    thread_local ShiftJisDecoder decoder;
    return decoder;
}

std::string utf8Of(const Text& text)
{
    if (text.encoding() == TextEncoding::Unicode)
        return ValidUtf8(text.bytes());
    return decoderOfThisThread().toUtf8(text.bytes());
}

}  // namespace

OwnedText JoinTexts(std::initializer_list<Text> parts)
{
    const bool anyShiftJis = std::any_of(parts.begin(), parts.end(),
                                         [](const Text& part) { return part.encoding() == TextEncoding::ShiftJis; });
    OwnedText joined{{}, anyShiftJis ? TextEncoding::ShiftJis : TextEncoding::Unicode};
    for (const Text& part : parts) {
        if (part.encoding() == joined.encoding) {
            joined.bytes.append(part.bytes());
            continue;
        }
        if (std::optional<std::string> sjis = ToShiftJis(part.bytes())) {
            joined.bytes.append(*sjis);
            continue;
        }
        // A word without a Shift-JIS form: everything in Unicode.
        joined = {{}, TextEncoding::Unicode};
        for (const Text& each : parts)
            joined.bytes.append(utf8Of(each));
        break;
    }
    return joined;
}

OwnedText IndexedLabel(const Text& text, long long number)
{
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    const std::string_view said = text.withoutStoredLastByte();
    OwnedText label{{}, text.encoding()};
    label.bytes.reserve(said.size() + static_cast<std::size_t>(written - digits) + 2);
    label.bytes.append(said).append(1, '[').append(digits, written).append(1, ']');
    return label;
}

std::string ShownForm(const Text& text)
{
    const std::string_view shown = text.shownBytes();
    if (text.encoding() == TextEncoding::Unicode)
        return ValidUtf8(shown);
    return decoderOfThisThread().toUtf8(shown);
}

std::string_view NameKey(const Text& text, std::string& scratch)
{
    std::string_view bytes = text.bytes();
    if (const std::size_t zero = bytes.find('\0'); zero != std::string_view::npos) {
        if (zero + 1 == bytes.size()) {
            bytes.remove_suffix(1);  // the one zero byte ends the text, as in every classic file
        } else {
            scratch.assign(bytes);
            scratch.erase(std::remove(scratch.begin(), scratch.end(), '\0'), scratch.end());
            bytes = scratch;
        }
    }
    if (text.encoding() == TextEncoding::ShiftJis || DecodesToItself(bytes))
        return bytes;
    if (std::optional<std::string> sjis = ToShiftJis(bytes)) {
        scratch = std::move(*sjis);
        return scratch;
    }
    scratch = '\0' + ValidUtf8(bytes);
    return scratch;
}

std::u16string CaseFolded(const Text& text, std::string_view bytes)
{
    std::u16string folded;
    if (DecodesToItself(bytes)) {
        // Plain ASCII is the same in both encodings, and Unicode's folding of it is that of its capitals.
        folded.reserve(bytes.size());
        for (const char c : bytes)
            folded.push_back(static_cast<char16_t>(static_cast<unsigned char>(AsciiLower(c))));
        return folded;
    }
    icu::UnicodeString unicode = text.encoding() == TextEncoding::Unicode
        ? icu::UnicodeString::fromUTF8(icu::StringPiece(bytes.data(), static_cast<int32_t>(bytes.size())))
        : [&] {
              const std::u16string& units = decoderOfThisThread().toUtf16(bytes);
              return icu::UnicodeString(units.data(), static_cast<int32_t>(units.size()));
          }();
    unicode.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(unicode.getBuffer(), static_cast<std::size_t>(unicode.length()));
}

}  // namespace quorvel
