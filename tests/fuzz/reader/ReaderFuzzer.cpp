// Fuzz target for the data-file reader: any bytes must load or fail cleanly,
// and a loaded file must survive the per-file rule of every command.

#include "scenario/ClassicReader.h"
#include "tests/fuzz/EveryRule.h"
#include "tests/support/Bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the file name, so both ways of deciding the kind are reached.
    const char* name = data[0] & 1 ? "Package1.wid" : "Area1.wid";
    const std::optional<quorvel::DataFile> file
        = quorvel::ReadClassicDataFile(name, quorvel::build::BytesOf(std::span(data + 1, size - 1)));
    if (file)
        quorvel::RunEveryRule(*file);
    return 0;
}
