#pragma once

#include "scenario/ClassicLayout.h"
#include "scenario/Text.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// Raised by every step of a classic reader; only the reader's entry catches it.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Forward-only little-endian reader over a classic file held in memory.
//
// Reads check their bounds and throw ReadError when the bytes run out.
// Skips only move the position: like a seek on a file, a skip may pass the
// end, and the read that follows it is what notices. Positions are 64-bit,
// so a skip of 2^31-1 bytes cannot wrap.
//
// The reads of a byte, a number and a text are forced inline: the readers
// call them for every field, and optimising across files otherwise leaves
// them as calls in the largest readers (perf, dense item search: a tenth of
// the program's own time went to those calls).
class ByteStream {
public:
    explicit ByteStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) { }

    [[gnu::always_inline]] std::uint8_t readByte() { return *take(1); }
    [[gnu::always_inline]] std::int32_t readInt()
    {
        const std::uint8_t* p = take(4);
        return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
                                         | std::uint32_t(p[3]) << 24);
    }
    // A length-prefixed text of 0 to 512 bytes, kept whole (final zero byte
    // included), as a view into the bytes read.
    [[gnu::always_inline]] Text readText()
    {
        const std::int32_t length = readInt();
        if (length < 0 || length > classic::MaxTextLength)
            failTextLength(length);
        return Text::Stored({reinterpret_cast<const char*>(take(static_cast<std::uint64_t>(length))),
                             static_cast<std::size_t>(length)});
    }
    // Consumes n bytes that must all be present (used for data that is read and dropped).
    // A block whose bytes are a text as stored, of any length.
    Text readBlockAsText()
    {
        const std::int32_t length = readInt();
        if (length < 0)
            failBlockLength(length);
        return Text::Stored({reinterpret_cast<const char*>(take(static_cast<std::uint64_t>(length))),
                             static_cast<std::size_t>(length)});
    }

    void readAndDrop(std::uint64_t n) { take(n); }
    void skip(std::uint64_t n) { position_ += n; }
    // A non-negative length followed by that many skipped bytes.
    void skipBlock()
    {
        const std::int32_t length = readInt();
        if (length < 0)
            failBlockLength(length);
        skip(static_cast<std::uint64_t>(length));
    }

    // True when a read of one more byte would find the end of the data.
    bool atOrPastEnd() const { return position_ >= bytes_.size(); }
    // The bytes left to read.
    std::uint64_t remaining() const { return atOrPastEnd() ? 0 : bytes_.size() - position_; }

    [[noreturn]] void fail(const std::string& what) const;

private:
    [[gnu::always_inline]] const std::uint8_t* take(std::uint64_t n)
    {
        if (position_ > bytes_.size() || n > bytes_.size() - position_)
            failShort(n);
        const std::uint8_t* at = bytes_.data() + position_;
        position_ += n;
        return at;
    }
    [[noreturn]] void failShort(std::uint64_t n) const;
    [[noreturn]] void failTextLength(std::int32_t length) const;
    [[noreturn]] void failBlockLength(std::int32_t length) const;

    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

}  // namespace quorvel
