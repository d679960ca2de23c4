#pragma once

#include "scenario/Widfile.h"

#include <deque>
#include <span>
#include <string>

namespace quorvel::build {

// Loads bytes as the data file `fileName` would be loaded from disk.
inline Cwidfile LoadBytes(const std::string& fileName, const std::string& bytes)
{
    return Cwidfile(fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// The same, kept to the end of the test program, so its records can be
// handed around on their own.
inline const Cwidfile& LoadAndKeep(const std::string& fileName, const std::string& bytes)
{
    static std::deque<Cwidfile> kept;
    return kept.emplace_back(LoadBytes(fileName, bytes));
}

}  // namespace quorvel::build
