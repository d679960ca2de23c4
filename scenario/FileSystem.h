#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// The file-name part of a path: everything after the last separator of the
// platform ("/" on POSIX; "\", "/" or ":" on Windows).
std::string FileNamePart(const std::string& path);

// Reads a whole file; false when it cannot be opened or read completely.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel
