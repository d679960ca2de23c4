#include "search/Commands.h"

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
struct Left {
    std::vector<std::string> lines;
    std::vector<std::vector<std::array<std::string, 6>>> rows;
    Messages messages;
    bool operator==(const Left&) const = default;
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

    Left run(const Command& command, unsigned workers)
    {
        answer.clear();
        answer.valueNames.clear();
        sink.messages.clear();
        SearchContext& searchContext = context();
        searchContext.workers = workers;
        searchContext.filesWorthWorkers = 2;
        command.run(searchContext);
        Left left{leftLines(), {}, sink.messages};
        for (int entry = 0; entry < answer.index.count(); ++entry) {
            auto& rows = left.rows.emplace_back();
            for (const HitRow& row : answer.index.rows(entry)) {
                std::array<std::string, 6>& texts = rows.emplace_back();
                for (std::size_t c = 0; c < texts.size(); ++c)
                    texts[c] = row.texts[c].sortBytes();
            }
        }
        return left;
    }
};

TEST_F(ParallelTest, EveryCommandAnswersAsOneFileAfterAnother)
{
    for (const Command& command : Commands()) {
        if (!command.run)
            continue;
        SCOPED_TRACE(command.name);
        const Left oneByOne = run(command, 1);
        EXPECT_FALSE(oneByOne.messages.empty()) << "the broken files are reported";
        for (unsigned workers : {2u, 4u})
            EXPECT_EQ(run(command, workers), oneByOne) << workers << " workers";
    }
}

TEST_F(ParallelTest, AContextWithOneWorkerRunsEveryCommandOnItsOwnThread)
{
    // Declared names enough for their collation keys to be made on several
    // threads, were there several.
    Summary summary;
    for (int i = 0; i < 5000; ++i)
        summary.flags.push_back({"f" + std::to_string(i), "on", "off"});
    addBytes("Summary.wsm", EncodeSummary(summary));
    for (const Command& command : Commands()) {
        if (!command.run)
            continue;
        const std::size_t before = ThreadsStartedForWork();
        run(command, 1);
        EXPECT_EQ(ThreadsStartedForWork(), before) << command.name;
    }
    run(*FindCommand("flag"), 1);
    ASSERT_EQ(answer.leftLines().size(), 5000u) << "the names were sorted";
    const std::size_t before = ThreadsStartedForWork();
    run(*FindCommand("flag"), 2);
    EXPECT_GT(ThreadsStartedForWork(), before) << "two workers do start a thread";
}

}  // namespace
}  // namespace quorvel::build
