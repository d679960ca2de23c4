#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

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
    RecordArena() = default;
    RecordArena(RecordArena&& other) noexcept { swap(other); }
    RecordArena& operator=(RecordArena&& other) noexcept
    {
        RecordArena(std::move(other)).swap(*this);
        return *this;
    }
    RecordArena(const RecordArena&) = delete;
    RecordArena& operator=(const RecordArena&) = delete;
    ~RecordArena() { release(); }

    std::span<const Record> keep(std::span<const Record> items)
    {
        if (items.empty())
            return {};
        if (free_ < items.size())
            grow(items.size());
        Record* at = next_;
        // Records are trivially copyable (and aggregates, so the copy begins their lifetime).
        std::memcpy(static_cast<void*>(at), items.data(), items.size_bytes());
        next_ += items.size();
        free_ -= items.size();
        return {at, items.size()};
    }

    void release()
    {
        std::allocator<Record> allocator;
        for (const auto& [chunk, size] : chunks_)
            allocator.deallocate(chunk, size);
        chunks_.clear();
        next_ = nullptr;
        free_ = 0;
        nextChunk_ = FirstChunk;
    }

private:
    static constexpr std::size_t FirstChunk = 128;
    static constexpr std::size_t LargestChunk = 8192;

    void grow(std::size_t atLeast)
    {
        const std::size_t size = std::max(atLeast, nextChunk_);
        nextChunk_ = std::min(nextChunk_ * 2, LargestChunk);
        next_ = std::allocator<Record>().allocate(size);
        chunks_.emplace_back(next_, size);
        free_ = size;
    }

    void swap(RecordArena& other) noexcept
    {
        std::swap(chunks_, other.chunks_);
        std::swap(next_, other.next_);
        std::swap(free_, other.free_);
        std::swap(nextChunk_, other.nextChunk_);
    }

    std::vector<std::pair<Record*, std::size_t>> chunks_;
    Record* next_ = nullptr;
    std::size_t free_ = 0;
    std::size_t nextChunk_ = FirstChunk;
};

}  // namespace quorvel
