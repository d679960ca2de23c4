#pragma once

#include "scenario/Text.h"

#include <functional>

namespace quorvel {

// The names a text shows the values of: each stretch between `marker` and
// the next `marker` on the same line ('%' a flag's, '$' a step's, '@' a
// variant's), in order. Double-byte characters of a Shift-JIS text are
// stepped over whole, so a marker byte inside one is no marker. A marker
// with no partner on its line names nothing.
void ForEachTextReference(const Text& text, char marker, const std::function<void(const Text& name)>& onName);

}  // namespace quorvel
