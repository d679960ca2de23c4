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

}  // namespace quorvel
