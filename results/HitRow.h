#pragma once

#include <array>
#include <string>

namespace quorvel {

// One result row: file name, event, head start name, owning start name,
// kind word, value. Shift-JIS texts; data-file texts keep their zero byte.
struct HitRow {
    std::array<std::string, 6> texts;
};

}  // namespace quorvel
