#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

// Content kind codes 0..73 as stored in a content's kind byte: 0..65 of the
// classic format, 66..73 added by its later revisions (the files still say
// data version 4, so nothing but the kinds used tells them apart). Kinds
// that no search looks for have no name; they are still valid and read by
// their layout.
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
    RandomMembers,   // byte groups; byte style; style bit 0: int, int (levels); bit 1: byte (status)
    TwoOptionsText,  // byte; byte; text
};

namespace detail {

using L = DetailLayout;

inline constexpr std::array<DetailLayout, LastContentKind + 1> Layouts = {
    L::Empty,             //  0
    L::Text,              //  1 StartLink
    L::Number,            //  2 BattleStart
    L::Option,            //  3
    L::Empty,             //  4
    L::Number,            //  5 AreaMove
    L::TwoTexts,          //  6
    L::Text,              //  7
    L::Cells,             //  8 BackgroundChange
    L::Text,              //  9 PlaySound
    L::Number,            // 10
    L::Effect,            // 11 Effect
    L::TwoOptions,        // 12 MemberSelect
    L::NumberSkip,        // 13 AbilityCheck
    L::Number,            // 14 RandomBranch
    L::Text,              // 15 FlagBranch
    L::TextOption,        // 16 FlagChange
    L::Text,              // 17 StepMultiBranch
    L::TextNumber,        // 18 StepChange
    L::Number,            // 19 CastCheck
    L::Gain,              // 20 ItemBranch
    L::Gain,              // 21 SkillBranch
    L::Number,            // 22 InfoBranch
    L::Gain,              // 23 BeastBranch
    L::Number,            // 24 MoneyBranch
    L::TextNumberOption,  // 25 CouponBranch
    L::Number,            // 26
    L::Gain,              // 27 ItemGet
    L::Gain,              // 28 SkillGet
    L::Number,            // 29 InfoGet
    L::Gain,              // 30 BeastGet
    L::Number,            // 31
    L::TextNumberOption,  // 32 CouponGet
    L::Number,            // 33
    L::Gain,              // 34 ItemLose
    L::Gain,              // 35 SkillLose
    L::Number,            // 36 InfoLose
    L::Gain,              // 37 BeastLose
    L::Number,            // 38
    L::TextNumberOption,  // 39 CouponDelete
    L::Dialogue,          // 40 Dialogue
    L::Text,              // 41 StepIncrease
    L::Text,              // 42 StepDecrease
    L::Text,              // 43 FlagReverse
    L::TextNumber,        // 44 StepUpDownBranch
    L::Empty,             // 45
    L::OptionNumber,      // 46 LevelCheck
    L::TwoOptions,        // 47 StatusCheck
    L::Number,            // 48 PartySizeCheck
    L::Empty,             // 49
    L::Empty,             // 50
    L::Empty,             // 51
    L::Text,              // 52 StartCall
    L::Number,            // 53 PackageLink
    L::Number,            // 54 PackageCall
    L::Empty,             // 55
    L::Empty,             // 56
    L::Text,              // 57 EndMarkBranch
    L::Text,              // 58
    L::Text,              // 59
    L::Text,              // 60 GossipBranch
    L::Text,              // 61 GossipGet
    L::Text,              // 62 GossipDelete
    L::Empty,             // 63 BattleCheck
    L::Empty,             // 64
    L::Text,              // 65 FlagJudge
    L::TwoTexts,          // 66 StepSubstitute
    L::TwoTexts,          // 67 FlagSubstitute
    L::TwoTexts,          // 68 StepCompareBranch
    L::TwoTexts,          // 69 FlagCompareBranch
    L::RandomMembers,     // 70 RandomMemberBranch
    L::TwoOptionsText,    // 71 KeyCodeBranch
    L::TextNumberOption,  // 72 StepCheck
    L::OptionNumber,      // 73 RoundBranch
};

}  // namespace detail

// The layout of a kind code 0..LastContentKind; the caller has already rejected other codes.
inline DetailLayout DetailLayoutOf(int kind)
{
    return detail::Layouts.at(static_cast<std::size_t>(kind));
}

}  // namespace quorvel
