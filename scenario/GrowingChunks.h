#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace quorvel {

// Room for items of one type, handed out as contiguous runs from chunks that
// never move, so what is laid down in them can be viewed for as long as the
// chunks live; everything is released at once. Chunks start small, since
// most owners keep little, and double up to a bound, so a large owner makes
// few allocations without reserving much it never fills.
template <typename Item, std::size_t FirstChunk, std::size_t LargestChunk>
class GrowingChunks {
    static_assert(FirstChunk > 0 && FirstChunk <= LargestChunk);

public:
    GrowingChunks() = default;
    GrowingChunks(GrowingChunks&& other) noexcept { swap(other); }
    GrowingChunks& operator=(GrowingChunks&& other) noexcept
    {
        GrowingChunks(std::move(other)).swap(*this);
        return *this;
    }
    GrowingChunks(const GrowingChunks&) = delete;
    GrowingChunks& operator=(const GrowingChunks&) = delete;
    ~GrowingChunks() { release(); }

    // Uninitialised room for `count` items next to each other (count > 0).
    Item* take(std::size_t count)
    {
        if (free_ < count)
            grow(count);
        Item* const at = next_;
        next_ += count;
        free_ -= count;
        return at;
    }

    // Takes over the chunks of `other`; what they hold stays where it is.
    // Room is still taken from this one's current chunk.
    void adopt(GrowingChunks&& other)
    {
        chunks_.insert(chunks_.end(), other.chunks_.begin(), other.chunks_.end());
        other.chunks_.clear();
        other.release();
    }

    void release()
    {
        std::allocator<Item> allocator;
        for (const auto& [chunk, size] : chunks_)
            allocator.deallocate(chunk, size);
        chunks_.clear();
        next_ = nullptr;
        free_ = 0;
        nextChunk_ = FirstChunk;
    }

private:
    void grow(std::size_t atLeast)
    {
        const std::size_t size = std::max(atLeast, nextChunk_);
        nextChunk_ = std::min(nextChunk_ * 2, LargestChunk);
        next_ = std::allocator<Item>().allocate(size);
        chunks_.emplace_back(next_, size);
        free_ = size;
    }

    void swap(GrowingChunks& other) noexcept
    {
        std::swap(chunks_, other.chunks_);
        std::swap(next_, other.next_);
        std::swap(free_, other.free_);
        std::swap(nextChunk_, other.nextChunk_);
    }

    std::vector<std::pair<Item*, std::size_t>> chunks_;
    Item* next_ = nullptr;
    std::size_t free_ = 0;
    std::size_t nextChunk_ = FirstChunk;
};

}  // namespace quorvel
