#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

// The one comparison of name tables. Zero bytes carry no weight; the rest is
// decoded from Shift-JIS and compared with ICU's Japanese collator (default
// attributes: case-sensitive, lower case first). When the collator finds two
// texts equal, their remaining bytes decide, so only identical texts (zero
// bytes aside) are equal. The order is fixed, not taken from the machine.
class CollationKey {
public:
    explicit CollationKey(std::string_view text);

    int compare(const CollationKey& other) const;
    bool operator==(const CollationKey& other) const { return compare(other) == 0; }

private:
    std::string sortKey_;  // see AppendSortKey
    std::string bytes_;    // the text without its zero bytes
};

// Appends the collator's sort key of a text without zero bytes to `keys`:
// bytes whose order, compared as strings, is the collator's order of the
// texts. It holds no zero byte. Safe on several threads at once.
void AppendSortKey(std::string_view zeroFreeText, std::string& keys);

// The text without its zero bytes: the bytes that decide equality of names.
std::string WithoutZeroBytes(std::string_view text);

// Runs make(begin, end) over consecutive ranges that cover 0..count-1, one
// range per core when there are enough items to pay for starting threads.
// make must be safe to run on several threads at once for distinct ranges.
void MakeInParallel(std::size_t count, const std::function<void(std::size_t begin, std::size_t end)>& make);

// Runs `alongside` on the calling thread while the other cores run
// make(block) for blocks 0..blocks-1, each block once; the calling thread
// takes blocks too once `alongside` is done. make must be safe to run on
// several threads at once for distinct blocks and alongside what
// `alongside` does. An exception of either reaches the caller once every
// thread has stopped; after one, the blocks not yet taken are not made.
void MakeAlongside(std::size_t blocks, const std::function<void(std::size_t block)>& make,
                   const std::function<void()>& alongside);

}  // namespace quorvel
