#pragma once

#include "scenario/DataFile.h"
#include "scenario/FileSystem.h"

#include <optional>
#include <string>

namespace quorvel {

// Reads a data file of the classic binary format (*.wid) from its bytes, as
// the file `fileName` (a name beginning with "Package" makes it a Package
// file whatever its first byte says). The file keeps the bytes; its texts
// are views of them. Reads completely or not at all: nothing when the bytes
// are not such a file, with the reason in `failure` when asked.
std::optional<DataFile> ReadClassicDataFile(std::string fileName, FileBytes bytes, std::string* failure = nullptr);

// The id of what a classic file defines when it is listed among the files
// of `listedKind`. A file whose kind byte says Package although it is listed
// as another kind is read as a package, whose id is stored without offset:
// as the listed kind's id it still loses the offset that kind's ids carry.
std::int64_t IdAsListedKind(const DataFile& file, FileKind listedKind);

}  // namespace quorvel
