#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvel {

// Texts are Shift-JIS byte strings holding exactly the stored bytes, the
// final zero byte included: a stored empty text has length 1.
using Text = std::string;

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

struct serifdata {
    Text coupons;  // the entry's coupon condition
    Text text;     // what is said
};

struct celldata {
    std::int32_t number1 = 0;
    std::int32_t number2 = 0;
    std::int32_t number3 = 0;
    std::int32_t number4 = 0;
    Text text;
    std::uint8_t option = 0;
    Text flag;  // length 1 or less: no flag
    std::uint8_t option2 = 0;
};

// The detail of one content; which fields a kind fills is given by its layout.
struct contentdata {
    std::int32_t number = 0;
    std::int32_t amount = 0;
    std::int8_t option = 0;
    std::int8_t option2 = 0;
    std::vector<serifdata> serifs;
    std::vector<celldata> cells;
    Text text;
    Text text2;
};

// One node of a content tree.
struct Ccontent {
    std::uint8_t kind = 0;
    Text name;
    contentdata data;
    std::vector<Ccontent> children;

    Ccontent() = default;
    Ccontent(Ccontent&&) noexcept = default;
    Ccontent& operator=(Ccontent&&) noexcept = default;
    // Tears the subtree down level by level, so no tree depth can exhaust the stack.
    ~Ccontent();
};

struct Ceventtree {
    std::vector<Ccontent> starts;  // the first one is the event's head start
};

struct Ccarddata {
    Text name;  // empty for Battle enemy cards
    std::int32_t number = 0;  // Area/Battle: 0-based position; Mate: id less 40000
    Text flag;  // empty for Mate cards
    std::vector<Ceventtree> events;
};

// One data file. Construction reads the whole file; it either succeeds
// completely (loaded) or keeps nothing at all.
class Cwidfile {
public:
    explicit Cwidfile(const std::string& path);
    // Reads bytes already in memory as if they were the file `fileName`.
    Cwidfile(std::string fileName, std::span<const std::uint8_t> bytes);

    bool loaded = false;
    Text name;
    std::string fileName;  // the file-name part of the path, no zero byte
    std::int32_t id = 0;   // as stored: real id + 40000 except for Package files
    FileKind kind = FileKind::Area;
    std::vector<Ceventtree> events;
    std::vector<Ccarddata> cards;   // Area cards, Battle enemy cards, Mate owned items
    std::vector<Ccarddata> skills;  // Mate owned skills
    std::vector<Ccarddata> beasts;  // Mate owned beasts
    std::vector<celldata> cells;    // Area cells

    // Why the load failed (empty when loaded); for diagnostics only.
    std::string failure;

private:
    void load(std::span<const std::uint8_t> bytes);
};

}  // namespace quorvel
