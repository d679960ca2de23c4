#include "results/ResultIndex.h"
#include "results/TextStore.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(TextStore, KeptTextsOutliveTheirSourcesAndAStoreThatHandedThemOver)
{
    TextStore answer;
    std::string_view early;
    std::string_view late;
    {
        TextStore run;
        std::string source = "Area1.wid";
        early = run.keep(source);
        source.assign(2000, 'x');  // longer than any chunk made so far
        late = run.keep(source);
        answer.adopt(std::move(run));
    }  // the source and the run's store are gone
    EXPECT_EQ(early, "Area1.wid");
    EXPECT_EQ(late, std::string(2000, 'x'));
    EXPECT_EQ(answer.keep("more"), "more") << "keeping goes on after taking texts over";
    EXPECT_TRUE(answer.keep("").empty());
}

TEST(TextStore, RowsShareWhatTheirColumnsKeptLately)
{
    TextStore store;
    const HitRow first = store.keepRow({"Area1.wid", "Town", "s[1]", "s", "入手", "1:誰か"});
    const HitRow second = store.keepRow({"Area1.wid", "Town", "s[1]", "t", "喪失", "1:誰か"});
    const HitRow third = store.keepRow({"Area1.wid", "Town", "s[1]", "u", "入手", "2:誰か"});
    for (std::size_t column : {0, 1, 2})
        EXPECT_EQ(second.texts[column].data(), first.texts[column].data()) << column;
    EXPECT_NE(second.texts[3].data(), first.texts[3].data());
    EXPECT_EQ(third.texts[4].data(), first.texts[4].data()) << "a kind word two rows back";
    EXPECT_EQ(third.texts[5], "2:誰か");
    EXPECT_EQ(second.texts[5].data(), first.texts[5].data());
}

TEST(ResultIndex, AFiledRowKeepsCopiesOfItsTexts)
{
    ResultIndex index;
    const int entry = index.add("1");
    {
        std::string file = "Area1.wid";
        std::string value = "2:誰か";
        index.fileRow(entry, HitRow{{file, "Town", "s[1]", "s", "入手", value}});
        file = "changed!!";
        value = "gone";
    }
    ASSERT_EQ(index.rows(entry).size(), 1u);
    EXPECT_EQ(index.rows(entry)[0].texts[0], "Area1.wid");
    EXPECT_EQ(index.rows(entry)[0].texts[5], "2:誰か");
}

}  // namespace
}  // namespace quorvel
