#include "scenario/Text.h"
#include "scenario/ShiftJis.h"

#include "tests/support/TextEquality.h"
#include "tools/builder/Encoding.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

using namespace std::literals;

std::string sj(const char* utf8)
{
    return build::Sjis(utf8);
}

// What ICU makes of Shift-JIS bytes, converted on its own.
std::string icuUtf8(const std::string& sjis)
{
    std::string utf8;
    icu::UnicodeString(sjis.data(), static_cast<int32_t>(sjis.size()), "windows-31j").toUTF8String(utf8);
    return utf8;
}

TEST(Text, StoredTextsEndInAByteThatIsNotPartOfWhatTheySay)
{
    const std::string herb = sj("薬草");
    for (const Text& empty : {Text::Stored(""), Text::Stored("\0"sv)}) {
        EXPECT_TRUE(empty.empty());
        EXPECT_EQ(empty.withoutStoredLastByte(), "");
        EXPECT_EQ(ShownForm(empty), "");
    }
    const std::string stored = herb + '\0';
    const Text text = Text::Stored(stored);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.bytes(), stored) << "every stored byte stays";
    EXPECT_EQ(text.withoutStoredLastByte(), herb);
    EXPECT_EQ(text.withoutFinalZero(), herb);
    EXPECT_EQ(ShownForm(text), "薬草");
    EXPECT_EQ(IndexedLabel(text, 3).text(), herb + "[3]");

    // A text stored without its zero byte: the last byte is dropped all the
    // same where the rules drop it, but a final zero is dropped only when there.
    const Text noZero = Text::Stored("ab");
    EXPECT_FALSE(noZero.empty());
    EXPECT_EQ(noZero.withoutStoredLastByte(), "a");
    EXPECT_EQ(noZero.withoutFinalZero(), "ab");
    EXPECT_EQ(IndexedLabel(noZero, 1).text(), "a[1]");
    EXPECT_TRUE(Text::Stored("a").empty()) << "a one-byte stored text says nothing";
}

TEST(Text, ShowsUpToTheFirstZeroAndKeepsLineBreaksInside)
{
    const std::string lines = sj("一行目\r\n二行目\r\n");
    EXPECT_EQ(ShownForm(Text::Stored(lines + '\0')), "一行目\r\n二行目\r\n");
    const std::string withZeros = "ab\0cd\0"s;
    const Text inside = Text::Stored(withZeros);
    EXPECT_EQ(inside.shownBytes(), "ab");
    EXPECT_EQ(inside.withoutStoredLastByte(), "ab\0cd"s) << "a zero inside is a byte like any other";
    EXPECT_EQ(ShownForm(inside), "ab");
    const std::string blanks = "\r\n x \t\0"s;
    EXPECT_EQ(Text::Stored(blanks).trimmed(), "x");
    const std::string wideSpaces = sj("　x　");
    EXPECT_EQ(Text::ShiftJis(wideSpaces).trimmed(), wideSpaces) << "two-byte spaces stay";
}

TEST(Text, InvalidShiftJisShowsAsTheConverterSubstitutesIt)
{
    for (const std::string& bytes : {"\x81"s, "\x82\xa0\x80"s, "\xff\xfe"s,
                                     "a\x1A"
                                     "b"s,
                                     "\x7F"s}) {
        const Text text = Text::ShiftJis(bytes);
        EXPECT_EQ(ShownForm(text), icuUtf8(bytes)) << bytes;
        EXPECT_FALSE(ShownForm(text).empty());
    }
}

TEST(Text, AUnicodeTextWithoutAZeroByteGoesThroughEveryOperation)
{
    const Text name = Text::Unicode("灯台の火");
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.withoutStoredLastByte(), "灯台の火") << "nothing is dropped";
    EXPECT_EQ(name.withoutFinalZero(), "灯台の火");
    EXPECT_EQ(ShownForm(name), "灯台の火");
    EXPECT_EQ(IndexedLabel(name, 2).text(), "灯台の火[2]");
    EXPECT_EQ(IndexedLabel(name, 2).encoding, TextEncoding::Unicode);
    EXPECT_EQ(Text::Unicode(" \n灯台\r\n").trimmed(), "灯台");
    EXPECT_TRUE(Text::Unicode("").empty());

    // Names are the same name in either encoding, a stored zero byte aside.
    std::string a, b;
    EXPECT_EQ(NameKey(name, a), NameKey(Text::Stored(sj("灯台の火") + '\0'), b));
    // A character outside Shift-JIS keeps the name apart from every Shift-JIS name.
    const Text outside = Text::Unicode("火🔥");
    EXPECT_TRUE(HasNoShiftJisForm(NameKey(outside, a)));
    EXPECT_EQ(NameKey(outside, a), "\0火🔥"s);
    EXPECT_EQ(ShownForm(outside), "火🔥");
    EXPECT_EQ(CaseFolded(Text::Unicode("ＡＢc"), "ＡＢc"), CaseFolded(Text::ShiftJis(sj("ａｂC")), sj("ａｂC")));
}

