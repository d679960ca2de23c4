#pragma once

#include "results/HitRow.h"
#include "results/NameTable.h"

#include <string>
#include <vector>

namespace quorvel {

// The names of the current answer, each owning the rows filed under it.
class ResultIndex : public NameTable<std::vector<HitRow>> {
public:
    void fileRow(int position, HitRow row) { payload(position).push_back(std::move(row)); }
    const std::vector<HitRow>& rows(int position) const { return payload(position); }
};

// Value names of flags and steps, used by the flag and step search.
using ValueNameTable = NameTable<std::vector<std::string>>;

}  // namespace quorvel
