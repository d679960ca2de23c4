#pragma once

// Texts of test files in the encoding the classic format stores.

#include <string>
#include <string_view>

namespace quorvel::build {

// The Shift-JIS of UTF-8; throws when a character has no Shift-JIS form.
std::string Sjis(std::string_view utf8);

// Shift-JIS decoded to UTF-8, undecodable bytes as the converter substitutes them.
std::string Utf8(std::string_view sjis);

}  // namespace quorvel::build
