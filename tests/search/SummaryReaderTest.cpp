#include "search/SummaryReader.h"

#include "tests/support/Bytes.h"
#include "tests/support/ScenarioTest.h"
#include "tests/support/TextEquality.h"
#include "tools/builder/SummaryBuilder.h"

namespace quorvel::build {
namespace {

class SummaryReaderTest : public ScenarioTest {
protected:
    bool read(const std::string& bytes, SummarySection section)
    {
        read_ = ReadClassicSummary(BytesOf(bytes), section);
        section_ = section;
        return read_.has_value();
    }

    // The value names declared with the first name of these bytes.
    const ValueNames& valueNamesOf(std::string_view name) const
    {
        const Declarations& declared = read_->of(section_);
        for (std::size_t i = 0; i < declared.names.size(); ++i)
            if (declared.names[i].bytes() == name)
                return declared.valueNames[i];
        throw std::out_of_range("no value names for the name");
    }

    // The declared names, in declaration order.
    std::vector<std::string> keys() const
    {
        std::vector<std::string> out;
        for (const Text& name : read_->of(section_).names)
            out.emplace_back(name.bytes());
        return out;
    }

    std::optional<quorvel::Summary> read_;
    SummarySection section_ = SummarySection::Flags;

    // The bytes of a summary up to its step records, with `steps` as the step count.
    static ByteWriter head(std::int32_t steps)
    {
        ByteWriter out;
        for (int i = 0; i < 5; ++i)
            out.block(1);
        out.zeros(8).int32(steps);
        return out;
    }

    static StepDeclaration step(const std::string& name)
    {
        return {name, {"s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"}};
    }
};

TEST_F(SummaryReaderTest, ReadsTheWantedSectionAndPassesOverTheOther)
{
    Summary summary;
    summary.steps = {step("phase"), step(std::string(600, 'x'))};  // too long only when read
    summary.flags = {{"door", "open", "shut"}, {"lamp", "", "dark"}};
    ASSERT_TRUE(read(EncodeSummary(summary), SummarySection::Flags));
    EXPECT_EQ(keys(), (std::vector<std::string>{"door", "lamp"}));
    const ValueNames& door = valueNamesOf("door");
    ASSERT_EQ(door.size(), 2u);
    EXPECT_EQ(door[0], std::string("open\0", 5));
    EXPECT_EQ(door[1], std::string("shut\0", 5));
    EXPECT_EQ(valueNamesOf("lamp")[0], std::string(1, '\0')) << "an empty value name keeps its zero byte";

    EXPECT_FALSE(read(EncodeSummary(summary), SummarySection::Steps)) << "513 or more bytes fail when read";

    summary.steps.pop_back();
    summary.flags.push_back({std::string(513, 'y'), "a", "b"});
    ASSERT_TRUE(read(EncodeSummary(summary), SummarySection::Steps));
    EXPECT_EQ(keys(), (std::vector<std::string>{"phase"}));
    EXPECT_TRUE(read_->flags.names.empty()) << "the other section is passed over";
    EXPECT_EQ(valueNamesOf("phase").size(), 10u);
    EXPECT_EQ(valueNamesOf("phase")[9], std::string("s9\0", 3));
}

TEST_F(SummaryReaderTest, ABrokenRecordOfTheOtherSectionFailsTheRead)
{
    ByteWriter cut = head(1);
    cut.text("phase").zeros(4).text("v0");  // nine value names missing
    EXPECT_FALSE(read(cut.str(), SummarySection::Flags));
    ByteWriter noSteps = head(0);
    noSteps.int32(1).text("door").byte(0).text("open");  // the second value name is missing
    EXPECT_FALSE(read(noSteps.str(), SummarySection::Steps));
}

TEST_F(SummaryReaderTest, NamesEndAtTheirFirstZeroByteOrFillTheirField)
{
    Summary summary;
    summary.flags = {{"bare", "a", "b", false}, {"", "c", "d"}, {std::string("in\0side", 7), "e", "f"}};
    summary.flags.push_back({std::string(511, 'n'), "g", "h"});  // 512 bytes with its zero
    ASSERT_TRUE(read(EncodeSummary(summary), SummarySection::Flags));
    EXPECT_EQ(keys(), (std::vector<std::string>{"bare", "", "in", std::string(511, 'n')}));
}

TEST_F(SummaryReaderTest, ANameDeclaredTwiceIsReadTwiceInOrder)
{
    Summary summary;
    summary.flags = {{"door", "first", "x"}, {"door", "second", "y"}};
    ASSERT_TRUE(read(EncodeSummary(summary), SummarySection::Flags));
    EXPECT_EQ(keys(), (std::vector<std::string>{"door", "door"}));
    EXPECT_EQ(read_->flags.valueNames[1][0], std::string("second\0", 7));
}

TEST_F(SummaryReaderTest, TheClosingBytesMayBeCutButNothingMayFollowThem)
{
    Summary summary;
    summary.flags = {{"door", "open", "shut"}};
    for (std::size_t closing : {0, 5, 12}) {
        summary.closingBytes = closing;
        EXPECT_TRUE(read(EncodeSummary(summary), SummarySection::Flags)) << closing;
    }
    // A summary of the later format starts alike and goes on after these bytes.
    summary.closingBytes = 13;
    EXPECT_FALSE(read(EncodeSummary(summary), SummarySection::Flags));
    EXPECT_FALSE(read(EncodeSummary(summary), SummarySection::Steps));
}

TEST_F(SummaryReaderTest, EveryNegativeLengthFailsAtOnce)
{
    Summary summary;
    summary.leadingBlockLengths = {1, 1, 1, 1, 1};
    summary.steps = {step("phase")};
    summary.flags = {{"door", "open", "shut"}};
    const std::string good = EncodeSummary(summary);
    // Offsets of a leading block, the step name, a step value name, the flag name and a flag value name.
    const std::size_t stepName = 5 * 5 + 8 + 4;
    const std::size_t stepValue = stepName + 4 + 6 + 4;
    const std::size_t flagName = stepName + 4 + 6 + 4 + 10 * 7 + 4;
    const std::size_t flagValue = flagName + 4 + 5 + 1;
    for (std::size_t at : {std::size_t{5}, stepName, stepValue, flagName, flagValue}) {
        std::string bad = good;
        bad.replace(at, 4, std::string("\xff\xff\xff\xff", 4));
        for (SummarySection section : {SummarySection::Flags, SummarySection::Steps})
            EXPECT_FALSE(read(bad, section)) << "offset " << at;
    }
    // A record whose last length leads back to its own start, with a huge count: fails on the first record.
    ByteWriter loop = head(2147483647);
    loop.int32(0).zeros(4);
    for (int i = 0; i < 9; ++i)
        loop.int32(0);
    loop.int32(-static_cast<std::int32_t>(4 + 4 + 10 * 4));
    EXPECT_FALSE(read(loop.str(), SummarySection::Flags));
}

TEST_F(SummaryReaderTest, TheScenarioHoldsExactlyOneSummaryWhateverItsCase)
{
    Summary summary;
    summary.flags = {{"door", "open", "shut"}};
    EXPECT_FALSE(context().source.readSummary(SummarySection::Flags));

    addBytes("summary.wsm", EncodeSummary(summary));
    const std::optional<quorvel::Summary> one = context().source.readSummary(SummarySection::Flags);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->flags.names.size(), 1u);

    addBytes("SUMMARY.WSM", EncodeSummary(summary));
    EXPECT_FALSE(context().source.readSummary(SummarySection::Flags));
}

}  // namespace
}  // namespace quorvel::build
