#include "results/Answer.h"

#include "tests/support/AnswerFilling.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using build::FillAnswer;

std::vector<std::string> files(const std::vector<const HitRow*>& rows)
{
    std::vector<std::string> out;
    for (const HitRow* row : rows)
        out.emplace_back(row->texts[0].shown());
    return out;
}

TEST(CompareRowTexts, FoldsLatinCaseButComparesOtherBytesRaw)
{
    TextStore store;
    const auto compare = [&](std::string_view a, std::string_view b) {
        return CompareRowTexts(store.keep(Text::ShiftJis(a)), store.keep(Text::ShiftJis(b)));
    };
    EXPECT_EQ(compare("abc", "ABC"), 0);
    EXPECT_LT(compare("abc", "ABD"), 0);
    EXPECT_LT(compare("10", "9"), 0);
    // A stored zero byte counts as a byte and adds to the length.
    EXPECT_GT(CompareRowTexts(store.keep(Text::Stored(std::string_view("ab\0", 3))), store.keep(Text::ShiftJis("ab"))),
              0);
    // A word of the program sorts by its Shift-JIS form, beside file texts.
    EXPECT_EQ(CompareRowTexts(store.keep(Word("入手")), store.keep(Text::ShiftJis("\x93\xfc\x8e\xe8"))), 0);
    // Texts without a Shift-JIS form come after all others.
    EXPECT_GT(CompareRowTexts(store.keep(Word("🔥")), store.keep(Text::ShiftJis("\xff\xff"))), 0);
}

TEST(RowsInOrder, FilingOrderOrAColumnAscendingOrDescendingStably)
{
    Answer answer;
    FillAnswer(answer, {"first", "second"}, {{"b.wid", "C.wid", "a.wid", "B.wid"}, {}});
    EXPECT_EQ(files(RowsInOrder(answer, 0, {})), (std::vector<std::string>{"b.wid", "C.wid", "a.wid", "B.wid"}));
    EXPECT_EQ(files(RowsInOrder(answer, 0, {0, true})), (std::vector<std::string>{"B.wid", "a.wid", "C.wid", "b.wid"}))
        << "the number column turned round: the filing order backwards";
    EXPECT_EQ(files(RowsInOrder(answer, 0, {1})), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));
    EXPECT_EQ(files(RowsInOrder(answer, 0, {1, true})), (std::vector<std::string>{"C.wid", "b.wid", "B.wid", "a.wid"}))
        << "equal texts keep their filing order either way";
    EXPECT_TRUE(RowsInOrder(answer, 1, {1}).empty());
    EXPECT_TRUE(RowsInOrder(answer, 7, {1}).empty()) << "a line past the index has no rows";
}

}  // namespace
}  // namespace quorvel
