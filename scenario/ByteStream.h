#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace quorvel {

// Raised by every step of the reader; only the Cwidfile constructor catches it.
class WidReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Forward-only little-endian reader over a data file held in memory.
//
// Reads check their bounds and throw WidReadError when the bytes run out.
// Skips only move the position: like a seek on a file, a skip may pass the
// end, and the read that follows it is what notices. Positions are 64-bit,
// so a skip of 2^31-1 bytes cannot wrap.
class ByteStream {
public:
    explicit ByteStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t readByte();
    std::int32_t readInt();
    // A length-prefixed text of 0 to 512 bytes, kept whole (final zero byte included).
    std::string readText();
    // Consumes n bytes that must all be present (used for data that is read and dropped).
    void readAndDrop(std::uint64_t n);
    void skip(std::uint64_t n) { position_ += n; }
    // A non-negative length followed by that many skipped bytes.
    void skipBlock();

    // True when a read of one more byte would find the end of the data.
    bool atOrPastEnd() const { return position_ >= bytes_.size(); }

    [[noreturn]] void fail(const std::string& what) const;

private:
    const std::uint8_t* take(std::uint64_t n);

    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

inline constexpr std::int32_t MaxTextLength = 512;

}  // namespace quorvel
