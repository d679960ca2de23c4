#pragma once

#include <cstdint>

namespace quorvel {

// Content kind codes 0..73 as stored in a content's kind byte: 0..65 of the
// classic format, 66..73 added by its later revisions (the files still say
// data version 4, so nothing but the kinds used tells them apart). Kinds
// that no search looks for have no name; they are still valid.
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
    CastGain = 26,
    ItemGet = 27,
    SkillGet = 28,
    InfoGet = 29,
    BeastGet = 30,
    CouponGet = 32,
    CastLoss = 33,
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
    StepSubstitute = 66,      // step `to` (text2) takes the value of step `from` (text)
    FlagSubstitute = 67,      // flag `to` (text2) takes the value of flag `from` (text)
    StepCompareBranch = 68,   // steps text and text2; children "<", "=", ">"
    FlagCompareBranch = 69,   // flags text and text2; children "○" (same value), "×"
    RandomMemberBranch = 70,  // "○" / "×"
    KeyCodeBranch = 71,       // "○" / "×"
    StepCheck = 72,           // the event goes on only if step text compares with number as option says
    RoundBranch = 73,         // battle round; "○" / "×"
};

inline constexpr int LastContentKind = 73;

// Kinds only the XML format has, numbered past every classic kind; no
// classic file stores them. A content of a type no reader knows keeps its
// children under UnknownContent.
namespace xml_only {
inline constexpr std::uint8_t ReplaceBgImage = 100;     // Replace/BgImage: cells, each with a flag
inline constexpr std::uint8_t SetVariant = 101;         // Set/Variant: a flag, step or variant takes an expression
inline constexpr std::uint8_t BranchVariant = 102;      // Branch/Variant: "○" / "×" by an expression
inline constexpr std::uint8_t CheckVariant = 103;       // Check/Variant: goes on only if an expression holds
inline constexpr std::uint8_t MultiCouponBranch = 104;  // Branch/MultiCoupon: each child named by a coupon
inline constexpr std::uint8_t MultiRandomBranch = 105;  // Branch/MultiRandom: a child at random
inline constexpr std::uint8_t UnknownContent = 255;
}  // namespace xml_only

}  // namespace quorvel
