// Fuzz target for the summary reader: any bytes must read or fail cleanly,
// and a successful read must leave both tables in step: one value-name list
// per declared name, of 2 names for a flag and 10 for a step.

#include "search/SummaryReader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the section, so both the reading and the passing over are reached.
    const auto section = data[0] & 1 ? quorvel::SummarySection::Steps : quorvel::SummarySection::Flags;
    quorvel::ResultIndex index;
    quorvel::ValueNameTable valueNames;
    index.setMode(quorvel::TableMode::Sorted);
    if (!quorvel::ReadSummaryBytes(std::span(data + 1, size - 1), section, index, valueNames))
        return 0;
    const std::size_t perName = section == quorvel::SummarySection::Steps ? 10 : 2;
    if (index.count() != valueNames.count())
        __builtin_trap();
    for (int entry = 0; entry < index.count(); ++entry) {
        const quorvel::ValueNames* names = valueNames.find(quorvel::EntryId{entry});
        if (!names || names->size() != perName)
            __builtin_trap();
    }
    return 0;
}
