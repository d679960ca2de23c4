#include "base/Parallel.h"
#include "base/AsciiCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quorvel {
namespace {

TEST(ProduceInOrder, ResultsArriveInOrderAndAFailureAtItsTurn)
{
    std::vector<std::size_t> consumed;
    ProduceInOrder<std::size_t>(
        50, 3, 4, [](std::size_t item) { return item * item; },
        [&](std::size_t item, std::size_t square) {
            EXPECT_EQ(square, item * item);
            consumed.push_back(item);
        });
    EXPECT_EQ(consumed.size(), 50u);
    EXPECT_TRUE(std::is_sorted(consumed.begin(), consumed.end()));

    consumed.clear();
    const auto failAtSeven = [](std::size_t item) -> int {
        if (item == 7)
            throw std::runtime_error("item 7");
        return 0;
    };
    EXPECT_THROW(ProduceInOrder<int>(50, 3, 4, failAtSeven, [&](std::size_t item, int) { consumed.push_back(item); }),
                 std::runtime_error);
    EXPECT_EQ(consumed.size(), 7u) << "everything before the failing item, nothing after";

    std::atomic<int> produced = 0;
    EXPECT_THROW(ProduceInOrder<int>(
                     1000, 2, 3, [&](std::size_t) { return ++produced; },
                     [](std::size_t item, int) {
                         if (item == 2)
                             throw std::logic_error("filing failed");
                     }),
                 std::logic_error);
    EXPECT_LT(produced.load(), 10) << "the workers stop with the loop";
}

TEST(ProduceInOrder, TheCallingThreadIsOneOfTheWorkers)
{
    std::mutex mutex;
    std::set<std::thread::id> producers;
    ProduceInOrder<int>(
        200, 2, 4,
        [&](std::size_t) {
            const std::lock_guard lock(mutex);
            producers.insert(std::this_thread::get_id());
            return 0;
        },
        [](std::size_t, int) {});
    EXPECT_LE(producers.size(), 2u) << "one worker per core, the calling thread included";
}

TEST(RunStarts, RunsCoverEveryItemOnceAndShortenTowardsTheEnd)
{
    EXPECT_EQ(RunStarts(0, 2), (std::vector<std::size_t>{0}));
    EXPECT_EQ(RunStarts(3, 2), (std::vector<std::size_t>{0, 3}));
    for (const std::size_t count : {1u, 47u, 1000u}) {
        const std::vector<std::size_t> starts = RunStarts(count, 2);
        ASSERT_EQ(starts.front(), 0u);
        ASSERT_EQ(starts.back(), count);
        for (std::size_t run = 1; run < starts.size(); ++run) {
            ASSERT_LT(starts[run - 1], starts[run]);
            if (run + 1 < starts.size()) {
                EXPECT_GE(starts[run] - starts[run - 1], starts[run + 1] - starts[run]) << count;
            }
        }
    }
    // What waits to be filed stays small: no run takes more than a twelfth of two workers' items.
    EXPECT_LE(RunStarts(1200, 2)[1], 100u);
}

TEST(RunBlocks, MakesEveryBlockOnceBesideTheCallersWorkAndPassesOnErrors)
{
    std::vector<std::atomic<int>> made(500);
    bool ranAlongside = false;
    RunBlocks(
        made.size(), 2, [&](std::size_t block) { ++made[block]; }, [&] { ranAlongside = true; });
    EXPECT_TRUE(ranAlongside);
    EXPECT_TRUE(std::all_of(made.begin(), made.end(), [](const std::atomic<int>& count) { return count == 1; }));

    const auto failAt = [](std::size_t block) {
        if (block == 3)
            throw std::runtime_error("block 3");
    };
    EXPECT_THROW(RunBlocks(made.size(), 2, failAt, [] {}), std::runtime_error);
    EXPECT_THROW(RunBlocks(
                     made.size(), 2, [](std::size_t) {}, [] { throw std::runtime_error("alongside"); }),
                 std::runtime_error);
    EXPECT_NO_THROW(RunBlocks(0, 2, failAt, [] {}));
}

TEST(RunRanges, CoverEveryItemOnceInRangesWorthAThread)
{
    for (const std::size_t count : {0u, 1u, 1000u, 5000u}) {
        std::mutex mutex;
        std::vector<std::pair<std::size_t, std::size_t>> ranges;
        RunRanges(count, 1024, 4, [&](std::size_t begin, std::size_t end) {
            const std::lock_guard lock(mutex);
            ranges.emplace_back(begin, end);
        });
        std::sort(ranges.begin(), ranges.end());
        EXPECT_EQ(ranges.size(), std::clamp<std::size_t>(count / 1024, 1, 4)) << count;
        std::size_t next = 0;
        for (const auto& [begin, end] : ranges) {
            EXPECT_EQ(begin, next);
            next = end;
        }
        EXPECT_EQ(next, count);
    }
}

TEST(Workers, OneWorkerStartsNoThread)
{
    const std::size_t before = ThreadsStartedForWork();
    std::set<std::thread::id> threads;
    ProduceInOrder<int>(
        100, 1, 4,
        [&](std::size_t) {
            threads.insert(std::this_thread::get_id());
            return 0;
        },
        [](std::size_t, int) {});
    RunBlocks(50, 1, [&](std::size_t) { threads.insert(std::this_thread::get_id()); });
    RunRanges(100000, 10, 1, [&](std::size_t, std::size_t) { threads.insert(std::this_thread::get_id()); });
    EXPECT_EQ(threads, std::set<std::thread::id>{std::this_thread::get_id()});
    EXPECT_EQ(ThreadsStartedForWork(), before);
    EXPECT_GE(WorkersOfThisMachine(), 1u);
}

TEST(AsciiCase, FoldsLettersOnlyAndTheFoldDecidesWhereUnderscoreStands)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("Area1.WID", "area1.wid"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC1", "\xE1")) << "bytes above ASCII are never folded";
    EXPECT_EQ(CompareIgnoringAsciiCase<FoldTo::Upper>("abc", "ABC"), 0);
    EXPECT_LT(CompareIgnoringAsciiCase<FoldTo::Upper>("ab", "abc"), 0);
    // "_" (0x5F) stands between the capitals and the small letters.
    EXPECT_GT(CompareIgnoringAsciiCase<FoldTo::Upper>("_", "a"), 0);
    EXPECT_LT(CompareIgnoringAsciiCase<FoldTo::Lower>("_", "A"), 0);
    // Trail bytes of two-byte characters are folded too: 0x83 0x61 equals 0x83 0x41.
    EXPECT_EQ(CompareIgnoringAsciiCase<FoldTo::Upper>("\x83\x61", "\x83\x41"), 0);
    EXPECT_GT(CompareIgnoringAsciiCase<FoldTo::Upper>("\x88\x9F", "z"), 0) << "bytes compare unsigned";
}

}  // namespace
}  // namespace quorvel
