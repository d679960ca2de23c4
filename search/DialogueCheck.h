#pragma once

#include "search/DataFileLoop.h"
#include "search/SearchContext.h"

#include <string_view>
#include <vector>

namespace quorvel {

// Lists, under the one line "チェック！" (nothing when all is well), every
// dialogue in which an entry before the last has no coupon condition.
void CheckDialogues(SearchContext& context);
void CheckEventDialogues(const EventVisit& visit, std::vector<KeyedRow>& found);

// The text without the bytes 0x00 to 0x20 at either end (zero bytes, line
// breaks, spaces); bytes inside, and two-byte spaces, stay.
std::string_view Trimmed(std::string_view text);

}  // namespace quorvel
