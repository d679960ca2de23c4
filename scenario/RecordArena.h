#pragma once

#include "scenario/GrowingChunks.h"

#include <cstring>
#include <span>
#include <type_traits>

namespace quorvel {

// Storage for the records of one loaded file. Each list is laid down as one
// contiguous run in chunks that never move, so records can hold spans of
// other records; everything is released at once with the arena. A list is
// copied in only once all its items have been read, so no stored count
// ever sizes an allocation.
template <typename Record>
class RecordArena {
    static_assert(std::is_trivially_destructible_v<Record> && std::is_trivially_copyable_v<Record>);

public:
    std::span<const Record> keep(std::span<const Record> items)
    {
        if (items.empty())
            return {};
        Record* const at = room_.take(items.size());
        // Records are trivially copyable (and aggregates, so the copy begins their lifetime).
        std::memcpy(static_cast<void*>(at), items.data(), items.size_bytes());
        return {at, items.size()};
    }

    void release() { room_.release(); }

private:
    // Most files hold a few hundred records of a type; content-dense ones
    // hundreds of thousands, laid down in chunks of up to 8,192.
    GrowingChunks<Record, 128, 8192> room_;
};

}  // namespace quorvel
