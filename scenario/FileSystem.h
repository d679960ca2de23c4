#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quorvel {

// The file-name part of a path: everything after the last separator of the
// platform ("/" on POSIX; "\", "/" or ":" on Windows).
std::string FileNamePart(const std::string& path);

// The folder part of a path: up to and including its last separator; empty
// when it has none.
std::string FolderPart(const std::string& path);

// The platform's main path separator, as appended between folder and name.
char PathSeparator();

// The bytes of a whole file, read with one read into a buffer that is not
// filled first.
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};

// Room for bytes about to be read in, left as it is (not zeroed first).
inline std::unique_ptr<std::uint8_t[]> RoomForBytes(std::size_t size)
{
    return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[size]);
}

// Reads a whole ordinary file; nothing when it cannot be opened or read
// completely. Throws std::bad_alloc when it does not fit in memory.
std::optional<FileBytes> ReadFileBytes(const std::string& path);

}  // namespace quorvel
