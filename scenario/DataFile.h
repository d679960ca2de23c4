#pragma once

#include "scenario/Content.h"
#include "scenario/FileSystem.h"
#include "scenario/GrowingChunks.h"
#include "scenario/RecordArena.h"
#include "scenario/StateVariables.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

enum class FileKind : std::int8_t {
    Area = 0,
    Battle = 1,
    Mate = 2,  // a cast member
    Item = 3,
    Info = 4,
    Skill = 5,
    Beast = 6,
    Package = 8,
};

// Which texts a reader keeps: those the searches read, or those and the
// texts only the text search reads (WrittenText).
enum class DataFileTexts : std::uint8_t { Searched, Written };

// What a reader keeps for the texts of a file to view, besides its bytes.
class ReaderKeeps {
public:
    virtual ~ReaderKeeps() = default;
};

// Where the records and texts of one data file live: runs of records laid
// down once each list is complete, the bytes a reader read the file into,
// and texts a reader made itself. Everything is released with the file.
class DataFileStorage {
public:
    RecordArena<Content> contents;
    RecordArena<Event> events;
    RecordArena<Card> cards;
    RecordArena<Cell> cells;
    RecordArena<DialogueEntry> dialogueEntries;
    RecordArena<CouponScore> couponScores;
    RecordArena<ContentExtras> extras;
    RecordArena<Text> textLists;
    RecordArena<LocalVariable> localVariables;
    RecordArena<CardVariables> cardVariables;
    RecordArena<WrittenText> writtenTexts;
    FileBytes bytes;
    std::unique_ptr<ReaderKeeps> readerKeeps;

    // A copy of bytes a reader made, kept as long as the file.
    std::string_view keepText(std::string_view text)
    {
        if (text.empty())
            return {};
        char* const at = texts_.take(text.size());
        std::copy(text.begin(), text.end(), at);
        return {at, text.size()};
    }

private:
    GrowingChunks<char, 256, 64 * 1024> texts_;
};

// One data file of a scenario, whatever format it was read from. Made by a
// reader, which fills it completely or not at all; its records and texts
// live as long as it does. It can be moved but not copied.
struct DataFile {
    FileKind kind = FileKind::Area;
    std::string fileName;  // the name its scenario lists it by
    Text title;
    std::int64_t id = 0;                      // the id of what it defines
    std::int64_t storedId = 0;                // the id as the file stores it (classic: with its offset)
    std::span<const Event> events;            // its own events
    std::span<const Card> cards;              // Area cards, Battle enemy cards, Mate owned items
    std::span<const Card> skills;             // Mate owned skills
    std::span<const Card> beasts;             // Mate owned beasts
    std::span<const Cell> cells;              // Area cells
    std::span<const Event> playerCardEvents;  // Area, Battle: the events of the party's cards
    // Every beast summon effects of the file embed, at any depth, in the
    // order their events are walked (SummonedBeastsInWalkOrder).
    std::span<const Card> summonedBeasts;
    // An Item, Skill or Beast file's own declarations for its events; none
    // where it declares nothing.
    const CardVariables* ownVariables = nullptr;
    // A card file's (Mate, Item, Info, Skill, Beast) own written texts;
    // only when asked for (DataFileTexts::Written).
    std::span<const WrittenText> written;
    DataFileStorage storage;
};

}  // namespace quorvel
