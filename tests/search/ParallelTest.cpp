#include "search/Commands.h"
#include "search/OrderedWork.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/SummaryBuilder.h"

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace quorvel::build {
namespace {

// Everything a command leaves: lines, the rows under each, the messages.
struct Answer {
    std::vector<std::string> lines;
    std::vector<std::vector<std::array<std::string, 6>>> rows;
    Messages messages;
    bool operator==(const Answer&) const = default;
};

class ParallelTest : public ScenarioTest {
protected:
    // Forty files of every kind that holds events, three of them broken,
    // whose contents name things shared across files.
    void SetUp() override
    {
        Summary summary;
        summary.flags = {{"f1", "on", "off"}, {"f3", "up", "down"}};
        summary.steps = {{"s2", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}}};
        addBytes("Summary.wsm", EncodeSummary(summary));
        const std::uint8_t kinds[] = {0, 1, 2, 3, 5, 6, 8};
        const char* prefixes[] = {"Area", "Battle", "Mate", "Item", "Skill", "Beast", "Package"};
        for (int i = 0; i < 40; ++i) {
            const int k = i % 7;
            const std::string name = prefixes[k] + std::to_string(i) + ".wid";
            if (i % 13 == 5) {
                addBytes(name, "\x07 broken");
                continue;
            }
            File file = dataFile(kinds[k], "T" + std::to_string(i), {}, 40000 + i % 9);
            Event event = busyEvent(i);
            if (k == 1 || k == 2) {
                Card card;
                card.name = "C" + std::to_string(i);
                card.flag = "f" + std::to_string(i % 4);
                card.events = {event, busyEvent(i + 1)};
                file.cards = {card};
            } else {
                file.events = {event, busyEvent(i + 2)};
            }
            add(name, file);
        }
    }

    static Event busyEvent(int seed)
    {
        Content talk = Node(40, "talk");
        talk.dialogueEntries = {{seed % 2 ? "" : "c", "hi"}, {"", "bye"}};
        std::vector<Content> children = {Gain(27, seed % 5, seed % 3, static_cast<std::int8_t>(seed % 7)),
                                         WithText(15, "f" + std::to_string(seed % 4)),
                                         WithText(32, "coupon" + std::to_string(seed % 3)),
                                         WithText(1, seed % 2 ? "S" : "missing"),
                                         WithText(18, "s" + std::to_string(seed % 3)),
                                         Node(14, "r", {Start("x"), Start(seed % 2 ? "x" : "y")}),
                                         talk};
        return Event({Start("S", std::move(children)), Start("T" + std::to_string(seed % 3))});
    }

    Answer run(const Command& command, unsigned workers)
    {
        results.clear();
        results.clearValueNames();
        sink.messages.clear();
        SearchContext& searchContext = context();
        searchContext.workers = workers;
        searchContext.filesWorthWorkers = 2;
        command.run(searchContext);
        Answer answer{leftLines(), {}, sink.messages};
        for (int entry = 0; entry < results.index.count(); ++entry) {
            auto& rows = answer.rows.emplace_back();
            for (const HitRow& row : results.index.rows(entry)) {
                std::array<std::string, 6>& texts = rows.emplace_back();
                for (std::size_t c = 0; c < texts.size(); ++c)
                    texts[c] = row.texts[c].stored();
            }
        }
        return answer;
    }
};

TEST_F(ParallelTest, EveryCommandAnswersAsOneFileAfterAnother)
{
    for (const Command& command : Commands()) {
        if (!command.run)
            continue;
        SCOPED_TRACE(command.name);
        const Answer oneByOne = run(command, 1);
        EXPECT_FALSE(oneByOne.messages.empty()) << "the broken files are reported";
        for (unsigned workers : {2u, 4u})
            EXPECT_EQ(run(command, workers), oneByOne) << workers << " workers";
    }
}

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
}

}  // namespace
}  // namespace quorvel::build
