#pragma once

#include "results/HitRow.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

// Copies of texts kept for as long as the rows that view them. What is kept
// never moves, a store can take over the texts of another, and everything is
// released together.
class TextStore {
public:
    TextStore() = default;
    TextStore(TextStore&&) noexcept = default;
    TextStore& operator=(TextStore&&) noexcept = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    std::string_view keep(std::string_view text);

    // A row of copies of `texts`. A text equal to the one its column kept
    // last is shared with it, so what the rows of one event have in common
    // (file name, event, head start name) is kept once.
    HitRow keepRow(const std::array<std::string_view, 6>& texts);

    // Takes over every text `other` keeps; views of them stay good.
    void adopt(TextStore&& other);

    void clear();

private:
    static constexpr std::size_t FirstChunk = 512;
    static constexpr std::size_t LargestChunk = 64 * 1024;

    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t size;
    };

    std::vector<Chunk> chunks_;
    char* next_ = nullptr;
    std::size_t free_ = 0;
    std::size_t nextChunk_ = FirstChunk;
    std::array<std::string_view, 6> lastOfColumn_;
};

}  // namespace quorvel
