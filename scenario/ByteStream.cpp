#include "scenario/ByteStream.h"

namespace quorvel {

void ByteStream::fail(const std::string& what) const
{
    throw WidReadError(what + " at offset " + std::to_string(position_));
}

const std::uint8_t* ByteStream::take(std::uint64_t n)
{
    if (position_ > bytes_.size() || n > bytes_.size() - position_)
        fail("unexpected end of file reading " + std::to_string(n) + " bytes");
    const std::uint8_t* at = bytes_.data() + position_;
    position_ += n;
    return at;
}

std::uint8_t ByteStream::readByte()
{
    return *take(1);
}

std::int32_t ByteStream::readInt()
{
    const std::uint8_t* p = take(4);
    const std::uint32_t value = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    return static_cast<std::int32_t>(value);
}

std::string ByteStream::readText()
{
    const std::int32_t length = readInt();
    if (length < 0 || length > MaxTextLength)
        fail("text length " + std::to_string(length) + " outside 0..512");
    const std::uint8_t* p = take(static_cast<std::uint64_t>(length));
    return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(length));
}

void ByteStream::readAndDrop(std::uint64_t n)
{
    take(n);
}

void ByteStream::skipBlock()
{
    const std::int32_t length = readInt();
    if (length < 0)
        fail("negative block length " + std::to_string(length));
    skip(static_cast<std::uint64_t>(length));
}

}  // namespace quorvel
