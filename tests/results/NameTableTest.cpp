#include "results/Collation.h"
#include "results/KeyBytesSort.h"
#include "results/ResultIndex.h"
#include "tests/support/TextEquality.h"
#include "tools/builder/Encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <stdexcept>

namespace quorvel {
namespace {

std::string sj(const char* utf8)
{
    return build::Sjis(utf8);
}

// Names as tests give them: Shift-JIS bytes, a stored zero byte among them where there is one.
Text T(const std::string& bytes)
{
    return Text::ShiftJis(bytes);
}

std::vector<std::string> keys(const ResultIndex& index)
{
    std::vector<std::string> out;
    for (int position = 0; position < index.count(); ++position)
        out.push_back(ShownForm(index.key(position)));
    return out;
}

void fileRow(ResultIndex& index, EntryId entry, const char* file)
{
    index.fileKeptRow(entry, HitRow{index.texts().keepRow({Word(file)})});
}

// The order of two names in a sorted table: by collation, ties by NameKeyLess; 0 when equal.
int collate(const std::string& a, const std::string& b)
{
    std::string scratchA, scratchB, keyA, keyB;
    const std::string_view nameA = NameKey(T(a), scratchA);
    const std::string_view nameB = NameKey(T(b), scratchB);
    AppendSortKey(nameA, keyA);
    AppendSortKey(nameB, keyB);
    if (const int collated = keyA.compare(keyB); collated != 0)
        return collated < 0 ? -1 : 1;
    return NameKeyLess(nameA, nameB) ? -1 : NameKeyLess(nameB, nameA) ? 1 : 0;
}

// Where an entry stands in the index's order; -1 for none.
int at(const ResultIndex& index, std::optional<EntryId> entry)
{
    for (int position = 0; entry && position < index.count(); ++position)
        if (&index.at(position).payload == &index.payload(*entry))
            return position;
    return -1;
}

// That the entries `ids` of `names`, added in this order, stand in the
// sorted index in collation order, the newest first among equal names.
void expectInOrderOfAdding(const ResultIndex& index, const std::vector<std::string>& names,
                           const std::vector<EntryId>& ids)
{
    std::vector<int> expected(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        expected[i] = static_cast<int>(i);
    std::sort(expected.begin(), expected.end(), [&](int a, int b) {
        const int order = collate(names[static_cast<std::size_t>(a)], names[static_cast<std::size_t>(b)]);
        return order != 0 ? order < 0 : a > b;
    });
    for (std::size_t position = 0; position < expected.size(); ++position)
        ASSERT_EQ(at(index, ids[static_cast<std::size_t>(expected[position])]), static_cast<int>(position)) << position;
}

TEST(ResultIndex, UnsortedAppendsAndFindsTheFirstEqualKey)
{
    ResultIndex index;
    index.setMode(TableMode::Unsorted);
    EXPECT_EQ(at(index, index.add(Word("7"))), 0);
    EXPECT_EQ(at(index, index.add(Word("3"))), 1);
    const EntryId third = index.add(Word("7"));
    EXPECT_EQ(at(index, third), 2);
    EXPECT_EQ(index.count(), 3);
    EXPECT_EQ(at(index, index.find(Word("7"))), 0);
    EXPECT_EQ(at(index, index.find(Word("3"))), 1);
    EXPECT_EQ(index.find(Word("9")), std::nullopt);
    fileRow(index, third, "a");
    EXPECT_TRUE(index.rows(0).empty());
    EXPECT_EQ(index.rows(2).size(), 1u);
}

TEST(ResultIndex, SortedPutsANewKeyInFrontOfItsEqualsAndFindsIt)
{
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    index.add(T(sj("い")));
    index.add(T(sj("あ")));
    const EntryId first = index.add(T(sj("う")));
    fileRow(index, first, "old");
    const EntryId second = index.add(T(sj("う")));
    EXPECT_EQ(keys(index), (std::vector<std::string>{"あ", "い", "う", "う"}));
    EXPECT_EQ(at(index, second), 2);
    EXPECT_EQ(at(index, index.find(T(sj("う")))), 2);
    EXPECT_TRUE(index.rows(2).empty()) << "the entry added last stands in front";
    EXPECT_EQ(index.rows(3).size(), 1u);
    EXPECT_EQ(index.find(T(sj("え"))), std::nullopt);
    index.add(T(sj("あ")));  // the order is made anew after an addition
    EXPECT_EQ(keys(index), (std::vector<std::string>{"あ", "あ", "い", "う", "う"}));
    EXPECT_EQ(index.rows(4).size(), 1u);
}

TEST(ResultIndex, ZeroBytesCarryNoWeight)
{
    for (TableMode mode : {TableMode::Unsorted, TableMode::Sorted}) {
        ResultIndex index;
        index.setMode(mode);
        index.add(T(sj("勇者") + '\0'));  // a name as a data file stores it
        EXPECT_EQ(at(index, index.find(T(sj("勇者")))), 0);
        EXPECT_EQ(at(index, index.find(T(std::string("\0", 1) + sj("勇者")))), 0);
        EXPECT_EQ(at(index, index.find(T(sj("勇") + '\0' + sj("者") + '\0'))), 0);
    }
}

TEST(ResultIndex, OnlyIdenticalTextsAreEqualKeys)
{
    const std::pair<const char*, const char*> distinct[]
        = {{"あ", "ア"}, {"ｶ", "カ"}, {"abc", "ABC"}, {"ａ", "a"}, {"flag", "flag "}};
    for (TableMode mode : {TableMode::Unsorted, TableMode::Sorted}) {
        for (const auto& [a, b] : distinct) {
            ResultIndex index;
            index.setMode(mode);
            index.add(T(sj(a)));
            EXPECT_EQ(index.find(T(sj(b))), std::nullopt) << a << " / " << b;
            const EntryId added = index.add(T(sj(b)));
            EXPECT_EQ(index.find(T(sj(b))), added);
            EXPECT_NE(index.find(T(sj(a))), index.find(T(sj(b))));
        }
    }
}

TEST(ResultIndex, SortedOrderIsJapaneseWithLowerCaseFirst)
{
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    for (const char* key : {"ABC", "カ", "abc", "か", "2", "10", "漢"})
        index.add(T(sj(key)));
    const std::vector<std::string> order = keys(index);
    auto at = [&](const char* key) { return std::find(order.begin(), order.end(), key) - order.begin(); };
    EXPECT_LT(at("10"), at("2"));
    EXPECT_LT(at("2"), at("abc"));
    EXPECT_LT(at("abc"), at("ABC"));
    EXPECT_LT(at("ABC"), at("か"));
    EXPECT_LT(at("か"), at("カ"));
    EXPECT_LT(at("カ"), at("漢"));
}

TEST(ResultIndex, ManyNamesStandInCollationOrderWithTheNewestOfEqualsFirst)
{
    // Enough names that their collation keys are made on several threads.
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i)
        names.push_back(sj(i % 3 ? "項目" : "こうもく") + std::to_string(i * 7919 % 2000));
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    std::vector<EntryId> ids;
    for (const std::string& name : names)
        ids.push_back(index.add(T(name)));
    expectInOrderOfAdding(index, names, ids);
    // Every lookup finds the newest of its equals, the front-most.
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int front = at(index, index.find(T(names[i])));
        ASSERT_GE(front, 0);
        EXPECT_EQ(index.key(front), names[i]);
        if (front > 0) {
            EXPECT_NE(index.key(front - 1), names[i]);
        }
    }
}

TEST(ResultIndex, UndecodableBytesStillCompareByTheirBytes)
{
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    index.add(T(std::string("\x81", 1)));
    index.add(T(std::string("\xFF", 1)));
    EXPECT_EQ(index.count(), 2);
    EXPECT_NE(index.find(T(std::string("\x81", 1))), index.find(T(std::string("\xFF", 1))));
}

TEST(ResultIndex, NamesAddedAfterTheOrderWasAskedForJoinItInTheirPlaces)
{
    // Enough names on each side for their keys to be made on several threads.
    std::vector<std::string> names;
    for (int i = 0; i < 2500; ++i)
        names.push_back(sj(i % 2 ? "旗" : "flag_") + std::to_string(i * 7 % 1700));
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    std::vector<EntryId> ids;
    for (std::size_t i = 0; i < names.size(); ++i) {
        ids.push_back(index.add(T(names[i])));
        if (i == 1200) {
            ASSERT_FALSE(index.key(0).empty()) << "the order is made halfway";
        }
    }
    expectInOrderOfAdding(index, names, ids);
}

TEST(ResultIndex, NamesAddedTogetherStandAsIfAddedOneByOne)
{
    // Several blocks of keys, repeats within the batch and of names added
    // before it, zero bytes inside and at the end of names.
    std::vector<std::string> earlier;
    for (int i = 0; i < 40; ++i)
        earlier.push_back(sj("前") + std::to_string(i * 13 % 30));
    std::vector<std::string> batch;
    for (int i = 0; i < 1100; ++i) {
        std::string name = sj(i % 4 ? "名前" : "なまえ") + std::to_string(i * 7919 % 900);
        if (i % 50 == 0)
            name = earlier[static_cast<std::size_t>(i % 40)];
        if (i % 97 == 0)
            name.insert(1, 1, '\0');
        if (i % 5 == 0)
            name += '\0';
        batch.push_back(name);
    }
    for (const bool orderAskedBefore : {false, true}) {
        ResultIndex oneByOne;
        ResultIndex together;
        for (ResultIndex* index : {&oneByOne, &together}) {
            index->setMode(TableMode::Sorted);
            for (const std::string& name : earlier)
                index->add(T(name));
            if (orderAskedBefore) {
                ASSERT_FALSE(index->key(0).empty());
            }
        }
        for (const std::string& name : batch)
            oneByOne.add(T(name));
        std::vector<Text> texts;
        for (const std::string& name : batch)
            texts.push_back(T(name));
        EXPECT_EQ(together.addAll(texts), EntryId{static_cast<int>(earlier.size())});
        for (ResultIndex* index : {&oneByOne, &together})
            index->add(T(sj("後の名前")));
        ASSERT_EQ(together.count(), oneByOne.count());
        for (int entry = 0; entry < oneByOne.count(); ++entry)
            ASSERT_EQ(at(together, EntryId{entry}), at(oneByOne, EntryId{entry})) << entry << " " << orderAskedBefore;
        for (const std::string& name : batch)
            EXPECT_EQ(together.find(T(name)), oneByOne.find(T(name)));
    }
}

TEST(ResultIndex, NamesTheCollatorFindsEqualStandInTheOrderOfTheirBytes)
{
    // Control bytes weigh nothing in the collation: these names tie there,
    // in groups large enough to be ordered by their keys' bytes.
    std::vector<std::string> names;
    for (const char* stem : {"gate", "Gate", "門"})
        for (const char* extra : {"", "\x01", "\x02", "\x01\x01", "\x1F"})
            for (const bool before : {false, true}) {
                const std::string name = before ? extra + sj(stem) : sj(stem) + extra;
                if (std::find(names.begin(), names.end(), name) == names.end())
                    names.push_back(name);
            }
    std::mt19937 random(7);
    std::shuffle(names.begin(), names.end(), random);
    ResultIndex index;
    index.setMode(TableMode::Sorted);
    for (const std::string& name : names)
        index.add(T(name));
    std::vector<std::string> expected = names;
    std::sort(expected.begin(), expected.end(),
              [](const std::string& a, const std::string& b) { return collate(a, b) < 0; });
    ASSERT_LT(collate(sj("gate"), sj("gate") + "\x01"), 0) << "ties go by bytes";
    std::vector<std::string> order;
    for (int position = 0; position < index.count(); ++position)
        order.emplace_back(index.key(position).bytes());
    EXPECT_EQ(order, expected);
}

TEST(ValueNames, KeepEachNameWholeInOrder)
{
    ValueNames names(Text::Stored({}));
    const std::string longest(512, '\x82');
    for (const std::string& name : {std::string("on\0", 3), std::string(), longest, std::string(300, 'x'),
                                    std::string(254, 'a'), std::string(255, 'b'), std::string("\xFF")})
        names.add(name);
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], std::string("on\0", 3));
    EXPECT_EQ(names[1], "");
    EXPECT_EQ(names[2], longest) << "a length past one byte";
    EXPECT_EQ(names[3], std::string(300, 'x'));
    EXPECT_EQ(names[4], std::string(254, 'a')) << "the longest length of one byte";
    EXPECT_EQ(names[5], std::string(255, 'b')) << "the shortest length of five";
    EXPECT_EQ(names[6], "\xFF");
    EXPECT_THROW(names[7], std::out_of_range);
}

