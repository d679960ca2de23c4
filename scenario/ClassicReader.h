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

// The id of what a data file defines when it is listed among the files of
// `listedKind`. Only a classic file can be listed (by its name) as another
// kind than its kind byte says: its id is then the stored one as the listed
// kind reads it, less the offset for every kind but Package. An item file
// listed as a package keeps its 40001; a package listed as an item loses
// 40000 from its 3.
std::int64_t IdAsListedKind(const DataFile& file, FileKind listedKind);

}  // namespace quorvel
