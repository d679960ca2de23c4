#pragma once

#include "search/TreeSource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorvel {

// What an archive may make Quorvel read: an entry larger than this
// uncompressed is not read, and once the entries read pass the total, no
// more are.
struct ArchiveLimits {
    std::uint64_t entry = std::uint64_t{256} << 20;
    std::uint64_t total = std::uint64_t{2} << 30;
};

// Whether a file name is that of an archive a scenario comes in: .wsn, .zip,
// .cab or .lzh, letter case ignored (libarchive tells the format from the
// content).
bool IsArchiveName(const std::string& name);

// The scenario folder of an archive, read into memory as it is needed and
// never unpacked to disk: the first folder, shallower folders first, then
// in ascending order of path (a leading "./" of entry names ignored), that
// holds Summary.wsm or Summary.xml; with none, the first that holds a
// classic data file. Entry names are UTF-8 when the archive says so,
// otherwise Shift-JIS. Entries with a ".." folder, an absolute path, or that
// are links are left out.
std::unique_ptr<FileTree> ArchiveFolderTree(const std::string& archivePath, ArchiveLimits limits = {});
// The same of an archive's bytes in memory, named `name`.
std::unique_ptr<FileTree> ArchiveFolderTreeInMemory(std::string name, std::string bytes, ArchiveLimits limits = {});

}  // namespace quorvel
