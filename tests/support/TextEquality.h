#pragma once

// Tests compare texts of the model with the bytes they expect.

#include "scenario/Text.h"

#include <ostream>
#include <string_view>

namespace quorvel {

// The text's bytes are these bytes, whatever its encoding.
inline bool operator==(const Text& text, std::string_view bytes)
{
    return text.bytes() == bytes;
}

inline void PrintTo(const Text& text, std::ostream* out)
{
    *out << '"' << text.bytes() << '"' << (text.encoding() == TextEncoding::Unicode ? " (Unicode)" : "");
}

}  // namespace quorvel
