#include "scenario/ShiftJis.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

std::string sj(const char* utf8)
{
    return Utf8ToSjis(utf8);
}

TEST(ShiftJis, DecodesUpToTheFirstZeroByteAndKeepsLineBreaks)
{
    EXPECT_EQ(SjisToUtf8(UpToFirstZero(sj("未定義") + '\0' + "tail")), "未定義");
    EXPECT_EQ(SjisToUtf8(sj("一行目\r\n二行目\r\n")), "一行目\r\n二行目\r\n");
    EXPECT_FALSE(SjisToUtf8(std::string("\x81", 1)).empty());
    EXPECT_EQ(sj("チェック！").size(), 10u);
}

TEST(ShiftJisDecoder, GivesWhatTheConverterGives)
{
    ShiftJisDecoder decoder;
    std::vector<std::string> samples = {"", "abc\\~", Utf8ToSjis("勇者の剣　ｱｲｳ"), "\x82", "\x82\xa0\x80", "\xff\xfe"};
    // Every byte at places inside and past a word of eight, where the test for plain ASCII looks.
    for (int byte = 0; byte < 256; ++byte)
        for (const std::size_t at : {0u, 7u, 8u, 13u, 16u}) {
            std::string sample = "abcdefghijklmnopq";
            sample[at] = static_cast<char>(byte);
            samples.push_back(sample);
        }
    for (const std::string& sample : samples) {
        EXPECT_EQ(decoder.toUtf8(sample), SjisToUtf8(sample)) << sample;
        const icu::UnicodeString utf16 = icu::UnicodeString::fromUTF8(SjisToUtf8(sample));
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
    EXPECT_EQ(CaseFolded(wide + ascii), CaseFolded(wide) + CaseFolded(ascii));
    EXPECT_EQ(CaseFolded("Gate"), CaseFolded("gATE"));
}

}  // namespace
}  // namespace quorvel
