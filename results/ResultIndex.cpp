#include "results/ResultIndex.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quorvel {

void ValueNameTable::add(EntryId entry, ValueNames names)
{
    if (byEntry_.empty())
        firstEntry_ = entry.value;
    else if (entry.value != firstEntry_ + count())
        throw std::logic_error("declarations add their index entries one after another");
    byEntry_.push_back(std::move(names));
}

void ValueNameTable::adopt(EntryId first, std::vector<ValueNames> names)
{
    firstEntry_ = first.value;
    byEntry_ = std::move(names);
}

const ValueNames* ValueNameTable::find(EntryId entry) const
{
    if (byEntry_.empty() || entry.value < firstEntry_ || entry.value - firstEntry_ >= count())
        return nullptr;
    return &byEntry_[static_cast<std::size_t>(entry.value - firstEntry_)];
}

}  // namespace quorvel
