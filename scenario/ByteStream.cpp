#include "scenario/ByteStream.h"

namespace quorvel {

void ByteStream::fail(const std::string& what) const
{
    throw ReadError(what + " at offset " + std::to_string(position_));
}

void ByteStream::failShort(std::uint64_t n) const
{
    fail("unexpected end of file reading " + std::to_string(n) + " bytes");
}

void ByteStream::failTextLength(std::int32_t length) const
{
    fail("text length " + std::to_string(length) + " outside 0..512");
}

void ByteStream::failBlockLength(std::int32_t length) const
{
    fail("negative block length " + std::to_string(length));
}

}  // namespace quorvel
