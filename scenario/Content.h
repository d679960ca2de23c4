#pragma once

#include "scenario/Text.h"

#include <cstdint>
#include <optional>
#include <span>

namespace quorvel {

// The records of a content tree. Lists are runs of records that live as
// long as the data file holding them, in stored order.

struct DialogueEntry {
    Text condition;  // the coupon condition of the entry
    Text text;       // what is said
};

// One coupon of the evaluation that chooses a speaker or a member by coupon
// score, and what holding it adds. The starting score is not an entry (the
// classic format stores it as a first entry without a name).
struct CouponScore {
    Text coupon;
    std::int32_t value = 0;
};

// What a cell is: a classic image cell, or one of the later text and colour cells.
enum class CellLayout : std::uint8_t { Classic, Text, Colour };

struct Cell {
    CellLayout layout = CellLayout::Classic;
    std::int32_t number1 = 0;
    std::int32_t number2 = 0;
    std::int32_t number3 = 0;
    std::int32_t number4 = 0;
    Text text;  // a text cell's text
    std::uint8_t option = 0;
    Text flag;  // empty: no flag
    std::uint8_t option2 = 0;
    Text image;  // an image cell's picture by path (XML), only when asked for (DataFileTexts::Written)
};

// The detail of one content. Which fields a kind fills does not depend on
// the format it was read from; the fields it does not fill stay zero or empty.
struct ContentDetail {
    std::int32_t number = 0;
    std::int32_t amount = 0;
    std::int8_t option = 0;
    std::int8_t option2 = 0;
    std::span<const DialogueEntry> dialogueEntries;
    std::span<const CouponScore> couponScores;  // a dialogue whose speaker is chosen by coupon score
    std::span<const Cell> cells;
    Text text;
    Text text2;
};

// Which state variable a Set/Variant content sets.
enum class VariantTarget : std::uint8_t { Variant, Flag, Step };

struct ContentExtras;
struct CardVariables;

// The texts a card or content carries that only the text search reads:
// read only when a search asks for them, and only where the format stores
// them as text.
enum class WrittenField : std::uint8_t {
    Description,
    KeyCode,    // one of a card's key codes
    ImagePath,  // one of a card's images, named by path
    CellName,   // the cell a content moves, replaces or removes
    CardGroup,  // the group of menu cards a content moves
};
struct WrittenText {
    WrittenField field;
    Text text;
};

// One node of a content tree.
struct Content {
    std::uint8_t kind = 0;
    Text name;
    ContentDetail detail;
    std::span<const Content> children;
    const ContentExtras* extras = nullptr;  // what a content holds beyond its kind's fields; mostly none
};

struct Event {
    std::span<const Content> starts;  // the first one is the event's head start
    bool contentsHaveExtras = false;  // some content of it carries extras (ContentExtras)
};

struct Card {
    Text name;                // empty for Battle enemy cards
    std::int64_t number = 0;  // Area/Battle: 0-based position; Mate: the card's id
    Text flag;                // empty: no flag (always for Mate cards)
    std::span<const Event> events;
    std::optional<std::int32_t> castId;  // a Battle enemy card: the cast member it is
    // The beasts the summon effects of the card's own effect list embed
    // (an item's, a skill's or a beast's, an embedded beast's own).
    std::span<const Card> summoned;
    const CardVariables* variables = nullptr;  // what it declares for its own events; mostly none
    std::span<const WrittenText> written;      // only when asked for (DataFileTexts::Written)
};

// What a content holds beyond the fields of its kind: what only the XML
// format has, and the beasts an effect summons.
struct ContentExtras {
    Text holdingCoupon;  // a further coupon the content names
    Text initialSound;   // an effect's second sound path
    Text expression;     // a variant branch, check or setting
    VariantTarget variantTarget = VariantTarget::Variant;
    std::span<const Text> coupons;  // a coupon branch's names after its first
    // A target or comparison word no code stands for, shown as written (an
    // empty or missing word too); nothing where the code stands.
    std::optional<Text> targetWord;
    std::optional<Text> comparisonWord;
    std::span<const Card> summoned;        // an effect's embedded beasts, in stored order
    std::span<const WrittenText> written;  // only when asked for (DataFileTexts::Written)
};

}  // namespace quorvel
