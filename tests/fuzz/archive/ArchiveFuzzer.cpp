// Fuzz target for the archive layer: any bytes, read as an archive, must
// list a scenario or fail cleanly; each data file it lists opens or fails
// cleanly, and so does its summary.

#include "search/ArchiveTree.h"
#include "search/TreeSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvel;
    // Small limits, so that an input cannot make the target slow by its size.
    const ArchiveLimits limits{.entry = 1 << 20, .total = 4 << 20};
    TreeSource source(
        ArchiveFolderTreeInMemory("fuzz.zip", std::string(reinterpret_cast<const char*>(data), size), limits));
    for (const std::string& path : source.dataFiles(EveryFileKind))
        source.openDataFile(path);
    source.readSummary(SummarySection::Flags);
    return 0;
}
