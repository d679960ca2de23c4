#pragma once

// The classic binary format of data files (*.wid) and of Summary.wsm, as
// far as Quorvel reads it: the size of every part it steps over, named, and
// how the detail of each content kind is stored. The reader and the test
// builder that writes such files both follow this description.
//
// Items: a byte; an int (4 bytes, little-endian, signed); a text (an int L
// of 0 to 512, then L bytes of Shift-JIS whose last is the zero byte that
// ends the text); a block (an int L, not negative, then L bytes stepped
// over); a list (an int n, then n items; below 1, none). Parts that are
// stepped over are named by where they stand; what they mean is not read.

#include "scenario/ContentKind.h"

#include <array>
#include <cstdint>

namespace quorvel::classic {

inline constexpr std::int32_t MaxTextLength = 512;

// Stored with this added: a file's id (every kind but Package), a content's
// child count, the id of a card a cast member owns.
inline constexpr std::int32_t IdOffset = 40000;

// The start of a file: its kind byte, then for a Package file padding, for
// any other a block; then the title and the id.
struct Header {
    // A file whose name begins with this (letter case counting) is a Package file.
    static constexpr const char* PackageNamePrefix = "Package";
    static constexpr std::uint8_t PackageKind = 8;
    static constexpr std::uint8_t LastCardKind = 6;  // kinds 0..6 have a block after the kind byte
    static constexpr std::uint64_t PackagePadding = 3;
};

// Area and Battle files: events with keys, this, then the cards; then an
// Area's cells or a Battle's closing block.
inline constexpr std::uint64_t BeforePlacedCards = 1;

// A card placed on an area: lead; an image block; its name; this; a block;
// then its events with keys, its flag, the fixed part after the flag and a
// closing block.
struct AreaCard {
    static constexpr std::uint64_t Lead = 1;
    static constexpr std::uint64_t AfterName = 4;
};

// An enemy card of a battle: its cast id (stored without offset), its
// events with keys, its flag, the fixed part after the flag, a closing byte.
struct EnemyCard {
    static constexpr std::uint64_t CastId = 4;
    static constexpr std::uint64_t Closing = 1;
};

// After the flag of both kinds of placed card.
inline constexpr std::uint64_t PlacedCardAfterFlag = 12;

// A cast member's body: fixed part, an image block, fixed part, then the
// lists of owned items, skills and beasts, then a list of (block, fixed part).
struct MateBody {
    static constexpr std::uint64_t BeforeImage = 18;
    static constexpr std::uint64_t AfterImage = 125;
    static constexpr std::uint64_t ClosingListItemFixed = 4;
};

// What closes an Item, Skill or Beast file after its events, and a card of
// that kind owned by a cast member.
struct CardClosing {
    static constexpr std::uint64_t Item = 25;
    static constexpr std::uint64_t Skill = 9;
    static constexpr std::uint64_t Beast = 5;
};

// A card a cast member owns: lead, an image block, its name, its id, the
// card body, its events without keys, its closing part (CardClosing).
inline constexpr std::uint64_t OwnedCardLead = 1;

// The body of a card (Item, Skill, Beast files; owned and embedded cards):
// a block, fixed part, its effect list, fixed part, middle blocks, fixed
// part, last blocks.
struct CardBody {
    static constexpr std::uint64_t AfterFirstBlock = 18;
    static constexpr std::uint64_t AfterEffects = 12;
    static constexpr int MiddleBlocks = 7;
    static constexpr std::uint64_t BeforeLastBlocks = 1;
    static constexpr int LastBlocks = 2;
};

// One effect of an effect list: its type (an int), then for the type that
// embeds a card padding and an int that says whether one follows, for any
// other type a fixed head; then the type's own bytes.
struct Effect {
    static constexpr std::int32_t FirstType = 0x40800;
    static constexpr std::int32_t EmbedsCard = 0x40808;
    static constexpr std::uint64_t EmbeddingPadding = 3;
    static constexpr std::uint64_t Head = 4;
    // The bytes after the head, by type from FirstType; EmbedsCard has a card instead.
    static constexpr std::array<std::uint64_t, 8> Tail = {5, 5, 0, 4, 4, 8, 0, 0};
};

// A card embedded in an effect: lead, two blocks, fixed part, the card
// body, its events without keys, a closing part.
struct EmbeddedCard {
    static constexpr std::uint64_t Lead = 1;
    static constexpr std::uint64_t BeforeBody = 4;
    static constexpr std::uint64_t Closing = 5;
};

// An effect content (kind 11): fixed part, its sound, fixed part, its effect list.
struct EffectContent {
    static constexpr std::uint64_t BeforeSound = 11;
    static constexpr std::uint64_t BeforeEffects = 1;
};

// An ability check (kind 13): its number, then this.
inline constexpr std::uint64_t AbilityCheckClosing = 9;

// A cell: four ints, the third its width field. Below TypedWidths a classic
// cell (a text, a byte); from TypedWidths to below NewerWidths a type byte
// and a text or colour cell; then its flag and a byte.
struct CellLayoutOf {
    static constexpr std::int32_t TypedWidths = 60000;
    static constexpr std::int32_t NewerWidths = 70000;
    static constexpr std::uint8_t TextType = 2;
    static constexpr std::uint8_t ColourType = 3;
};

// A text cell after its type: a mask byte, its text, a font name, its size
// and colour, a style byte (WithOutline adds the outline's kind, colour and
// width), and a closing part.
struct TextCell {
    static constexpr std::uint64_t SizeAndColour = 4 + 4;
    static constexpr std::uint8_t WithOutline = 0x10;
    static constexpr std::uint64_t Outline = 1 + 4 + 4;
    static constexpr std::uint64_t Closing = 1 + 4 + 4 + 1;
};

// A colour cell after its type: blend and gradient bytes, a colour, and
// for a gradient its end colour.
struct ColourCell {
    static constexpr std::uint64_t Colour = 4;
};

// A dialogue: the speaker byte; for a speaker chosen by coupon score the
// list of (coupon text, int); then the number of entries and the entries
// (condition text, text said).
inline constexpr std::uint8_t SpeakerChosenByCouponScore = 3;

// A random member selection (kind 70): groups byte, style byte; style bit
// WithLevels adds two ints, bit WithStatus a byte.
struct RandomMembers {
    static constexpr std::uint8_t WithLevels = 0x01;
    static constexpr std::uint8_t WithStatus = 0x02;
};

// Summary.wsm: leading blocks, fixed part, the start area's id (an int,
// stored plus IdOffset), the step records, the flag records, a closing
// part. A record: its name (a text), fixed part, its value names (texts).
struct Summary {
    static constexpr int LeadingBlocks = 5;
    static constexpr std::uint64_t BeforeStartArea = 4;
    static constexpr std::uint64_t Closing = 12;
};
struct SummaryRecord {
    std::uint64_t fixedAfterName;
    int valueNames;
};
inline constexpr SummaryRecord StepRecord{4, 10};
inline constexpr SummaryRecord FlagRecord{1, 2};

// How the detail of a content is stored, after all its children.
enum class DetailLayout : std::uint8_t {
    Empty,
    Text,
    Number,
    Option,
    TwoTexts,
    Cells,   // int count, cells
    Effect,  // EffectContent
    TwoOptions,
    NumberSkip,  // int, AbilityCheckClosing
    TextOption,
    TextNumber,
    Gain,  // int id, int amount, byte target
    TextNumberOption,
    Dialogue,
    OptionNumber,
    RandomMembers,   // RandomMembers
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

}  // namespace quorvel::classic
