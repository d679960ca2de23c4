#pragma once

#include "scenario/Widfile.h"

#include <span>
#include <string>

namespace quorvel::build {

// Loads bytes as the data file `fileName` would be loaded from disk.
inline Cwidfile LoadBytes(const std::string& fileName, const std::string& bytes)
{
    return Cwidfile(fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace quorvel::build
