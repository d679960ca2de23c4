#pragma once

// Writes archives for tests, benchmarks and the demo with libarchive:
// zip (.wsn, .zip) and 7z.

#include <string>
#include <vector>

namespace quorvel::build {

struct ArchiveEntry {
    enum class Type { File, Folder, SymbolicLink };
    std::string name;  // as the archive stores it
    std::string data;  // a file's bytes, or where a link points
    Type type = Type::File;
};

enum class ArchiveFormat { Zip, SevenZip };

// How the names are stored: in UTF-8 and marked so, or as their bytes
// without a mark (what older tools write in Shift-JIS).
enum class NameMarking { Utf8, Unmarked };

// Writes the entries into an archive at `path`; throws on failure.
void WriteArchive(const std::string& path, const std::vector<ArchiveEntry>& entries,
                  ArchiveFormat format = ArchiveFormat::Zip, NameMarking names = NameMarking::Utf8);

// Every file below a folder as entries, named by their paths from it,
// under `prefix` ("" or "sub/").
std::vector<ArchiveEntry> EntriesOfFolder(const std::string& folder, const std::string& prefix = {});

}  // namespace quorvel::build
