#include "scenario/ValueNames.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quorvel {

namespace {

constexpr std::size_t LengthBytes = 4;

std::size_t lengthAt(const std::string& packed, std::size_t at)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < LengthBytes; ++i)
        length |= static_cast<std::size_t>(static_cast<unsigned char>(packed[at + i])) << (8 * i);
    return length;
}

}  // namespace

void ValueNames::add(std::string_view name)
{
    if (name.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a value name too long to keep");
    for (std::size_t i = 0; i < LengthBytes; ++i)
        packed_ += static_cast<char>((name.size() >> (8 * i)) & 0xFF);
    packed_.append(name);
    ++count_;
}

Text ValueNames::operator[](std::size_t i) const
{
    if (i >= count_)
        throw std::out_of_range("no such value name");
    std::size_t at = 0;
    for (; i > 0; --i)
        at += LengthBytes + lengthAt(packed_, at);
    return Text(std::string_view(packed_).substr(at + LengthBytes, lengthAt(packed_, at)), encoding_,
                endsInStoredByte_);
}

}  // namespace quorvel
