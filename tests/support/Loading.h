#pragma once

#include "scenario/DataFile.h"

#include <deque>
#include <span>
#include <string>

namespace quorvel::build {

// Loads bytes as the data file `fileName` would be loaded from disk.
inline DataFile LoadBytes(const std::string& fileName, const std::string& bytes)
{
    return DataFile(fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// The same, kept to the end of the test program, so its records can be
// handed around on their own.
inline const DataFile& LoadAndKeep(const std::string& fileName, const std::string& bytes)
{
    static std::deque<DataFile> kept;
    return kept.emplace_back(LoadBytes(fileName, bytes));
}

}  // namespace quorvel::build
