#include "results/JsonAnswer.h"

#include "tools/builder/Encoding.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Files a row of these Shift-JIS texts.
void fileRow(Answer& answer, EntryId entry, const std::array<std::string, RowTextCount>& texts)
{
    RowTexts row;
    for (std::size_t c = 0; c < row.size(); ++c)
        row[c] = Text::ShiftJis(texts[c]);
    answer.index.fileKeptRow(entry, HitRow{answer.index.texts().keepRow(row)});
}

TEST(JsonAnswer, RunsOfNamesWrittenTogetherMatchOneAfterAnother)
{
    Answer results;
    const std::string texts[] = {
        build::Sjis("港町") + '\0', "say \"hi\"\\\r\n", std::string("\x01tab\t", 6), "\x82\xa0\xff\x81", "plain", ""};
    for (int name = 0; name < 600; ++name) {
        const EntryId entry = results.index.add(Text::Unicode(std::to_string(name)));
        results.addLeftLine(Text::ShiftJis(texts[name % 6]));
        for (int row = 0; row < name % 40; ++row)
            fileRow(results, entry,
                    {texts[row % 6], texts[(row + 1) % 6], "head", texts[(row + name) % 6], texts[row % 2],
                     std::to_string(row)});
    }
    // A name with more rows than a run holds is written in several parts.
    const EntryId big = results.index.add(Word("big"));
    results.addLeftLine(Word("big"));
    for (int row = 0; row < 5000; ++row)
        fileRow(results, big, {"f", "e", "h", "s", "k", std::to_string(row)});
    for (int sortColumn : {0, 6}) {
        std::ostringstream alone, together;
        WriteJsonAnswer(alone, "item", {}, results, RowOrder{sortColumn}, 1);
        WriteJsonAnswer(together, "item", {}, results, RowOrder{sortColumn}, 3);
        EXPECT_EQ(together.str(), alone.str());
        const auto bigRows = nlohmann::json::parse(alone.str())["names"][600]["rows"];
        ASSERT_EQ(bigRows.size(), 5000u);
        EXPECT_EQ(bigRows[4999][5], sortColumn ? "999" : "4999") << "sorted as texts by column 6";
    }
    std::ostringstream one, several;
    const MessageList messages{{"Area2.wid\x01", "I'm sorry!"}};
    WriteJsonAnswer(one, "item", messages, results, {}, 1);
    WriteJsonAnswer(several, "item", messages, results, {}, 3);
    EXPECT_EQ(several.str(), one.str());
    const auto answer = nlohmann::json::parse(one.str());
    EXPECT_EQ(answer["messages"][0]["text"], "Area2.wid\x01");
    ASSERT_EQ(answer["names"].size(), 601u);
    EXPECT_EQ(answer["names"][0]["name"], "港町");
    EXPECT_EQ(answer["names"][7]["rows"][1][0], "say \"hi\"\\\r\n");
    EXPECT_EQ(answer["names"][7]["rows"][2][0], "\x01tab\t");
    EXPECT_EQ(answer["names"][7]["rows"][3][0], build::Utf8("\x82\xa0\xff\x81")) << "undecodable bytes substituted";
}

TEST(JsonAnswer, EscapesEveryTextAsTheJsonLibraryDoes)
{
    // Every ASCII character between two letters, and Japanese text, in names and rows.
    std::vector<std::string> texts;
    for (int c = 1; c < 0x80; ++c) {
        texts.push_back(std::string("a") + static_cast<char>(c) + "b");
        // At every place of a word of eight, as the escaper looks at eight bytes at a time.
        texts.push_back(std::string(c % 8, 'x') + static_cast<char>(c) + std::string(17, 'y'));
    }
    texts.push_back(build::Sjis("港町の\"宿\"") + '\0');
    Answer results;
    std::string expected = "{\"command\": \"item\", \"messages\": [], \"names\": [";
    const auto json = [](const std::string& utf8) { return nlohmann::json(utf8).dump(-1, ' ', false); };
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const EntryId entry = results.index.add(Text::Unicode(std::to_string(t)));
        results.addLeftLine(Text::ShiftJis(texts[t]));
        fileRow(results, entry, {texts[t], "f", "e", texts[t], "k", "v"});
        const std::string shown = build::Utf8(Text::ShiftJis(texts[t]).shownBytes());
        expected += (t ? ", " : "") + std::string("{\"name\": ") + json(shown) + ", \"rows\": [[" + json(shown)
            + ", \"f\", \"e\", " + json(shown) + ", \"k\", \"v\"]]}";
    }
    expected += "]}\n";
    std::ostringstream out;
    WriteJsonAnswer(out, "item", {}, results, {}, 2);
    EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace quorvel
