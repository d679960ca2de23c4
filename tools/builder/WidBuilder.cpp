#include "tools/builder/WidBuilder.h"

#include "scenario/ClassicLayout.h"
#include "scenario/DataFile.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quorvel::build {

using namespace classic;

ByteWriter& ByteWriter::byte(std::uint8_t value)
{
    bytes_.push_back(static_cast<char>(value));
    return *this;
}

ByteWriter& ByteWriter::int32(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        byte(static_cast<std::uint8_t>(u >> shift));
    return *this;
}

ByteWriter& ByteWriter::text(const std::string& value)
{
    return rawText(value + '\0');
}

ByteWriter& ByteWriter::rawText(const std::string& stored)
{
    int32(static_cast<std::int32_t>(stored.size()));
    return bytes(stored);
}

ByteWriter& ByteWriter::block(std::int32_t length, std::uint8_t fill)
{
    int32(length);
    bytes_.append(static_cast<std::size_t>(length), static_cast<char>(fill));
    return *this;
}

ByteWriter& ByteWriter::zeros(std::size_t count)
{
    bytes_.append(count, '\0');
    return *this;
}

ByteWriter& ByteWriter::bytes(const std::string& raw)
{
    bytes_ += raw;
    return *this;
}

ByteWriter& ByteWriter::append(const ByteWriter& other)
{
    return bytes(other.bytes_);
}

Content Start(std::string name, std::vector<Content> children)
{
    return Node(0, std::move(name), std::move(children));
}

Content Node(std::uint8_t kind, std::string name, std::vector<Content> children)
{
    Content c;
    c.kind = kind;
    c.name = std::move(name);
    c.children = std::move(children);
    return c;
}

Content WithNumber(std::uint8_t kind, std::int32_t number)
{
    Content c = Node(kind);
    c.number = number;
    return c;
}

Content Gain(std::uint8_t kind, std::int32_t id, std::int32_t amount, std::int8_t target)
{
    Content c = WithNumber(kind, id);
    c.amount = amount;
    c.option = target;
    return c;
}

Content WithText(std::uint8_t kind, std::string text)
{
    Content c = Node(kind);
    c.text = std::move(text);
    return c;
}

