#pragma once

#include "scenario/FileSystem.h"
#include "scenario/RecordArena.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// A text of a loaded file: exactly the stored bytes, the final zero byte
// included (a stored empty text has length 1), viewed in the bytes the
// DataFile holds. Rows and names that outlive the file copy it.
using Text = std::string_view;

inline constexpr std::int32_t IdOffset = 40000;

enum class FileKind : std::int8_t {
    Area = 0,
    Battle = 1,
    Mate = 2,
    Item = 3,
    Info = 4,
    Skill = 5,
    Beast = 6,
    Package = 8,
};

// Lists are runs of records in the arenas of their DataFile, in stored order.

struct DialogueEntry {
    Text condition;  // the coupon condition of the entry
    Text text;       // what is said
};

// One entry of the evaluation that chooses a dialogue's speaker by coupon
// score (speaker byte 3): a coupon and what holding it adds. An empty name in
// the first entry is no coupon: its value is the starting score.
struct CouponScore {
    Text coupon;
    std::int32_t value = 0;
};

// How a cell is stored, told by its width field (number3): below 60,000 the
// classic cell; from 60,000 to 69,999 a type byte follows the header and
// says text (2) or colour (3).
enum class CellLayout : std::uint8_t { Classic, Text, Colour };

struct Cell {
    CellLayout layout = CellLayout::Classic;
    std::int32_t number1 = 0;
    std::int32_t number2 = 0;
    std::int32_t number3 = 0;
    std::int32_t number4 = 0;
    Text text;  // a text cell's text
    std::uint8_t option = 0;
    Text flag;  // length 1 or less: no flag
    std::uint8_t option2 = 0;
};

// The detail of one content; which fields a kind fills is given by its layout.
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

// One node of a content tree.
struct Content {
    std::uint8_t kind = 0;
    Text name;
    ContentDetail detail;
    std::span<const Content> children;
};

struct Event {
    std::span<const Content> starts;  // the first one is the event's head start
};

struct Card {
    Text name;                // empty for Battle enemy cards
    std::int32_t number = 0;  // Area/Battle: 0-based position; Mate: id less 40000
    Text flag;                // empty for Mate cards
    std::span<const Event> events;
};

// Where the records of one loaded file live.
struct RecordArenas {
    RecordArena<Content> contents;
    RecordArena<Event> events;
    RecordArena<Card> cards;
    RecordArena<Cell> cells;
    RecordArena<DialogueEntry> dialogueEntries;
    RecordArena<CouponScore> couponScores;
};

// One data file. Construction reads the whole file with one read; it either
// succeeds completely (loaded) or keeps nothing at all. Records and texts
// live as long as the object; it can be moved but not copied.
class DataFile {
public:
    explicit DataFile(const std::string& path);
    // Reads bytes already in memory (copied) as if they were the file `fileName`.
    DataFile(std::string fileName, std::span<const std::uint8_t> bytes);
    DataFile(DataFile&&) noexcept = default;
    DataFile& operator=(DataFile&&) noexcept = default;

    bool loaded = false;
    Text title;            // as stored
    std::string fileName;  // the file-name part of the path, no zero byte
    std::int32_t id = 0;   // as stored: real id + 40000 except for Package files
    FileKind kind = FileKind::Area;
    std::span<const Event> events;
    std::span<const Card> cards;   // Area cards, Battle enemy cards, Mate owned items
    std::span<const Card> skills;  // Mate owned skills
    std::span<const Card> beasts;  // Mate owned beasts
    std::span<const Cell> cells;   // Area cells

    // Why the load failed (empty when loaded); for diagnostics only.
    std::string failure;

private:
    void load();

    FileBytes bytes_;
    RecordArenas records_;
};

}  // namespace quorvel
