#pragma once

#include <cstdint>

namespace quorvel {

// Content kind codes 0..65 as stored in a content's kind byte. Kinds that no
// search looks for have no name; they are still valid and read by their layout.
enum class ContentKind : std::uint8_t {
    StartLink = 1,
    BattleStart = 2,
    AreaMove = 5,
    BackgroundChange = 8,
    PlaySound = 9,
    Effect = 11,
    MemberSelect = 12,
    AbilityCheck = 13,
    RandomBranch = 14,
    FlagBranch = 15,
    FlagChange = 16,
    StepMultiBranch = 17,
    StepChange = 18,
    CastCheck = 19,
    ItemBranch = 20,
    SkillBranch = 21,
    InfoBranch = 22,
    BeastBranch = 23,
    MoneyBranch = 24,
    CouponBranch = 25,
    ItemGet = 27,
    SkillGet = 28,
    InfoGet = 29,
    BeastGet = 30,
    CouponGet = 32,
    ItemLose = 34,
    SkillLose = 35,
    InfoLose = 36,
    BeastLose = 37,
    CouponDelete = 39,
    Dialogue = 40,
    StepIncrease = 41,
    StepDecrease = 42,
    FlagReverse = 43,
    StepUpDownBranch = 44,
    LevelCheck = 46,
    StatusCheck = 47,
    PartySizeCheck = 48,
    StartCall = 52,
    PackageLink = 53,
    PackageCall = 54,
    EndMarkBranch = 57,
    GossipBranch = 60,
    GossipGet = 61,
    GossipDelete = 62,
    BattleCheck = 63,
    FlagJudge = 65,
};

inline constexpr int LastContentKind = 65;

// How the detail of a content is stored after its children.
enum class DetailLayout : std::uint8_t {
    Empty,
    Text,
    Number,
    Option,
    TwoTexts,
    Cells,
    Effect,
    TwoOptions,
    NumberSkip,
    TextOption,
    TextNumber,
    Gain,
    TextNumberOption,
    Dialogue,
    OptionNumber,
};

// The layout of a kind code 0..65; the caller has already rejected other codes.
DetailLayout DetailLayoutOf(int kind);

}  // namespace quorvel
