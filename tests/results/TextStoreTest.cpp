#include "results/TextStore.h"
#include "results/ResultIndex.h"
#include "scenario/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(TextStore, KeptTextsOutliveTheirSourcesAndAStoreThatHandedThemOver)
{
    TextStore answer;
    KeptText early;
    KeptText late;
    {
        TextStore run;
        std::string source = "Area1.wid";
        early = run.keep(source);
        source.assign(2000, 'x');  // longer than any chunk made so far
        late = run.keep(source);
        answer.adopt(std::move(run));
    }  // the source and the run's store are gone
    EXPECT_EQ(early.stored(), "Area1.wid");
    EXPECT_EQ(late.shown(), std::string(2000, 'x'));
    EXPECT_EQ(answer.keep("more").stored(), "more") << "keeping goes on after taking texts over";
    EXPECT_EQ(early.shown(), "Area1.wid");
}

TEST(TextStore, ShowsTheBytesUpToTheFirstZeroByteDecodedFromShiftJis)
{
    TextStore store;
    const std::string herb = Utf8ToSjis("薬草");
    const KeptText stored = store.keep(herb + '\0');
    EXPECT_EQ(stored.stored(), herb + '\0');
    EXPECT_EQ(stored.shown(), "薬草");
    EXPECT_EQ(store.keep(std::string("ab\0cd", 5)).shown(), "ab");
    EXPECT_EQ(store.keep(std::string("\0", 1)).shown(), "");
    EXPECT_EQ(store.keep(std::string("\0", 1)).stored(), std::string("\0", 1));
    EXPECT_EQ(store.keep("").stored(), "");
    EXPECT_EQ(KeptText().shown(), "");
    // Control bytes the converter exchanges are decoded, not passed through.
    EXPECT_EQ(store
                  .keep("a\x1A"
                        "b")
                  .shown(),
              SjisToUtf8("a\x1A"
                         "b"));
}

TEST(TextStore, TellsShownFormsThatHoldCharactersTextFormatsEscape)
{
    TextStore store;
    EXPECT_TRUE(KeptText().shownIsPlain());
    EXPECT_TRUE(store.keep(Utf8ToSjis("薬草") + '\0').shownIsPlain());
    EXPECT_TRUE(store.keep(std::string("ab\0\"\x01", 5)).shownIsPlain()) << "only the shown bytes count";
    for (const char* special : {"say \"hi\"", "C:\\", "tab\t", "\x1F", "a\x1A"})
        EXPECT_FALSE(store.keep(special).shownIsPlain()) << special;
    const KeptText kept = store.keep(std::string("x\"\0", 3));
    EXPECT_EQ(kept.stored(), std::string("x\"\0", 3)) << "the size stays whole";
}

TEST(TextStore, EveryRowKeepsItsOwnTextsWhateverItsColumnsKeptBefore)
{
    TextStore store;
    const char* values[] = {"1:誰か", "2:誰か", "1:誰か", "all:全員", "3:誰か", "1:誰か", "2:誰か"};
    std::vector<std::array<KeptText, 6>> rows;
    for (const char* value : values)
        rows.push_back(store.keepRow({"Area1.wid", "Town", "s[1]", Utf8ToSjis(value), "k", Utf8ToSjis(value)}));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r][0].stored(), "Area1.wid");
        EXPECT_EQ(rows[r][3].shown(), values[r]);
        EXPECT_EQ(rows[r][5].shown(), values[r]) << r;
    }
}

TEST(ResultIndex, AFiledRowKeepsCopiesOfItsTexts)
{
    ResultIndex index;
    const EntryId entry = index.add("1");
    {
        std::string file = "Area1.wid";
        std::string value = Utf8ToSjis("2:誰か");
        index.fileRow(entry, RowTexts{file, "Town", "s[1]", "s", "k", value});
        file = "changed!!";
        value = "gone";
    }
    ASSERT_EQ(index.rows(0).size(), 1u);
    EXPECT_EQ(index.rows(0)[0].texts[0].stored(), "Area1.wid");
    EXPECT_EQ(index.rows(0)[0].texts[5].shown(), "2:誰か");
}

}  // namespace
}  // namespace quorvel
