// Fuzz target for the summary reader: any bytes must read or fail cleanly,
// and a successful read must give one value-name list per declared name, of
// 2 names for a flag and 10 for a step, and none for the other section.

#include "search/SummaryReader.h"
#include "tests/support/Bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the section, so both the reading and the passing over are reached.
    const auto section = data[0] & 1 ? quorvel::SummarySection::Steps : quorvel::SummarySection::Flags;
    std::optional<quorvel::Summary> summary
        = quorvel::ReadClassicSummary(quorvel::build::BytesOf(std::span(data + 1, size - 1)), section);
    if (!summary)
        return 0;
    const quorvel::Declarations& read = summary->of(section);
    const quorvel::SummarySection other
        = section == quorvel::SummarySection::Steps ? quorvel::SummarySection::Flags : quorvel::SummarySection::Steps;
    const std::size_t perName = section == quorvel::SummarySection::Steps ? 10 : 2;
    if (read.names.size() != read.valueNames.size() || !summary->of(other).names.empty())
        __builtin_trap();
    for (const quorvel::ValueNames& names : read.valueNames)
        if (names.size() != perName)
            __builtin_trap();
    return 0;
}
