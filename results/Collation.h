#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The one order of name tables, over name keys (NameKey, Text.h): the text
// decoded (from Shift-JIS, or from the UTF-8 of a text without a Shift-JIS
// form) and compared with ICU's Japanese collator (default attributes:
// case-sensitive, lower case first). Names the collator finds equal stand
// in the order NameKeyLess gives, so only equal name keys are equal. The
// order is fixed, not taken from the machine.

// Appends the collator's sort key of a name key to `keys`: bytes whose
// order, compared as strings, is the collator's order of the texts. It
// holds no zero byte. Safe on several threads at once.
void AppendSortKey(std::string_view nameKey, std::string& keys);

// The order of names the collator ties: by their Shift-JIS bytes, and after
// every one of them the names without a Shift-JIS form, by their UTF-8.
bool NameKeyLess(std::string_view a, std::string_view b);

}  // namespace quorvel
