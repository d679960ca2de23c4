#include "results/TextStore.h"
#include "results/ResultIndex.h"

#include "tests/support/TextEquality.h"
#include "tools/builder/Encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

using namespace std::literals;

TEST(TextStore, KeptTextsOutliveTheirSourcesAndAStoreThatHandedThemOver)
{
    TextStore answer;
    KeptText early;
    KeptText late;
    {
        TextStore run;
        std::string source = "Area1.wid";
        early = run.keep(Text::Unicode(source));
        source.assign(2000, 'x');  // longer than any chunk made so far
        late = run.keep(Text::ShiftJis(source));
        answer.adopt(std::move(run));
    }  // the source and the run's store are gone
    EXPECT_EQ(early.text(), "Area1.wid");
    EXPECT_EQ(late.shown(), std::string(2000, 'x'));
    EXPECT_EQ(answer.keep(Word("more")).text(), "more") << "keeping goes on after taking texts over";
    EXPECT_EQ(early.shown(), "Area1.wid");
}

TEST(TextStore, ShowsTheBytesUpToTheFirstZeroByteDecodedFromShiftJis)
{
    TextStore store;
    const std::string herb = build::Sjis("薬草") + '\0';
    const KeptText stored = store.keep(Text::Stored(herb));
    EXPECT_EQ(stored.text(), herb);
    EXPECT_TRUE(stored.text().endsInStoredByte());
    EXPECT_EQ(stored.sortBytes(), herb) << "a Shift-JIS text sorts by its stored bytes";
    EXPECT_EQ(stored.shown(), "薬草");
    EXPECT_EQ(store.keep(Text::ShiftJis("ab\0cd"sv)).shown(), "ab");
    EXPECT_EQ(store.keep(Text::Stored("\0"sv)).shown(), "");
    EXPECT_EQ(store.keep(Text::Stored("\0"sv)).text(), "\0"sv);
    EXPECT_EQ(store.keep(Text::ShiftJis("")).text(), "");
    EXPECT_EQ(KeptText().shown(), "");
    // Control bytes the converter exchanges are decoded, not passed through.
    EXPECT_EQ(store
                  .keep(Text::ShiftJis("a\x1A"
                                       "b"))
                  .shown(),
              build::Utf8("a\x1A"
                          "b"));
}

TEST(TextStore, UnicodeTextsShowAsTheyAreAndSortByTheirShiftJisForm)
{
    TextStore store;
    const KeptText word = store.keep(Word("入手"));
    EXPECT_EQ(word.shown(), "入手");
    EXPECT_EQ(word.sortBytes(), build::Sjis("入手"));
    EXPECT_TRUE(word.hasShiftJisForm());
    EXPECT_EQ(word.text().encoding(), TextEncoding::Unicode);
    const KeptText outside = store.keep(Word("火🔥"));
    EXPECT_FALSE(outside.hasShiftJisForm());
    EXPECT_EQ(outside.shown(), "火🔥");
    EXPECT_EQ(store
                  .keep(Text::Unicode("a\xff"
                                      "b"sv))
                  .shown(),
              "a\xEF\xBF\xBD"
              "b")
        << "invalid UTF-8 shows U+FFFD";
}

TEST(TextStore, KeepsEveryFormWholeAcrossTheSizeOfAByte)
{
    // Each form on either side of 255 bytes, alone or with the others.
    TextStore store;
    for (const std::size_t count : {1, 85, 86, 127, 128, 255, 256, 300}) {
        const std::string ascii(count, 'a');
        std::string herbs;
        for (std::size_t i = 0; i < count; ++i)
            herbs += "薬";
        const KeptText plain = store.keep(Text::ShiftJis(ascii));
        EXPECT_EQ(plain.text(), ascii);
        EXPECT_EQ(plain.shown(), ascii);
        EXPECT_EQ(plain.sortBytes(), ascii);
        const KeptText shiftJis = store.keep(Text::Stored(build::Sjis(herbs) + '\0'));
        EXPECT_EQ(shiftJis.text(), build::Sjis(herbs) + '\0') << count;
        EXPECT_EQ(shiftJis.shown(), herbs) << count;
        EXPECT_EQ(shiftJis.sortBytes(), build::Sjis(herbs) + '\0') << count;
        EXPECT_TRUE(shiftJis.text().endsInStoredByte());
        const KeptText unicode = store.keep(Text::Unicode("\"" + herbs));
        EXPECT_EQ(unicode.text(), "\"" + herbs) << count;
        EXPECT_EQ(unicode.shown(), "\"" + herbs) << count;
        EXPECT_EQ(unicode.sortBytes(), "\"" + build::Sjis(herbs)) << count;
        EXPECT_FALSE(unicode.shownIsPlain());
        const KeptText invalid = store.keep(Text::Unicode(herbs + "\xff"));
        EXPECT_EQ(invalid.shown(), herbs + "\xEF\xBF\xBD") << count;
        EXPECT_FALSE(invalid.hasShiftJisForm());
        EXPECT_EQ(invalid.sortBytes(), herbs + "\xff") << count;
    }
}

TEST(TextStore, TellsShownFormsThatHoldCharactersTextFormatsEscape)
{
    TextStore store;
    EXPECT_TRUE(KeptText().shownIsPlain());
    EXPECT_TRUE(store.keep(Text::Stored(build::Sjis("薬草") + '\0')).shownIsPlain());
    EXPECT_TRUE(store.keep(Text::ShiftJis("ab\0\"\x01"sv)).shownIsPlain()) << "only the shown bytes count";
    for (const char* special : {"say \"hi\"", "C:\\", "tab\t", "\x1F", "a\x1A"})
        EXPECT_FALSE(store.keep(Text::ShiftJis(special)).shownIsPlain()) << special;
    const KeptText kept = store.keep(Text::ShiftJis("x\"\0"sv));
    EXPECT_EQ(kept.text(), "x\"\0"sv) << "the size stays whole";
}

TEST(TextStore, EveryRowKeepsItsOwnTextsWhateverItsColumnsKeptBefore)
{
    TextStore store;
    const char* values[] = {"1:誰か", "2:誰か", "1:誰か", "all:全員", "3:誰か", "1:誰か", "2:誰か"};
    std::vector<std::array<KeptText, RowTextCount>> rows;
    for (const char* value : values) {
        const std::string sjis = build::Sjis(value);
        rows.push_back(store.keepRow(
            {Word("Area1.wid"), Word("Town"), Word("s[1]"), Text::ShiftJis(sjis), Word("k"), Text::Unicode(value)}));
    }
    // The same bytes in another encoding are another text.
    const auto last = store.keepRow({Word("Area1.wid"), Word("Town"), Word("s[1]"), Text::Unicode("2:誰か"), Word("k"),
                                     Text::ShiftJis(build::Sjis("2:誰か"))});
    EXPECT_EQ(last[3].text().encoding(), TextEncoding::Unicode);
    EXPECT_EQ(last[5].text().encoding(), TextEncoding::ShiftJis);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r][0].text(), "Area1.wid");
        EXPECT_EQ(rows[r][3].shown(), values[r]);
        EXPECT_EQ(rows[r][5].shown(), values[r]) << r;
    }
}

}  // namespace
}  // namespace quorvel
