// Fuzz target for the XML reader: any bytes must load or fail cleanly, and a
// loaded file must survive the per-file rule of every command; the summary
// reader must give a name its value names or fail.

#include "scenario/XmlReader.h"
#include "search/SummaryReader.h"
#include "tests/fuzz/EveryRule.h"
#include "tests/support/Bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

constexpr quorvel::FileKind Kinds[]
    = {quorvel::FileKind::Area, quorvel::FileKind::Battle, quorvel::FileKind::Mate,  quorvel::FileKind::Item,
       quorvel::FileKind::Info, quorvel::FileKind::Skill,  quorvel::FileKind::Beast, quorvel::FileKind::Package};

void readSummary(std::span<const std::uint8_t> bytes)
{
    using quorvel::SummarySection;
    const std::optional<quorvel::Summary> summary = quorvel::ReadXmlSummary(
        quorvel::build::BytesOf(bytes), {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants});
    if (!summary)
        return;
    for (const SummarySection section : {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants})
        if (summary->of(section).names.size() != summary->of(section).valueNames.size())
            __builtin_trap();
}

}  // namespace

// The first byte picks what the rest is read as: its low three bits the
// kind of data file, its fourth bit a summary instead, read whole, its
// fifth bit a data file with the texts only the text search reads.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    if (data[0] & 8) {
        readSummary(bytes);
        return 0;
    }
    const std::optional<quorvel::DataFile> file
        = quorvel::ReadXmlDataFile("Area/Area1.xml", Kinds[data[0] & 7], quorvel::build::BytesOf(bytes),
                                   data[0] & 16 ? quorvel::DataFileTexts::Written : quorvel::DataFileTexts::Searched);
    if (file)
        quorvel::RunEveryRule(*file);
    return 0;
}
