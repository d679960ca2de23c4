#pragma once

// Writes scenario data files byte by byte, for tests, benchmarks, the fuzz
// corpus and the demo scenario. Texts are given without their final zero
// byte; the writer stores it (a text "abc" is stored with length 4).

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::build {

class ByteWriter {
public:
    ByteWriter& byte(std::uint8_t value);
    ByteWriter& int32(std::int32_t value);
    ByteWriter& text(const std::string& value);      // length, bytes, zero byte
    ByteWriter& rawText(const std::string& stored);  // length and exactly these bytes
    ByteWriter& block(std::int32_t length, std::uint8_t fill = 0xB1);
    ByteWriter& zeros(std::size_t count);
    ByteWriter& bytes(const std::string& raw);
    ByteWriter& append(const ByteWriter& other);

    const std::string& str() const { return bytes_; }
    std::vector<std::uint8_t> data() const { return {bytes_.begin(), bytes_.end()}; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// A cell. Its third number is the width field: from 60,000 to 69,999 the
// cell is written as a typed cell of `type` (2 text, 3 colour; any other
// byte is written as it is and nothing after it), otherwise as a classic one.
struct Cell {
    std::int32_t numbers[4] = {1, 2, 3, 4};
    std::string text;
    std::string flag;
    std::uint8_t type = 2;
    std::uint8_t style = 0;     // a text cell: bit 4 (0x10) adds the outline
    std::uint8_t gradient = 0;  // a colour cell: not 0 adds the end colour
    std::string image = {};     // the XML form only: an image cell's <ImagePath>
};

// One entry of a speaker-3 dialogue's evaluation.
struct CouponScore {
    std::string coupon;
    std::int32_t value = 0;
    bool nameEndsInZero = true;  // false: stored exactly as given (empty: length 0)
};

struct DialogueEntry {
    std::string condition;
    std::string text;
    bool textsEndInZero = true;  // false: both stored exactly as given
};

// What a skill, item or beast card declares for its own events; only the
// XML form writes it. Names are whole local paths ("\\card\\name").
struct CardDeclarations {
    struct Declared {
        std::string name;
        std::vector<std::string> valueNames;  // a flag's two, a step's; a variant: its default
    };
    std::vector<Declared> flags;
    std::vector<Declared> steps;
    std::vector<Declared> variants;

    bool empty() const { return flags.empty() && steps.empty() && variants.empty(); }
};

struct Effect;

// The body of a card as the reader skips it; only its effects vary.
struct CardBody {
    std::vector<Effect> effects;
    std::int32_t blockLength = 2;  // length of each of its ten blocks
};

struct Event;

// What a card's description, key codes and image paths say: the XML form
// only (the classic form keeps them where no reader looks).
struct WrittenTexts {
    std::string description;
    std::vector<std::string> keyCodes;
    std::vector<std::string> imagePaths;  // one is written as <ImagePath>, more in <ImagePaths>
};

struct Effect {
    std::int32_t type = 0x40802;
    // For type 0x40808: the embedded card (stored with S = 1), or none (S = 0).
    bool embedsCard = false;
    std::vector<CardBody> embeddedBody;  // zero or one body
    std::vector<Event> embeddedEvents;
    std::string embeddedName = "beast";
    std::int32_t linkId = 0;  // the XML form only: a beast file the card stands for
    CardDeclarations embeddedDeclarations = {};
};

struct Content {
    std::uint8_t kind = 0;
    std::string name;
    std::vector<Content> children;
    std::int32_t number = 0;
    std::int32_t amount = 0;
    std::int8_t option = 0;
    std::int8_t option2 = 0;
    std::string text;
    std::string text2;
    bool textsEndInZero = true;  // false: text and text2 stored exactly as given
    std::vector<DialogueEntry> dialogueEntries;
    std::vector<CouponScore> couponScores;  // written when option (the speaker) is 3
    std::uint8_t status = 0;                // kind 70 with style bit 1
    std::vector<Cell> cells;
    std::vector<Effect> effects;  // kind 11
    // What only the XML form writes (the classic form has no place for it):
    std::vector<std::string> coupons;  // a coupon branch's names after its first, in <Coupons>
    std::string holdingCoupon;         // @holdingcoupon
    std::string initialSound;          // an effect's @initialsound
    bool wordsWrittenEmpty = false;    // @targets and @comparison written empty, as some converters write them
    std::string cellName;              // @cellname
    std::string cardGroup;             // @cardgroup
};

struct Event {
    Event() = default;
    Event(std::vector<Content> startContents) : starts(std::move(startContents)) { }

    std::vector<Content> starts;
    std::vector<std::int32_t> keys;
    std::int32_t keyDataLength = 0;
};

struct Card {
    std::string name;
    std::int32_t storedId = 40001;  // owned cards of a Mate file
    std::int32_t castId = 0;        // enemy cards of a Battle file
    std::string flag;
    std::vector<Event> events;
    CardBody body;
    CardDeclarations declarations = {};  // owned cards of a Mate file
    std::int32_t linkId = 0;             // the XML form only: owned cards that stand for a card file
    WrittenTexts written = {};           // the XML form only
};

// One data file. `kind` is the stored kind byte (8 for a Package by byte).
struct File {
    std::uint8_t kind = 0;
    std::string title;
    std::int32_t storedId = 40001;
    std::vector<Event> events;
    std::vector<Card> cards;               // Area, Battle, or Mate owned items
    std::vector<Card> skills;              // Mate
    std::vector<Card> beasts;              // Mate
    std::vector<Cell> cells;               // Area
    CardBody body;                         // Item, Skill, Beast
    CardDeclarations declarations = {};    // Item, Skill, Beast
    std::int32_t trailingBlockLength = 3;  // Battle's closing block, Info's block
    bool packageByName = false;            // write the 4-byte header of a "Package*" file
    WrittenTexts written = {};             // the XML form only: a card file's own
};

// Named constructors for the kinds of content the searches look at.
Content Start(std::string name, std::vector<Content> children = {});
Content Node(std::uint8_t kind, std::string name = {}, std::vector<Content> children = {});
Content WithNumber(std::uint8_t kind, std::int32_t number);
Content Gain(std::uint8_t kind, std::int32_t id, std::int32_t amount, std::int8_t target);
Content WithText(std::uint8_t kind, std::string text);

void WriteContent(ByteWriter& out, const Content& content);
void WriteEvent(ByteWriter& out, const Event& event, bool withKeys);
void WriteCardBody(ByteWriter& out, const CardBody& body);
std::string Encode(const File& file);

// Writes bytes to a file, creating its folder; throws on failure.
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace quorvel::build
