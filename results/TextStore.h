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

    // A row of copies of `texts`. A text equal to one of the last few its
    // column kept is shared with it, so what the rows of one event have in
    // common (file name, event, head start name) is kept once, and so are
    // the few kind words and values that come back from row to row.
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
    // The last texts each column kept, the newest at `next`.
    static constexpr std::size_t RecentTexts = 4;
    struct RecentOfColumn {
        std::array<std::string_view, RecentTexts> texts;
        std::size_t next = 0;
    };
    std::array<RecentOfColumn, 6> recent_;

    std::string_view keepInColumn(RecentOfColumn& recent, std::string_view text);
};

}  // namespace quorvel
