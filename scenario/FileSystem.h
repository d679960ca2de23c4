#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// The file-name part of a path: everything after the last separator of the
// platform ("/" on POSIX; "\", "/" or ":" on Windows).
std::string FileNamePart(const std::string& path);

// The folder part of a path: up to and including its last separator; empty
// when it has none.
std::string FolderPart(const std::string& path);

// The platform's main path separator, as appended between folder and name.
char PathSeparator();

// Reads a whole file; false when it cannot be opened or read completely.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel
