#include "scenario/ClassicReader.h"

#include "scenario/ByteStream.h"
#include "scenario/ClassicLayout.h"
#include "scenario/ContentKind.h"
#include "scenario/SummonedBeasts.h"

#include <limits>
#include <utility>

namespace quorvel {

namespace {

using namespace classic;

// Cards embedded in effects may embed cards again. Authors nest a few levels
// at most; a damaged file nesting deeper is refused rather than allowed to
// exhaust the stack.
constexpr int MaxEmbeddedCardDepth = 256;

enum class EventKeys { With, Without };

// Empties a working stack; it keeps its room for the next file unless an
// unusual file made a lot of it.
template <typename Item>
void ClearKeepingRoom(std::vector<Item>& items)
{
    // Room for a few thousand items covers a large real file; more came from
    // an unusual one and is not worth holding on to for the next file.
    constexpr std::size_t KeptRoom = 4096;
    if (items.capacity() > KeptRoom)
        std::vector<Item>().swap(items);
    else
        items.clear();
}

// The items of the lists being read, before each list is laid down in its
// arena. A list nested in an item is complete, and gone from here, before
// that item is pushed, so one stack per record type serves every level.
template <typename Record>
class ListStack {
public:
    std::size_t mark() const { return items_.size(); }
    void clear() { ClearKeepingRoom(items_); }
    void push(const Record& item) { items_.push_back(item); }
    // A new item on top, as a record is made with nothing set.
    Record& pushEmpty() { return items_.emplace_back(); }
    Record& at(std::size_t index) { return items_[index]; }
    // The items pushed since `mark`, laid down in the arena and taken off here.
    std::span<const Record> keepFrom(std::size_t mark, RecordArena<Record>& arena)
    {
        const std::span<const Record> kept = arena.keep(std::span<const Record>(items_).subspan(mark));
        items_.resize(mark);
        return kept;
    }

private:
    std::vector<Record> items_;
};

// A content whose head is read and whose children are being read.
struct OpenContent {
    std::uint8_t kind;
    Text name;
    std::int64_t childrenLeft;
    std::size_t childrenMark;  // where its children start on the content stack
};

// The working stacks of a reader. A thread keeps its own from file to file,
// so their room is made once rather than for every file.
struct ReaderStacks {
    ListStack<Content> contents;
    ListStack<Event> events;
    ListStack<Card> cards;
    ListStack<Cell> cells;
    ListStack<DialogueEntry> dialogueEntries;
    ListStack<CouponScore> couponScores;
    std::vector<OpenContent> open;

    // Empty stacks, with the room they had. A failed read may have left items behind.
    static ReaderStacks& ofThisThread()
    {
        thread_local ReaderStacks stacks;
        stacks.contents.clear();
        stacks.events.clear();
        stacks.cards.clear();
        stacks.cells.clear();
        stacks.dialogueEntries.clear();
        stacks.couponScores.clear();
        ClearKeepingRoom(stacks.open);
        return stacks;
    }
};

// Reads one data file from a ByteStream into a DataFile, in file order.
class DataFileReader {
public:
    DataFileReader(DataFile& file, std::span<const std::uint8_t> bytes, DataFileStorage& arenas, ReaderStacks& stacks)
        : file_(file), in_(bytes), arenas_(arenas), contents_(stacks.contents), events_(stacks.events),
          cards_(stacks.cards), cells_(stacks.cells), dialogueEntries_(stacks.dialogueEntries),
          couponScores_(stacks.couponScores), open_(stacks.open)
    {
    }

    void read();

private:
    void readHeaderAndBody();
    void readPackageRest();
    void readAreaOrBattleBody();
    void readMateBody();
    void readItemSkillBeastBody(std::uint64_t closing);

    template <typename ReadOne>
    void forEachListItem(ReadOne readOne);
    template <typename Record, typename ReadOne>
    std::span<const Record> readList(ListStack<Record>& stack, RecordArena<Record>& arena, ReadOne readOne);
    std::span<const Event> readEvents(EventKeys keys);
    Event readEvent(EventKeys keys);
    void readKeyData();
    void pushContentTree();
    void openContent();
    void readDetail(std::uint8_t kind, ContentDetail& detail);
    void readDialogue(ContentDetail& detail);
    void readRandomMembers(ContentDetail& detail);
    Cell readCell();
    void readTextCell(Cell& cell);
    void readColourCell(Cell& cell);
    Card readPlacedCard(int position);
    Card readOwnedCard(std::uint64_t closing);

    std::span<const Card> readCardBody();
    std::span<const Card> readEffectList();
    Card readEmbeddedCard();

    DataFile& file_;
    ByteStream in_;
    DataFileStorage& arenas_;
    ListStack<Content>& contents_;
    ListStack<Event>& events_;
    ListStack<Card>& cards_;
    ListStack<Cell>& cells_;
    ListStack<DialogueEntry>& dialogueEntries_;
    ListStack<CouponScore>& couponScores_;
    std::vector<OpenContent>& open_;
    int embeddedDepth_ = 0;
    std::span<const Card> ownEffectsSummon_;  // an Item, Skill or Beast file's own card
    bool summons_ = false;                    // some effect of the file embeds a beast
    std::size_t extrasKept_ = 0;
    std::span<const Card> detailSummons_;  // the beasts of the effect content whose detail was read last
};

void DataFileReader::read()
{
    readHeaderAndBody();
    if (!in_.atOrPastEnd())
        in_.fail("bytes remain after the end of the structure");
    if (summons_) {
        const std::vector<Card> beasts = SummonedBeastsInWalkOrder(file_, ownEffectsSummon_);
        file_.summonedBeasts = arenas_.cards.keep(beasts);
    }
}

void DataFileReader::readHeaderAndBody()
{
    if (file_.fileName.starts_with(Header::PackageNamePrefix)) {
        in_.readByte();
        in_.skip(Header::PackagePadding);
        readPackageRest();
        return;
    }
    const std::uint8_t kindByte = in_.readByte();
    if (kindByte == Header::PackageKind) {
        in_.skip(Header::PackagePadding);
        readPackageRest();
        return;
    }
    if (kindByte > Header::LastCardKind)
        in_.fail("unknown file kind " + std::to_string(kindByte));
    file_.kind = static_cast<FileKind>(kindByte);
    in_.skipBlock();
    file_.title = in_.readText();
    file_.storedId = in_.readInt();
    file_.id = file_.storedId - IdOffset;
    switch (file_.kind) {
    case FileKind::Area:
    case FileKind::Battle:
        readAreaOrBattleBody();
        break;
    case FileKind::Mate:
        readMateBody();
        break;
    case FileKind::Item:
        readItemSkillBeastBody(CardClosing::Item);
        break;
    case FileKind::Skill:
        readItemSkillBeastBody(CardClosing::Skill);
        break;
    case FileKind::Beast:
        readItemSkillBeastBody(CardClosing::Beast);
        break;
    case FileKind::Info:
    case FileKind::Package:
        in_.skipBlock();
        break;
    }
}

void DataFileReader::readPackageRest()
{
    file_.kind = FileKind::Package;
    file_.title = in_.readText();
    file_.storedId = in_.readInt();
    file_.id = file_.storedId;
    file_.events = readEvents(EventKeys::Without);
}

void DataFileReader::readAreaOrBattleBody()
{
    file_.events = readEvents(EventKeys::With);
    in_.skip(BeforePlacedCards);
    int position = 0;
    file_.cards = readList(cards_, arenas_.cards, [&] { return readPlacedCard(position++); });
    if (file_.kind == FileKind::Area)
        file_.cells = readList(cells_, arenas_.cells, [&] { return readCell(); });
    else
        in_.skipBlock();
}

void DataFileReader::readMateBody()
{
    in_.skip(MateBody::BeforeImage);
    in_.skipBlock();
    in_.skip(MateBody::AfterImage);
    file_.cards = readList(cards_, arenas_.cards, [&] { return readOwnedCard(CardClosing::Item); });
    file_.skills = readList(cards_, arenas_.cards, [&] { return readOwnedCard(CardClosing::Skill); });
    file_.beasts = readList(cards_, arenas_.cards, [&] { return readOwnedCard(CardClosing::Beast); });
    forEachListItem([&] {
        in_.skipBlock();
        in_.skip(MateBody::ClosingListItemFixed);
    });
}

void DataFileReader::readItemSkillBeastBody(std::uint64_t closing)
{
    ownEffectsSummon_ = readCardBody();
    file_.events = readEvents(EventKeys::Without);
    in_.skip(closing);
}

// A stored count followed by that many items; a count below 1 means none.
template <typename ReadOne>
void DataFileReader::forEachListItem(ReadOne readOne)
{
    const std::int32_t count = in_.readInt();
    for (std::int32_t i = 0; i < count; ++i)
        readOne();
}

// The stack grows as items are read, never by the stored count, so a huge
// count in a short file fails on the first missing item instead of allocating.
template <typename Record, typename ReadOne>
std::span<const Record> DataFileReader::readList(ListStack<Record>& stack, RecordArena<Record>& arena, ReadOne readOne)
{
    const std::size_t mark = stack.mark();
    forEachListItem([&] {
        const Record item = readOne();  // lists inside the item are laid down first
        stack.push(item);
    });
    return stack.keepFrom(mark, arena);
}

std::span<const Event> DataFileReader::readEvents(EventKeys keys)
{
    return readList(events_, arenas_.events, [&] { return readEvent(keys); });
}

Event DataFileReader::readEvent(EventKeys keys)
{
    Event event;
    const std::size_t mark = contents_.mark();
    const std::size_t extrasBefore = extrasKept_;
    forEachListItem([&] { pushContentTree(); });
    event.starts = contents_.keepFrom(mark, arenas_.contents);
    event.contentsHaveExtras = extrasKept_ != extrasBefore;
    if (keys == EventKeys::With)
        readKeyData();
    return event;
}

void DataFileReader::readKeyData()
{
    const std::int32_t keyCount = in_.readInt();
    if (keyCount > 0)
        in_.readAndDrop(4 * static_cast<std::uint64_t>(keyCount));
    const std::int32_t length = in_.readInt();
    if (length < 0)
        in_.fail("negative key data length " + std::to_string(length));
    in_.readAndDrop(static_cast<std::uint64_t>(length));
}

// Reads the head of a content: it stays open until its children are read.
void DataFileReader::openContent()
{
    const std::uint8_t kind = in_.readByte();
    const Text name = in_.readText();
    const std::int64_t childCount = std::int64_t{in_.readInt()} - IdOffset;
    open_.push_back({kind, name, childCount, contents_.mark()});
}

// Reads one content tree and pushes its root on the content stack. A
// content's detail follows its whole subtree. The tree is read with an
// explicit stack of open contents, so any nesting depth is read safely; a
// content's children wait on the content stack until it closes. Reading a
// detail may read contents of an embedded card, above this tree's entries,
// so a content is made whole before it goes on the stack.
void DataFileReader::pushContentTree()
{
    const std::size_t base = open_.size();
    openContent();
    while (open_.size() > base) {
        OpenContent& top = open_.back();
        if (top.childrenLeft > 0) {
            --top.childrenLeft;
            openContent();
            continue;
        }
        const std::uint8_t kind = top.kind;
        const Text name = top.name;
        const std::span<const Content> children = contents_.keepFrom(top.childrenMark, arenas_.contents);
        open_.pop_back();
        // The content is made in its place on the stack: copying one made
        // just before waits for the stores of its fields, which took a third
        // of the reading time of a dense scenario.
        const std::size_t at = contents_.mark();
        Content& made = contents_.pushEmpty();
        made.kind = kind;
        made.name = name;
        made.children = children;
        if (kind <= LastContentKind && DetailLayoutOf(kind) == DetailLayout::Effect) {
            // Its embedded cards' contents go on the stack above it, which may move it.
            ContentDetail detail;
            readDetail(kind, detail);
            contents_.at(at).detail = detail;
        } else {
            readDetail(kind, made.detail);
        }
        if (!detailSummons_.empty()) {
            ContentExtras extras;
            extras.summoned = detailSummons_;
            contents_.at(at).extras = arenas_.extras.keep(std::span(&extras, 1)).data();
            ++extrasKept_;
            detailSummons_ = {};
        }
    }
}

void DataFileReader::readDetail(std::uint8_t kindByte, ContentDetail& d)
{
    const int kind = static_cast<std::int8_t>(kindByte);
    if (kind < 0 || kind > LastContentKind)
        in_.fail("unknown content kind " + std::to_string(kind));
    const auto option = [&] { return static_cast<std::int8_t>(in_.readByte()); };
    switch (DetailLayoutOf(kind)) {
    case DetailLayout::Empty:
        break;
    case DetailLayout::Text:
        d.text = in_.readText();
        break;
    case DetailLayout::Number:
        d.number = in_.readInt();
        break;
    case DetailLayout::Option:
        d.option = option();
        break;
    case DetailLayout::TwoTexts:
        d.text = in_.readText();
        d.text2 = in_.readText();
        break;
    case DetailLayout::Cells: {
        const std::size_t mark = cells_.mark();
        d.number = in_.readInt();
        for (std::int32_t i = 0; i < d.number; ++i)
            cells_.push(readCell());
        d.cells = cells_.keepFrom(mark, arenas_.cells);
        break;
    }
    case DetailLayout::Effect:
        in_.skip(EffectContent::BeforeSound);
        d.text = in_.readText();
        in_.skip(EffectContent::BeforeEffects);
        detailSummons_ = readEffectList();
        break;
    case DetailLayout::TwoOptions:
        d.option = option();
        d.option2 = option();
        break;
    case DetailLayout::NumberSkip:
        d.number = in_.readInt();
        in_.skip(AbilityCheckClosing);
        break;
    case DetailLayout::TextOption:
        d.text = in_.readText();
        d.option = option();
        break;
    case DetailLayout::TextNumber:
        d.text = in_.readText();
        d.number = in_.readInt();
        break;
    case DetailLayout::Gain:
        d.number = in_.readInt();
        d.amount = in_.readInt();
        d.option = option();
        break;
    case DetailLayout::TextNumberOption:
        d.text = in_.readText();
        d.number = in_.readInt();
        d.option = option();
        break;
    case DetailLayout::Dialogue:
        readDialogue(d);
        break;
    case DetailLayout::OptionNumber:
        d.option = option();
        d.number = in_.readInt();
        break;
    case DetailLayout::RandomMembers:
        readRandomMembers(d);
        break;
    case DetailLayout::TwoOptionsText:
        d.option = option();
        d.option2 = option();
        d.text = in_.readText();
        break;
    }
}

// The speaker byte (option), for a speaker chosen by coupon score the
// evaluation entries, then the entries said.
void DataFileReader::readDialogue(ContentDetail& d)
{
    const std::uint8_t speaker = in_.readByte();
    d.option = static_cast<std::int8_t>(speaker);
    if (speaker == SpeakerChosenByCouponScore) {
        const std::size_t mark = couponScores_.mark();
        bool first = true;
        forEachListItem([&] {
            CouponScore score;
            score.coupon = in_.readText();
            score.value = in_.readInt();
            // A first entry without a coupon holds the starting score.
            if (!(first && score.coupon.empty()))
                couponScores_.push(score);
            first = false;
        });
        d.couponScores = couponScores_.keepFrom(mark, arenas_.couponScores);
    }
    const std::size_t mark = dialogueEntries_.mark();
    d.number = in_.readInt();
    for (std::int32_t i = 0; i < d.number; ++i) {
        DialogueEntry entry;
        entry.condition = in_.readText();
        entry.text = in_.readText();
        dialogueEntries_.push(entry);
    }
    d.dialogueEntries = dialogueEntries_.keepFrom(mark, arenas_.dialogueEntries);
}

// Groups (option) and style (option2); style bit 0 adds the level range
// (number, amount), bit 1 a status byte, which no search reads.
void DataFileReader::readRandomMembers(ContentDetail& d)
{
    d.option = static_cast<std::int8_t>(in_.readByte());
    const std::uint8_t style = in_.readByte();
    d.option2 = static_cast<std::int8_t>(style);
    if (style & RandomMembers::WithLevels) {
        d.number = in_.readInt();
        d.amount = in_.readInt();
    }
    if (style & RandomMembers::WithStatus)
        in_.readAndDrop(1);
}

// The header's third number is the width field: below 60,000 the classic
// cell, from 60,000 to 69,999 a text or colour cell by the type byte that
// follows the header; 70,000 and above a newer encoding this reader refuses.
Cell DataFileReader::readCell()
{
    Cell cell;
    cell.number1 = in_.readInt();
    cell.number2 = in_.readInt();
    cell.number3 = in_.readInt();
    cell.number4 = in_.readInt();
    if (cell.number3 >= CellLayoutOf::NewerWidths)
        in_.fail("a cell of a newer encoding (width field " + std::to_string(cell.number3) + ")");
    if (cell.number3 < CellLayoutOf::TypedWidths) {
        cell.text = in_.readText();
        cell.option = in_.readByte();
    } else if (const std::uint8_t type = in_.readByte(); type == CellLayoutOf::TextType) {
        readTextCell(cell);
    } else if (type == CellLayoutOf::ColourType) {
        readColourCell(cell);
    } else {
        in_.fail("unknown cell type " + std::to_string(type));
    }
    cell.flag = in_.readText();
    cell.option2 = in_.readByte();
    return cell;
}

// Mask; the text; its font name, size, colour and style (style bit 4: an
// outline of a kind, colour and width); four more items. Only the text is kept.
void DataFileReader::readTextCell(Cell& cell)
{
    cell.layout = CellLayout::Text;
    cell.option = in_.readByte();  // mask
    cell.text = in_.readText();
    in_.readText();  // font name
    in_.readAndDrop(TextCell::SizeAndColour);
    if (in_.readByte() & TextCell::WithOutline)
        in_.readAndDrop(TextCell::Outline);
    in_.readAndDrop(TextCell::Closing);
}

// Blend, gradient and colour, and the end colour of a gradient.
void DataFileReader::readColourCell(Cell& cell)
{
    cell.layout = CellLayout::Colour;
    cell.option = in_.readByte();  // blend
    const std::uint8_t gradient = in_.readByte();
    in_.readAndDrop(ColourCell::Colour);
    if (gradient != 0)
        in_.readAndDrop(ColourCell::Colour);
}

Card DataFileReader::readPlacedCard(int position)
{
    Card card;
    card.number = position;
    if (file_.kind == FileKind::Area) {
        in_.skip(AreaCard::Lead);
        in_.skipBlock();
        card.name = in_.readText();
        in_.skip(AreaCard::AfterName);
        in_.skipBlock();
    } else {
        card.castId = in_.readInt();
    }
    card.events = readEvents(EventKeys::With);
    card.flag = in_.readText();
    in_.skip(PlacedCardAfterFlag);
    if (file_.kind == FileKind::Area)
        in_.skipBlock();
    else
        in_.skip(EnemyCard::Closing);
    return card;
}

Card DataFileReader::readOwnedCard(std::uint64_t closing)
{
    Card card;
    in_.skip(OwnedCardLead);
    in_.skipBlock();
    card.name = in_.readText();
    card.number = std::int64_t{in_.readInt()} - IdOffset;
    card.summoned = readCardBody();
    card.events = readEvents(EventKeys::Without);
    in_.skip(closing);
    return card;
}

// The beasts its effects embed.
std::span<const Card> DataFileReader::readCardBody()
{
    in_.skipBlock();
    in_.skip(CardBody::AfterFirstBlock);
    const std::span<const Card> summoned = readEffectList();
    in_.skip(CardBody::AfterEffects);
    for (int i = 0; i < CardBody::MiddleBlocks; ++i)
        in_.skipBlock();
    in_.skip(CardBody::BeforeLastBlocks);
    for (int i = 0; i < CardBody::LastBlocks; ++i)
        in_.skipBlock();
    return summoned;
}

// The effects are stepped over; the beasts summon effects embed are kept.
std::span<const Card> DataFileReader::readEffectList()
{
    const std::size_t mark = cards_.mark();
    const std::int32_t count = in_.readInt();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t type = in_.readInt();
        if (type < Effect::FirstType || type > Effect::EmbedsCard)
            in_.fail("unknown effect type " + std::to_string(type));
        if (type != Effect::EmbedsCard) {
            in_.skip(Effect::Head);
            in_.skip(Effect::Tail[static_cast<std::size_t>(type - Effect::FirstType)]);
            continue;
        }
        in_.skip(Effect::EmbeddingPadding);
        if (in_.readInt() != 0) {
            const Card beast = readEmbeddedCard();
            cards_.push(beast);
        }
    }
    return cards_.keepFrom(mark, arenas_.cards);
}

// An embedded beast: its name (the second block, a text of any length), the
// beasts its own effects embed, its events.
Card DataFileReader::readEmbeddedCard()
{
    if (++embeddedDepth_ > MaxEmbeddedCardDepth)
        in_.fail("cards embedded more than " + std::to_string(MaxEmbeddedCardDepth) + " deep");
    summons_ = true;
    Card beast;
    in_.skip(EmbeddedCard::Lead);
    in_.skipBlock();
    beast.name = in_.readBlockAsText();
    in_.skip(EmbeddedCard::BeforeBody);
    beast.summoned = readCardBody();
    beast.events = readEvents(EventKeys::Without);
    in_.skip(EmbeddedCard::Closing);
    --embeddedDepth_;
    return beast;
}

}  // namespace

std::optional<DataFile> ReadClassicDataFile(std::string fileName, FileBytes bytes, std::string* failure)
{
    std::optional<DataFile> file(std::in_place);
    file->fileName = std::move(fileName);
    file->storage.bytes = std::move(bytes);
    try {
        DataFileReader(*file, std::span<const std::uint8_t>(file->storage.bytes.data.get(), file->storage.bytes.size),
                       file->storage, ReaderStacks::ofThisThread())
            .read();
        return file;
    } catch (const ReadError& error) {
        if (failure)
            *failure = error.what();
    } catch (const std::bad_alloc&) {
        if (failure)
            *failure = "out of memory";
    }
    return std::nullopt;  // nothing of a failed read is kept
}

std::int64_t IdAsListedKind(const DataFile& file, FileKind listedKind)
{
    if (file.kind == listedKind)
        return file.id;
    return listedKind == FileKind::Package ? file.storedId : file.storedId - IdOffset;
}

}  // namespace quorvel
