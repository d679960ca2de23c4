#include "app/CommandSummary.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using Kind = CommandOutcome::Kind;

TEST(CommandSummary, SaysWhatWasFoundInTheWordsOfEachKindOfCommand)
{
    EXPECT_EQ(CommandSummary({"称号", Kind::Search, 8851, 0, 25941, {}, 0.254}),
              "称号: 8,851 件、25,941 箇所 (0.25 秒)");
    EXPECT_EQ(CommandSummary({"効果音", Kind::Search, 0, 0, 0, {}, 0}), "効果音: 見つかりませんでした (0.00 秒)");
    EXPECT_EQ(CommandSummary({"分岐チェック", Kind::Check, 0, 0, 0, {}, 0}),
              "分岐チェック: 問題は見つかりませんでした (0.00 秒)");
    EXPECT_EQ(CommandSummary({"リンク＊", Kind::LinkSearch, 8, 7, 0, {}, 0.01}),
              "リンク: スタート 7 件、リンク・コール 0 箇所 (0.01 秒)");
}

TEST(CommandSummary, NamesTheFirstFilesThatCouldNotBeReadAndTheTipAllOfThem)
{
    CommandOutcome outcome{"アイテム", Kind::Search, 2, 0, 3, {"Area98.wid"}, 0.5};
    EXPECT_EQ(CommandSummary(outcome), "アイテム: 2 件、3 箇所、読み込めなかったファイル 1 件: Area98.wid (0.50 秒)");
    outcome.unreadableFiles = {"A.wid", "B.wid", "C.wid", "D.wid"};
    EXPECT_EQ(CommandSummary(outcome),
              "アイテム: 2 件、3 箇所、読み込めなかったファイル 4 件: A.wid、B.wid、C.wid… (0.50 秒)");
    EXPECT_EQ(UnreadableFilesTip(outcome), "A.wid\nB.wid\nC.wid\nD.wid");
}

}  // namespace
}  // namespace quorvel
