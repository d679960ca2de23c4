#include "app/ListState.h"

#include "tests/support/AnswerFilling.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using build::FillAnswer;
using Files = std::vector<std::string>;

Files shownFiles(const ListState& lists)
{
    Files out;
    for (const HitRow* row : lists.rows())
        out.emplace_back(row->texts[0].shown());
    return out;
}

// An answer of two names, the first with rows filed out of name order.
void fill(Answer& answer)
{
    FillAnswer(answer, {"first", "second"}, {{"b.wid", "C.wid", "a.wid", "B.wid"}, {}});
}

TEST(ListState, FirstDisplayKeepsFilingOrder)
{
    Answer answer;
    ListState lists(answer);
    fill(answer);
    EXPECT_TRUE(lists.rows().empty());
    EXPECT_EQ(lists.shownLine(), -1);
    lists.selectLine(0);
    EXPECT_EQ(lists.shownLine(), 0);
    EXPECT_EQ(shownFiles(lists), (Files{"b.wid", "C.wid", "a.wid", "B.wid"}));
    lists.selectLine(1);
    EXPECT_TRUE(lists.rows().empty());
    lists.selectLine(9);
    EXPECT_EQ(lists.selectedLine(), -1) << "a line past the list selects nothing";
}

TEST(ListState, ASecondClickTurnsTheOrderRoundAndTheChoiceHoldsForTheNextAnswer)
{
    Answer answer;
    ListState lists(answer);
    fill(answer);
    lists.selectLine(0);
    lists.clickColumn(1);
    EXPECT_EQ(shownFiles(lists), (Files{"a.wid", "b.wid", "B.wid", "C.wid"}));
    lists.clickColumn(1);
    EXPECT_EQ(shownFiles(lists), (Files{"C.wid", "b.wid", "B.wid", "a.wid"}));
    lists.clickColumn(1);
    EXPECT_EQ(shownFiles(lists), (Files{"a.wid", "b.wid", "B.wid", "C.wid"}));

    lists.forgetAnswer();
    fill(answer);  // a new answer: the order stays
    EXPECT_EQ(lists.order().column, 1);
    lists.selectLine(0);
    EXPECT_EQ(shownFiles(lists), (Files{"a.wid", "b.wid", "B.wid", "C.wid"}));
}

TEST(ListState, TheNumberColumnBringsTheFilingOrderBack)
{
    Answer answer;
    ListState lists(answer);
    FillAnswer(answer, {"k"}, {{"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11"}});
    lists.selectLine(0);
    lists.clickColumn(1);
    ASSERT_EQ(shownFiles(lists)[2], "f10") << "sorted as texts";
    lists.clickColumn(0);
    EXPECT_EQ(shownFiles(lists), (Files{"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11"}));
    lists.clickColumn(0);
    EXPECT_EQ(shownFiles(lists).front(), "f11") << "a second click turns the filing order round";
    EXPECT_TRUE(lists.order().descending);
}

TEST(ListState, SelectingTheShownLineAgainDoesNotRefill)
{
    Answer answer;
    ListState lists(answer);
    fill(answer);
    lists.selectLine(0);
    const std::vector<const HitRow*> shown = lists.rows();
    lists.selectLine(0);
    EXPECT_EQ(lists.rows(), shown);
}

TEST(ListState, ReselectsTheLineAtTheSamePositionAfterARun)
{
    Answer answer;
    ListState lists(answer);
    int names = 6;
    const auto command = [&] {
        lists.forgetAnswer();
        std::vector<std::string> lines;
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < names; ++i) {
            lines.push_back("name" + std::to_string(i));
            rows.push_back({"file" + std::to_string(i)});
        }
        FillAnswer(answer, lines, rows);
        return true;
    };
    command();
    lists.selectLine(5);
    lists.reselectAfter(command);
    EXPECT_EQ(lists.selectedLine(), 5);
    EXPECT_EQ(lists.shownLine(), 5);
    EXPECT_EQ(shownFiles(lists), (Files{"file5"}));

    names = 3;
    lists.reselectAfter(command);
    EXPECT_EQ(lists.selectedLine(), -1);
    EXPECT_EQ(lists.shownLine(), -1);
    EXPECT_TRUE(lists.rows().empty());

    lists.selectLine(1);
    lists.reselectAfter([] { return false; });  // nothing ran: everything stays
    EXPECT_EQ(lists.selectedLine(), 1);
}

}  // namespace
}  // namespace quorvel
