#include "results/ResultsPanel.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

HitRow row(const std::string& file, const std::string& kind)
{
    return HitRow{{file, "event", "head[1]", "start", kind, ""}};
}

std::vector<std::string> column(const ResultsPanel& panel, std::size_t c)
{
    std::vector<std::string> out;
    for (const ResultLine& line : panel.resultLines())
        out.push_back(line[c]);
    return out;
}

// An answer of two names, the first with rows filed out of name order.
void fill(ResultsPanel& panel)
{
    panel.ClearResults();
    for (const char* key : {"first", "second"}) {
        panel.index.add(key);
        panel.addLeftLine(key);
    }
    for (const char* file : {"b.wid", "C.wid", "a.wid", "B.wid"})
        panel.index.fileRow(0, row(file, "k"));
}

TEST(ListViewCompare, FoldsLatinCaseButComparesOtherBytesRaw)
{
    EXPECT_EQ(ListViewCompare("abc", "ABC"), 0);
    EXPECT_LT(ListViewCompare("abc", "ABD"), 0);
    EXPECT_GT(ListViewCompare("b", "A"), 0);
    EXPECT_LT(ListViewCompare("ab", "abc"), 0);
    EXPECT_LT(ListViewCompare("10", "9"), 0);
    // "_" (0x5F) sorts after every letter, as letters fold to 0x41..0x5A.
    EXPECT_GT(ListViewCompare("_", "a"), 0);
    // Trail bytes of two-byte characters are folded too: 0x83 0x61 equals 0x83 0x41.
    EXPECT_EQ(ListViewCompare("\x83\x61", "\x83\x41"), 0);
    // Bytes compare unsigned: a lead byte 0x88 sorts after ASCII.
    EXPECT_GT(ListViewCompare("\x88\x9F", "z"), 0);
    // A stored zero byte counts as a byte and adds to the length.
    EXPECT_GT(ListViewCompare(std::string("ab\0", 3), "ab"), 0);
}

TEST(ResultsPanel, FirstDisplayKeepsFilingOrderAndNumbersFromOne)
{
    ResultsPanel panel;
    fill(panel);
    EXPECT_TRUE(panel.resultLines().empty());
    EXPECT_EQ(panel.ShownIndex, -1);
    panel.selectLine(0);
    EXPECT_EQ(panel.ShownIndex, 0);
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
    panel.ListViewColumnClick(1);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));
    EXPECT_EQ(column(panel, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    panel.ListViewColumnClick(1);  // no descending order
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));

    fill(panel);  // a new answer: the sort column stays
    EXPECT_EQ(panel.SortColumn, 1);
    panel.selectLine(0);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"a.wid", "b.wid", "B.wid", "C.wid"}));
}

TEST(ResultsPanel, SelectingTheShownLineAgainDoesNotRefill)
{
    ResultsPanel panel;
    fill(panel);
    panel.selectLine(0);
    panel.ListViewColumnClick(0);
    panel.ListViewColumnClick(1);
    const auto sorted = column(panel, 1);
    panel.SortColumn = 0;  // a refill would now keep filing order
    panel.selectLine(0);
    EXPECT_EQ(column(panel, 1), sorted);
}

TEST(ResultsPanel, NumberColumnSortsAsText)
{
    ResultsPanel panel;
    panel.index.add("k");
    panel.addLeftLine("k");
    for (int i = 0; i < 12; ++i)
        panel.index.fileRow(0, row("f" + std::to_string(i), ""));
    panel.selectLine(0);
    panel.ListViewColumnClick(0);
    EXPECT_EQ(column(panel, 1),
              (std::vector<std::string>{"f0", "f9", "f10", "f11", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8"}));
    EXPECT_EQ(column(panel, 0).back(), "12");
}

TEST(ResultsPanel, ReloadReselectsByPosition)
{
    ResultsPanel panel;
    int names = 6;
    auto command = [&](int mode) {
        if (mode != ItemSearch)
            return false;
        panel.ClearResults();
        for (int i = 0; i < names; ++i) {
            panel.index.add(std::to_string(i));
            panel.addLeftLine("name" + std::to_string(i));
            panel.index.fileRow(i, row("file" + std::to_string(i), ""));
        }
        panel.SearchMode = ItemSearch;
        return true;
    };
    command(ItemSearch);
    panel.selectLine(5);
    panel.Reload(command);
    EXPECT_EQ(panel.selectedLine(), 5);
    EXPECT_EQ(panel.ShownIndex, 5);
    EXPECT_EQ(column(panel, 1), (std::vector<std::string>{"file5"}));

    names = 3;
    panel.Reload(command);
    EXPECT_EQ(panel.selectedLine(), -1);
    EXPECT_EQ(panel.ShownIndex, -1);
    EXPECT_TRUE(panel.resultLines().empty());

    panel.SearchMode = LinkSearch;  // does nothing, keeps everything
    panel.selectLine(1);
    panel.Reload(command);
    EXPECT_EQ(panel.selectedLine(), 1);
    EXPECT_EQ(panel.leftLines().size(), 3u);
}

}  // namespace
}  // namespace quorvel