TEST(ValueNameTable, FindsTheNamesOfDeclaredEntriesOnly)
{
    ValueNameTable table;
    const auto declared = [](std::string_view first) {
        ValueNames names(Word(""));
        names.add(first);
        return names;
    };
    table.add(EntryId{3}, declared("third"));
    table.add(EntryId{4}, declared("fourth"));
    ASSERT_NE(table.find(EntryId{4}), nullptr);
    EXPECT_EQ((*table.find(EntryId{4}))[0], "fourth");
    EXPECT_EQ((*table.find(EntryId{3}))[0], "third");
    for (const int undeclared : {-1, 0, 2, 5})
        EXPECT_EQ(table.find(EntryId{undeclared}), nullptr) << undeclared;
    EXPECT_THROW(table.add(EntryId{7}, declared("out of step")), std::logic_error);
    EXPECT_EQ(table.count(), 2);
    table.clear();
    EXPECT_EQ(table.find(EntryId{3}), nullptr);
    table.add(EntryId{0}, declared("again"));
    EXPECT_EQ((*table.find(EntryId{0}))[0], "again") << "a cleared table starts at the next first entry";
}

TEST(KeyBytesSort, OrdersAsWholeComparisonsWouldAcrossSharedBeginningsAndEqualKeys)
{
    // Few byte values, high and low ones among them, and long shared beginnings,
    // so that ranges agree deep into their keys and many keys are equal or end early.
    std::mt19937 random(18);
    const std::string bytes = "\x01\x7F\x80\xFF"
                              "ab";
    for (const std::size_t count : {0u, 1u, 2u, 13u, 300u, 5000u}) {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < count; ++i) {
            std::string key = random() % 2 ? "shared_beginning_" : "";
            for (std::size_t n = random() % 5; n > 0; --n)
                key += bytes[random() % bytes.size()];
            keys.push_back(key);
        }
        std::vector<int> sorted(count);
        for (std::size_t i = 0; i < count; ++i)
            sorted[i] = static_cast<int>(i);
        std::vector<int> expected = sorted;
        std::shuffle(sorted.begin(), sorted.end(), random);
        const auto keyOf = [&](int item) { return std::string_view(keys[static_cast<std::size_t>(item)]); };
        SortByKeyBytes(sorted, keyOf, std::greater<int>());
        std::sort(expected.begin(), expected.end(), [&](int a, int b) {
            const int order = keyOf(a).compare(keyOf(b));
            return order != 0 ? order < 0 : a > b;
        });
        EXPECT_EQ(sorted, expected) << count << " keys";
    }
}

}  // namespace
}  // namespace quorvel