namespace {

void writeTypedCell(ByteWriter& out, const Cell& cell)
{
    out.byte(cell.type);
    if (cell.type == CellLayoutOf::TextType) {
        out.byte(0).text(cell.text).text("font").zeros(TextCell::SizeAndColour).byte(cell.style);
        if (cell.style & TextCell::WithOutline)
            out.zeros(TextCell::Outline);
        out.zeros(TextCell::Closing);
    } else if (cell.type == CellLayoutOf::ColourType) {
        out.byte(0).byte(cell.gradient).zeros(ColourCell::Colour);
        if (cell.gradient != 0)
            out.zeros(ColourCell::Colour);
    }
}

void writeCell(ByteWriter& out, const Cell& cell)
{
    for (std::int32_t n : cell.numbers)
        out.int32(n);
    if (cell.numbers[2] >= CellLayoutOf::TypedWidths && cell.numbers[2] < CellLayoutOf::NewerWidths)
        writeTypedCell(out, cell);
    else
        out.text(cell.text).byte(0);
    out.text(cell.flag).byte(0);
}

void writeEffects(ByteWriter& out, const std::vector<Effect>& effects)
{
    out.int32(static_cast<std::int32_t>(effects.size()));
    for (const Effect& effect : effects) {
        out.int32(effect.type);
        if (effect.type == classic::Effect::EmbedsCard) {
            out.zeros(classic::Effect::EmbeddingPadding).int32(effect.embedsCard ? 1 : 0);
            if (effect.embedsCard) {
                out.zeros(EmbeddedCard::Lead).block(2).text(effect.embeddedName).zeros(EmbeddedCard::BeforeBody);
                WriteCardBody(out, effect.embeddedBody.empty() ? CardBody{} : effect.embeddedBody.front());
                out.int32(static_cast<std::int32_t>(effect.embeddedEvents.size()));
                for (const Event& event : effect.embeddedEvents)
                    WriteEvent(out, event, false);
                out.zeros(EmbeddedCard::Closing);
            }
            continue;
        }
        out.zeros(classic::Effect::Head);
        if (effect.type >= classic::Effect::FirstType && effect.type < classic::Effect::EmbedsCard)
            out.zeros(classic::Effect::Tail[static_cast<std::size_t>(effect.type - classic::Effect::FirstType)]);
    }
}

void storedText(ByteWriter& out, const std::string& text, bool endsInZero)
{
    if (endsInZero)
        out.text(text);
    else
        out.rawText(text);
}

void writeDetail(ByteWriter& out, const Content& c)
{
    const auto text = [&](const std::string& value) { storedText(out, value, c.textsEndInZero); };
    using L = DetailLayout;
    if (c.kind > LastContentKind)
        return;  // a kind the reader refuses; its detail does not matter
    switch (DetailLayoutOf(c.kind)) {
    case L::Empty:
        break;
    case L::Text:
        text(c.text);
        break;
    case L::Number:
        out.int32(c.number);
        break;
    case L::Option:
        out.byte(static_cast<std::uint8_t>(c.option));
        break;
    case L::TwoTexts:
        text(c.text);
        text(c.text2);
        break;
    case L::Cells:
        out.int32(static_cast<std::int32_t>(c.cells.size()));
        for (const Cell& cell : c.cells)
            writeCell(out, cell);
        break;
    case L::Effect:
        out.zeros(EffectContent::BeforeSound);
        text(c.text);
        out.zeros(EffectContent::BeforeEffects);
        writeEffects(out, c.effects);
        break;
    case L::TwoOptions:
        out.byte(static_cast<std::uint8_t>(c.option)).byte(static_cast<std::uint8_t>(c.option2));
        break;
    case L::NumberSkip:
        out.int32(c.number).zeros(AbilityCheckClosing);
        break;
    case L::TextOption:
        text(c.text);
        out.byte(static_cast<std::uint8_t>(c.option));
        break;
    case L::TextNumber:
        text(c.text);
        out.int32(c.number);
        break;
    case L::Gain:
        out.int32(c.number).int32(c.amount).byte(static_cast<std::uint8_t>(c.option));
        break;
    case L::TextNumberOption:
        text(c.text);
        out.int32(c.number).byte(static_cast<std::uint8_t>(c.option));
        break;
    case L::Dialogue:
        out.byte(static_cast<std::uint8_t>(c.option));
        if (c.option == SpeakerChosenByCouponScore) {
            out.int32(static_cast<std::int32_t>(c.couponScores.size()));
            for (const CouponScore& score : c.couponScores) {
                storedText(out, score.coupon, score.nameEndsInZero);
                out.int32(score.value);
            }
        }
        out.int32(static_cast<std::int32_t>(c.dialogueEntries.size()));
        for (const DialogueEntry& entry : c.dialogueEntries) {
            storedText(out, entry.condition, entry.textsEndInZero);
            storedText(out, entry.text, entry.textsEndInZero);
        }
        break;
    case L::RandomMembers:
        out.byte(static_cast<std::uint8_t>(c.option)).byte(static_cast<std::uint8_t>(c.option2));
        if (c.option2 & RandomMembers::WithLevels)
            out.int32(c.number).int32(c.amount);
        if (c.option2 & RandomMembers::WithStatus)
            out.byte(c.status);
        break;
    case L::TwoOptionsText:
        out.byte(static_cast<std::uint8_t>(c.option)).byte(static_cast<std::uint8_t>(c.option2));
        text(c.text);
        break;
    case L::OptionNumber:
        out.byte(static_cast<std::uint8_t>(c.option)).int32(c.number);
        break;
    }
}

void writeEvents(ByteWriter& out, const std::vector<Event>& events, bool withKeys)
{
    out.int32(static_cast<std::int32_t>(events.size()));
    for (const Event& event : events)
        WriteEvent(out, event, withKeys);
}

void writePlacedCard(ByteWriter& out, const Card& card, bool area)
{
    if (area)
        out.zeros(AreaCard::Lead).block(2).text(card.name).zeros(AreaCard::AfterName).block(2);
    else
        out.int32(card.castId);
    writeEvents(out, card.events, true);
    out.text(card.flag).zeros(PlacedCardAfterFlag);
    if (area)
        out.block(2);
    else
        out.zeros(EnemyCard::Closing);
}

void writeOwnedCards(ByteWriter& out, const std::vector<Card>& cards, std::size_t closing)
{
    out.int32(static_cast<std::int32_t>(cards.size()));
    for (const Card& card : cards) {
        out.zeros(OwnedCardLead).block(2).text(card.name).int32(card.storedId);
        WriteCardBody(out, card.body);
        writeEvents(out, card.events, false);
        out.zeros(closing);
    }
}

std::size_t closingOf(std::uint8_t kind)
{
    switch (static_cast<FileKind>(kind)) {
    case FileKind::Item:
        return CardClosing::Item;
    case FileKind::Skill:
        return CardClosing::Skill;
    default:
        return CardClosing::Beast;
    }
}

}  // namespace

void WriteContent(ByteWriter& out, const Content& content)
{
    out.byte(content.kind).text(content.name).int32(IdOffset + static_cast<std::int32_t>(content.children.size()));
    for (const Content& child : content.children)
        WriteContent(out, child);
    writeDetail(out, content);
}

void WriteEvent(ByteWriter& out, const Event& event, bool withKeys)
{
    out.int32(static_cast<std::int32_t>(event.starts.size()));
    for (const Content& start : event.starts)
        WriteContent(out, start);
    if (!withKeys)
        return;
    out.int32(static_cast<std::int32_t>(event.keys.size()));
    for (std::int32_t key : event.keys)
        out.int32(key);
    out.block(event.keyDataLength, 0x4B);
}

void WriteCardBody(ByteWriter& out, const CardBody& body)
{
    out.block(body.blockLength).zeros(classic::CardBody::AfterFirstBlock);
    writeEffects(out, body.effects);
    out.zeros(classic::CardBody::AfterEffects);
    for (int i = 0; i < classic::CardBody::MiddleBlocks; ++i)
        out.block(body.blockLength);
    out.zeros(classic::CardBody::BeforeLastBlocks);
    for (int i = 0; i < classic::CardBody::LastBlocks; ++i)
        out.block(body.blockLength);
}

std::string Encode(const File& file)
{
    ByteWriter out;
    const auto kind = static_cast<FileKind>(file.kind);
    if (file.packageByName || kind == FileKind::Package) {
        out.byte(file.kind).zeros(Header::PackagePadding).text(file.title).int32(file.storedId);
        writeEvents(out, file.events, false);
        return out.str();
    }
    out.byte(file.kind).block(4).text(file.title).int32(file.storedId);
    switch (kind) {
    case FileKind::Area:
    case FileKind::Battle:
        writeEvents(out, file.events, true);
        out.zeros(BeforePlacedCards).int32(static_cast<std::int32_t>(file.cards.size()));
        for (const Card& card : file.cards)
            writePlacedCard(out, card, kind == FileKind::Area);
        if (kind == FileKind::Area) {
            out.int32(static_cast<std::int32_t>(file.cells.size()));
            for (const Cell& cell : file.cells)
                writeCell(out, cell);
        } else {
            out.block(file.trailingBlockLength);
        }
        break;
    case FileKind::Mate:
        out.zeros(MateBody::BeforeImage).block(6).zeros(MateBody::AfterImage);
        writeOwnedCards(out, file.cards, CardClosing::Item);
        writeOwnedCards(out, file.skills, CardClosing::Skill);
        writeOwnedCards(out, file.beasts, CardClosing::Beast);
        out.int32(1).block(3).zeros(MateBody::ClosingListItemFixed);
        break;
    case FileKind::Item:
    case FileKind::Skill:
    case FileKind::Beast:
        WriteCardBody(out, file.body);
        writeEvents(out, file.events, false);
        out.zeros(closingOf(file.kind));
        break;
    default:  // Info, and kinds the reader refuses (written like Info)
        out.block(file.trailingBlockLength);
        break;
    }
    return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace quorvel::build
