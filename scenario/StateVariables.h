#pragma once

#include "scenario/Text.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace quorvel {

// The three kinds of state variable: flags, steps and (in the XML format's
// later revisions) variants, which hold a number, a text or a truth value.
enum class SummarySection { Flags = 0, Steps = 1, Variants = 2 };
inline constexpr std::size_t StateVariableKinds = 3;

// A set of kinds of state variable.
class SummarySections {
public:
    constexpr SummarySections(SummarySection one) { bits_ = bit(one); }
    constexpr SummarySections(std::initializer_list<SummarySection> kinds)
    {
        for (const SummarySection kind : kinds)
            bits_ |= bit(kind);
    }
    constexpr bool has(SummarySection kind) const { return (bits_ & bit(kind)) != 0; }

private:
    static constexpr std::uint8_t bit(SummarySection kind)
    {
        return static_cast<std::uint8_t>(1u << static_cast<int>(kind));
    }
    std::uint8_t bits_ = 0;
};

// A state variable a card declares for its own events: its whole name
// (the local path) and its value names (a flag's two, a step's; none for
// a variant).
struct LocalVariable {
    Text name;
    std::span<const Text> valueNames;
};

// What a skill, item or beast card declares for its own events, by kind
// (SummarySection); only its events see these, before the scenario's.
struct CardVariables {
    std::array<std::span<const LocalVariable>, StateVariableKinds> ofKind;

    std::span<const LocalVariable> of(SummarySection kind) const { return ofKind[static_cast<std::size_t>(kind)]; }
};

}  // namespace quorvel