TEST(Text, JoinedTextsKeepTheStoredBytesOfTheirShiftJisParts)
{
    const std::string value = sj("決戦前夜") + '\0';
    const OwnedText joined = JoinTexts({Word("＞"), Text::Stored(value)});
    EXPECT_EQ(joined.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(joined.bytes, sj("＞") + value);
    EXPECT_EQ(JoinTexts({Word("a"), Word("い")}).encoding, TextEncoding::Unicode);
    // A word without a Shift-JIS form turns the whole text to Unicode.
    const OwnedText mixed = JoinTexts({Word("🔥"), Text::ShiftJis(sj("火"))});
    EXPECT_EQ(mixed.encoding, TextEncoding::Unicode);
    EXPECT_EQ(mixed.bytes, "🔥火");
}

TEST(ShiftJis, EncodesStrictlyAndDecodesAsIcuDoes)
{
    EXPECT_EQ(ToShiftJis("チェック！"), sj("チェック！"));
    EXPECT_EQ(ToShiftJis("チェック！")->size(), 10u);
    EXPECT_FALSE(ToShiftJis("🔥").has_value());
    EXPECT_FALSE(ToShiftJis("\xff"s).has_value()) << "not UTF-8";
    ShiftJisDecoder decoder;
    std::vector<std::string> samples = {"", "abc\\~", sj("勇者の剣　ｱｲｳ"), "\x82", "\x82\xa0\x80", "\xff\xfe"};
    for (int byte = 0; byte < 256; ++byte)
        samples.push_back("abcdefgh"s + static_cast<char>(byte) + "ij");
    for (const std::string& sample : samples) {
        EXPECT_EQ(decoder.toUtf8(sample), icuUtf8(sample)) << sample;
        const icu::UnicodeString utf16 = icu::UnicodeString::fromUTF8(icuUtf8(sample));
        EXPECT_EQ(decoder.toUtf16(sample), std::u16string(utf16.getBuffer(), static_cast<std::size_t>(utf16.length())))
            << sample;
    }
}

TEST(CaseFolded, PlainAsciiFoldsAsUnicodeFoldsIt)
{
    // A full-width letter sends the whole text through ICU; the ASCII part alone takes the short way.
    std::string ascii;
    for (int c = 0x20; c < 0x7F; ++c)
        ascii += static_cast<char>(c);
    const std::string wide = sj("Ａ");
    const auto folded = [](const std::string& sjis) { return CaseFolded(Text::ShiftJis(sjis), sjis); };
    EXPECT_EQ(folded(wide + ascii), folded(wide) + folded(ascii));
    EXPECT_EQ(folded("Gate"), folded("gATE"));
}

// Eight bytes are looked at together: a byte the converter changes is
// found wherever it stands, in a whole word or in the tail after it.
TEST(ShiftJis, AByteThatDoesNotDecodeToItselfIsFoundAtEveryPosition)
{
    const std::string plain(19, 'a');
    EXPECT_TRUE(DecodesToItself(plain));
    for (const char changed : {'\x7F', '\x1A', '\x1C', '\x80', '\x83', '\xFF'})
        for (std::size_t at = 0; at < plain.size(); ++at) {
            std::string text = plain;
            text[at] = changed;
            EXPECT_FALSE(DecodesToItself(text)) << "byte " << int(static_cast<unsigned char>(changed)) << " at " << at;
            // The same byte value elsewhere in a neighbouring byte does not hide it or stand for it.
            EXPECT_EQ(DecodesToItself(std::string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at))), true);
        }
    EXPECT_TRUE(DecodesToItself(std::string("\x1B\x1D\x19\x7E\x01 ~}{", 10)));
}

}  // namespace
}  // namespace quorvel
