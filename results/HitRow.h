#pragma once

#include <array>
#include <string_view>

namespace quorvel {

// One result row: file name, event, head start name, owning start name,
// kind word, value. Shift-JIS texts; data-file texts keep their zero byte.
// The texts are views of copies the answer holding the row keeps (a
// TextStore), or of literals.
struct HitRow {
    std::array<std::string_view, 6> texts;
};

}  // namespace quorvel
