#include "results/ResultsPanel.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

RowTexts row(const std::string& file, const std::string& kind)
{
    return {file, "event", "head[1]", "start", kind, ""};
}

std::vector<std::string> column(const ResultsPanel& panel, int c)
{
    std::vector<std::string> out;
    for (const ResultLine& line : panel.resultLines())
        out.emplace_back(line.sortText(c));
    return out;
}

// An answer of two names, the first with rows filed out of name order.
void fill(ResultsPanel& panel)
{
    panel.clear();
    for (const char* key : {"first", "second"}) {
        panel.index.add(key);
        panel.addLeftLine(key);
    }
    for (const char* file : {"b.wid", "C.wid", "a.wid", "B.wid"})
        panel.index.fileRow(EntryId{0}, row(file, "k"));
}

TEST(CompareListTexts, FoldsLatinCaseButComparesOtherBytesRaw)
{
    EXPECT_EQ(CompareListTexts("abc", "ABC"), 0);
    EXPECT_LT(CompareListTexts("abc", "ABD"), 0);
    EXPECT_GT(CompareListTexts("b", "A"), 0);
    EXPECT_LT(CompareListTexts("ab", "abc"), 0);
    EXPECT_LT(CompareListTexts("10", "9"), 0);
    // "_" (0x5F) sorts after every letter, as letters fold to 0x41..0x5A.
    EXPECT_GT(CompareListTexts("_", "a"), 0);
    // Trail bytes of two-byte characters are folded too: 0x83 0x61 equals 0x83 0x41.
    EXPECT_EQ(CompareListTexts("\x83\x61", "\x83\x41"), 0);
    // Bytes compare unsigned: a lead byte 0x88 sorts after ASCII.
    EXPECT_GT(CompareListTexts("\x88\x9F", "z"), 0);
    // A stored zero byte counts as a byte and adds to the length.
    EXPECT_GT(CompareListTexts(std::string("ab\0", 3), "ab"), 0);
}

TEST(ResultsPanel, FirstDisplayKeepsFilingOrderAndNumbersFromOne)
{
    ResultsPanel panel;
    fill(panel);
    EXPECT_TRUE(panel.resultLines().empty());
    EXPECT_EQ(panel.shownLine, -1);
    panel.selectLine(0);
    EXPECT_EQ(panel.shownLine, 0);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"b.wid", "C.wid", "a.wid", "B.wid"}));
    EXPECT_EQ(column(panel, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    panel.selectLine(1);
    EXPECT_TRUE(panel.resultLines().empty());
}

TEST(ResultsPanel, ColumnClickSortsAscendingStablyAndTheChoiceHolds)
{
    ResultsPanel panel;
    fill(panel);
    panel.selectLine(0);
    panel.sortByColumn(1);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));
    EXPECT_EQ(column(panel, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    panel.sortByColumn(1);  // no descending order
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));

    fill(panel);  // a new answer: the sort column stays
    EXPECT_EQ(panel.sortColumn, 1);
    panel.selectLine(0);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));
}

TEST(ResultsPanel, SelectingTheShownLineAgainDoesNotRefill)
{
    ResultsPanel panel;
    fill(panel);
    panel.selectLine(0);
    panel.sortByColumn(0);
    panel.sortByColumn(1);
    const auto sorted = column(panel, 1);
    panel.sortColumn = 0;  // a refill would now keep filing order
    panel.selectLine(0);
    EXPECT_EQ(column(panel, 1), sorted);
}

TEST(ResultsPanel, NumberColumnSortsAsText)
{
    ResultsPanel panel;
    panel.index.add("k");
    panel.addLeftLine("k");
    for (int i = 0; i < 12; ++i)
        panel.index.fileRow(EntryId{0}, row("f" + std::to_string(i), ""));
    panel.selectLine(0);
    panel.sortByColumn(0);
    EXPECT_EQ(column(panel, 1),
              (std::vector<std::string>{"f0", "f9", "f10", "f11", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8"}));
    EXPECT_EQ(column(panel, 0).back(), "12");
}

TEST(ResultsPanel, ReloadReselectsByPosition)
{
    ResultsPanel panel;
    int names = 6;
    auto command = [&](SearchMode mode) {
        if (mode != SearchMode::ItemSearch)
            return false;
        panel.clear();
        for (int i = 0; i < names; ++i) {
            panel.index.add(std::to_string(i));
            panel.addLeftLine("name" + std::to_string(i));
            panel.index.fileRow(EntryId{i}, row("file" + std::to_string(i), ""));
        }
        panel.searchMode = SearchMode::ItemSearch;
        return true;
    };
    command(SearchMode::ItemSearch);
    panel.selectLine(5);
    panel.reload(command);
    EXPECT_EQ(panel.selectedLine(), 5);
    EXPECT_EQ(panel.shownLine, 5);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"file5"}));

    names = 3;
    panel.reload(command);
    EXPECT_EQ(panel.selectedLine(), -1);
    EXPECT_EQ(panel.shownLine, -1);
    EXPECT_TRUE(panel.resultLines().empty());

    panel.searchMode = SearchMode::LinkSearch;  // does nothing, keeps everything
    panel.selectLine(1);
    panel.reload(command);
    EXPECT_EQ(panel.selectedLine(), 1);
    EXPECT_EQ(panel.leftLines().size(), 3u);
}

}  // namespace
}  // namespace quorvel
