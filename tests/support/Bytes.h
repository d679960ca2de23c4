#pragma once

#include "scenario/FileSystem.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel::build {

// A copy of bytes held in memory, as a reader takes the bytes of a file.
inline FileBytes BytesOf(std::span<const std::uint8_t> bytes)
{
    FileBytes copy;
    copy.data = RoomForBytes(bytes.size());
    copy.size = bytes.size();
    std::copy(bytes.begin(), bytes.end(), copy.data.get());
    return copy;
}

inline FileBytes BytesOf(std::string_view bytes)
{
    return BytesOf(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace quorvel::build
