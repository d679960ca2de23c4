#pragma once

#include "scenario/ClassicReader.h"
#include "tests/support/Bytes.h"
#include "tests/support/TextEquality.h"

#include <deque>
#include <span>
#include <string>

namespace quorvel::build {

// A data file read from bytes as the reader reads a classic file: the file
// when it loaded (empty when not), whether it did, and why not.
struct Loaded : DataFile {
    bool loaded = false;
    std::string failure;
};

// Loads bytes as the data file `fileName` would be loaded from disk.
inline Loaded LoadBytes(const std::string& fileName, const std::string& bytes)
{
    Loaded result;
    std::optional<DataFile> file = ReadClassicDataFile(fileName, BytesOf(bytes), &result.failure);
    result.loaded = file.has_value();
    if (file)
        static_cast<DataFile&>(result) = std::move(*file);
    return result;
}

// The same, kept to the end of the test program, so its records can be
// handed around on their own.
inline const Loaded& LoadAndKeep(const std::string& fileName, const std::string& bytes)
{
    static std::deque<Loaded> kept;
    return kept.emplace_back(LoadBytes(fileName, bytes));
}

}  // namespace quorvel::build
