#pragma once

#include "scenario/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// The value names of one declared flag or step, in order, as the summary
// stores them: texts of one kind (`kind` gives their encoding and whether
// they end in a stored byte), packed into one string, so a flag's two short
// names fit in the string itself.
class ValueNames {
public:
    ValueNames() = default;
    explicit ValueNames(const Text& kind) : encoding_(kind.encoding()), endsInStoredByte_(kind.endsInStoredByte()) { }

    // A name of the list's kind.
    void add(std::string_view name);
    std::size_t size() const { return count_; }
    Text operator[](std::size_t i) const;

private:
    // A summary declares tens of thousands of these: what a name's kind
    // needs is kept in two bytes, not in a text of its own.
    std::string packed_;  // each name: its length (one byte, or five past 254), then its bytes
    std::uint32_t count_ = 0;
    TextEncoding encoding_ = TextEncoding::Unicode;
    bool endsInStoredByte_ = false;
};

}  // namespace quorvel
