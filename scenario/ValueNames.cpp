#include "scenario/ValueNames.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quorvel {

namespace {

// A length below this is one byte; a longer one is this byte and the
// length in four more (a summary declares tens of thousands of short names).
constexpr unsigned char LongLength = 0xFF;
constexpr std::size_t LongLengthBytes = 4;

struct StoredLength {
    std::size_t length;
    std::size_t prefix;  // the bytes the length takes
};

StoredLength lengthAt(const std::string& packed, std::size_t at)
{
    const auto first = static_cast<unsigned char>(packed[at]);
    if (first != LongLength)
        return {first, 1};
    std::size_t length = 0;
    for (std::size_t i = 0; i < LongLengthBytes; ++i)
        length |= static_cast<std::size_t>(static_cast<unsigned char>(packed[at + 1 + i])) << (8 * i);
    return {length, 1 + LongLengthBytes};
}

}  // namespace

void ValueNames::add(std::string_view name)
{
    if (name.size() > std::numeric_limits<std::uint32_t>::max() || count_ == std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a value name too long to keep");
    if (name.size() < LongLength) {
        packed_ += static_cast<char>(name.size());
    } else {
        packed_ += static_cast<char>(LongLength);
        for (std::size_t i = 0; i < LongLengthBytes; ++i)
            packed_ += static_cast<char>((name.size() >> (8 * i)) & 0xFF);
    }
    packed_.append(name);
    ++count_;
}

Text ValueNames::operator[](std::size_t i) const
{
    if (i >= count_)
        throw std::out_of_range("no such value name");
    std::size_t at = 0;
    for (; i > 0; --i) {
        const StoredLength stored = lengthAt(packed_, at);
        at += stored.prefix + stored.length;
    }
    const StoredLength stored = lengthAt(packed_, at);
    return Text(std::string_view(packed_).substr(at + stored.prefix, stored.length), encoding_, endsInStoredByte_);
}

}  // namespace quorvel
