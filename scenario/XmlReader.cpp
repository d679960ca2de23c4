#include "scenario/XmlReader.h"

#include "base/AsciiCase.h"
#include "scenario/ContentKind.h"
#include "scenario/SummonedBeasts.h"
#include "scenario/XmlDeclarations.h"
#include "scenario/XmlDocument.h"

#include <array>
#include <charconv>
#include <limits>
#include <new>
#include <vector>

namespace quorvel {

namespace {

using Element = XmlDocument::Element;
namespace xk = xml_only;

// The content kind of each tag and type of the format (an absent type reads as "").
struct KindOfType {
    std::string_view tag;
    std::string_view type;
    std::uint8_t kind;
};

constexpr std::array<KindOfType, 82> KindsOfTypes = {{
    {"Start", "", 0},
    {"Link", "Start", 1},
    {"Start", "Battle", 2},
    {"End", "", 3},
    {"End", "BadEnd", 4},
    {"Change", "Area", 5},
    {"Talk", "Message", 6},
    {"Play", "Bgm", 7},
    {"Change", "BgImage", 8},
    {"Play", "Sound", 9},
    {"Wait", "", 10},
    {"Effect", "", 11},
    {"Branch", "Select", 12},
    {"Branch", "Ability", 13},
    {"Branch", "Random", 14},
    {"Branch", "Flag", 15},
    {"Set", "Flag", 16},
    {"Branch", "MultiStep", 17},
    {"Set", "Step", 18},
    {"Branch", "Cast", 19},
    {"Branch", "Item", 20},
    {"Branch", "Skill", 21},
    {"Branch", "Info", 22},
    {"Branch", "Beast", 23},
    {"Branch", "Money", 24},
    {"Branch", "Coupon", 25},
    {"Get", "Cast", 26},
    {"Get", "Item", 27},
    {"Get", "Skill", 28},
    {"Get", "Info", 29},
    {"Get", "Beast", 30},
    {"Get", "Money", 31},
    {"Get", "Coupon", 32},
    {"Lose", "Cast", 33},
    {"Lose", "Item", 34},
    {"Lose", "Skill", 35},
    {"Lose", "Info", 36},
    {"Lose", "Beast", 37},
    {"Lose", "Money", 38},
    {"Lose", "Coupon", 39},
    {"Talk", "Dialog", 40},
    {"Set", "StepUp", 41},
    {"Set", "StepDown", 42},
    {"Reverse", "Flag", 43},
    {"Branch", "Step", 44},
    {"Elapse", "Time", 45},
    {"Branch", "Level", 46},
    {"Branch", "Status", 47},
    {"Branch", "PartyNumber", 48},
    {"Show", "Party", 49},
    {"Hide", "Party", 50},
    {"Effect", "Break", 51},
    {"Call", "Start", 52},
    {"Link", "Package", 53},
    {"Call", "Package", 54},
    {"Branch", "Area", 55},
    {"Branch", "Battle", 56},
    {"Branch", "CompleteStamp", 57},
    {"Get", "CompleteStamp", 58},
    {"Lose", "CompleteStamp", 59},
    {"Branch", "Gossip", 60},
    {"Get", "Gossip", 61},
    {"Lose", "Gossip", 62},
    {"Branch", "IsBattle", 63},
    {"Redisplay", "", 64},
    {"Check", "Flag", 65},
    {"Substitute", "Step", 66},
    {"Sbustitute", "Step", 66},  // a misspelling some writers keep
    {"Substitute", "Flag", 67},
    {"Sbustitute", "Flag", 67},
    {"Branch", "StepValue", 68},
    {"Branch", "FlagValue", 69},
    {"Branch", "RandomSelect", 70},
    {"Branch", "KeyCode", 71},
    {"Check", "Step", 72},
    {"Branch", "Round", 73},
    {"Replace", "BgImage", xk::ReplaceBgImage},
    {"Set", "Variant", xk::SetVariant},
    {"Branch", "Variant", xk::BranchVariant},
    {"Check", "Variant", xk::CheckVariant},
    {"Branch", "MultiCoupon", xk::MultiCouponBranch},
    {"Branch", "MultiRandom", xk::MultiRandomBranch},
}};

std::uint8_t kindOf(std::string_view tag, std::string_view type)
{
    for (const KindOfType& known : KindsOfTypes)
        if (known.tag == tag && known.type == type)
            return known.kind;
    return xk::UnknownContent;
}

// The words of the target codes: of the coupon branch, and of every other kind.
constexpr std::array<std::string_view, 6> GainTargets
    = {"Selected", "Random", "Party", "Backpack", "PartyAndBackpack", "Field"};
constexpr std::array<std::string_view, 4> CouponTargets = {"Selected", "Random", "Party", "Field"};
constexpr std::array<std::string_view, 4> Comparisons = {"=", "<>", "<", ">"};
constexpr std::array<std::string_view, 4> Speakers = {"Selected", "Random", "Unselected", "Valued"};

template <std::size_t N>
std::optional<std::int8_t> codeOf(const std::array<std::string_view, N>& words, std::string_view word)
{
    for (std::size_t code = 0; code < N; ++code)
        if (words[code] == word)
            return static_cast<std::int8_t>(code);
    return std::nullopt;
}

bool isXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view withoutXmlSpace(std::string_view text)
{
    while (!text.empty() && isXmlSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isXmlSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isGainKind(std::uint8_t kind)
{
    return (kind >= 20 && kind <= 23) || (kind >= 27 && kind <= 30) || (kind >= 34 && kind <= 37);
}

struct KeptDocument : ReaderKeeps {
    explicit KeptDocument(XmlDocument&& kept) : document(std::move(kept)) { }
    XmlDocument document;
};

// Beasts embedded in beasts are read as deep as the classic reader reads
// them; a file that nests them deeper fails to load.
constexpr int MaxEmbeddedBeastDepth = 256;
struct TooDeep { };

// Makes the model of one data file from its document, in document order.
class XmlFileReader {
public:
    XmlFileReader(DataFile& file, const XmlDocument& document, DataFileTexts texts)
        : file_(file), doc_(document), keepsWritten_(texts == DataFileTexts::Written)
    {
    }

    void read(FileKind kind)
    {
        const Element& root = doc_.root();
        file_.kind = kind;
        const Element* property = doc_.child(root, "Property");
        file_.title = textOf(property, "Name");
        const Element* id = property ? doc_.child(*property, "Id") : nullptr;
        file_.id = id ? XmlNumber(id->text).value_or(-1) : -1;
        file_.storedId = file_.id;
        std::span<const Card> ownEffectsSummon;
        switch (kind) {
        case FileKind::Area:
            file_.events = events(root);
            file_.cards = placedCards(doc_.child(root, "MenuCards"), nullptr);
            file_.cells = cells(doc_.child(root, "BgImages"));
            file_.playerCardEvents = playerCardEvents(root);
            break;
        case FileKind::Battle:
            file_.events = events(root);
            file_.cards = placedCards(doc_.child(root, "EnemyCards"), "EnemyCard");
            file_.playerCardEvents = playerCardEvents(root);
            break;
        case FileKind::Mate:
            file_.written = written(root);
            file_.cards = ownedCards(root, "ItemCards", "ItemCard");
            file_.skills = ownedCards(root, "SkillCards", "SkillCard");
            file_.beasts = ownedCards(root, "BeastCards", "BeastCard");
            break;
        case FileKind::Info:
            file_.written = written(root);
            break;
        case FileKind::Item:
        case FileKind::Skill:
        case FileKind::Beast:
            file_.written = written(root);
            ownEffectsSummon = summoned(root);
            file_.events = events(root);
            file_.ownVariables = linksElsewhere(root) ? nullptr : declaredVariables(root);
            break;
        case FileKind::Package:
            file_.events = events(root);
            break;
        }
        if (summons_)
            file_.summonedBeasts = file_.storage.cards.keep(SummonedBeastsInWalkOrder(file_, ownEffectsSummon));
    }

private:
    // A content whose head is made and whose children are being read.
    struct OpenContent {
        Content content;
        const Element* lineNext;   // the next element of its ContentsLine, its only child
        const Element* nextChild;  // else the next element of its own <Contents>
        std::size_t childrenMark;
    };

    Text text(std::string_view bytes) const { return Text::Unicode(bytes); }
    Text keep(const std::string& made) { return Text::Unicode(file_.storage.keepText(made)); }

    // The text of an element whose text the format escapes (none: empty),
    // viewed where it holds no escape.
    Text escapedText(const Element* element)
    {
        const std::string_view stored = element ? element->text : std::string_view();
        return stored.find('\\') == std::string_view::npos ? text(stored) : keep(UnescapedXmlText(stored));
    }

    Text textOf(const Element* parent, std::string_view name) const
    {
        const Element* child = parent ? doc_.child(*parent, name) : nullptr;
        return child ? text(child->text) : Text::Unicode("");
    }
    Text attribute(const Element& element, std::string_view name) const
    {
        return text(doc_.attribute(element, name).value_or(std::string_view()));
    }
    std::int32_t number(const Element& element, std::string_view name) const
    {
        return XmlNumber(doc_.attribute(element, name).value_or(std::string_view())).value_or(0);
    }
    const Element* firstChild(const Element* element) const { return element ? doc_.firstChild(*element) : nullptr; }
    const Element* next(const Element& element) const { return doc_.next(element); }

    // A card that names another file of its kind by a non-zero LinkId has
    // no events of its own: the engine runs that file's.
    bool linksElsewhere(const Element& card) const
    {
        const Element* property = doc_.child(card, "Property");
        const Element* link = property ? doc_.child(*property, "LinkId") : nullptr;
        return link && XmlNumber(link->text).value_or(0) != 0;
    }

    std::span<const Event> events(const Element& owner)
    {
        const Element* list = doc_.child(owner, "Events");
        std::vector<Event> made;
        if (list)
            for (const Element& event : doc_.children(*list))
                if (event.name == "Event") {
                    const std::size_t extrasBefore = extrasMade_;
                    const std::span<const Content> starts = contentTrees(doc_.child(event, "Contents"));
                    made.push_back({starts, extrasMade_ > extrasBefore});
                }
        return file_.storage.events.keep(made);
    }

    std::span<const Event> playerCardEvents(const Element& root)
    {
        const Element* owner = doc_.child(root, "PlayerCardEvents");
        return owner ? events(*owner) : std::span<const Event>();
    }

    // The trees of a <Contents>: each child one tree, a ContentsLine a chain
    // whose last element alone may have children of its own. Read without
    // recursion, so trees of any depth are safe.
    std::span<const Content> contentTrees(const Element* contents)
    {
        if (!contents)
            return {};
        const std::size_t base = made_.size();
        std::vector<OpenContent> open;
        for (const Element* item = firstChild(contents); item; item = next(*item)) {
            openItem(*item, open);
            while (!open.empty()) {
                OpenContent& top = open.back();
                const Element* child = nullptr;
                if (top.lineNext) {
                    child = top.lineNext;
                    top.lineNext = nullptr;
                    openLineElement(*child, open);
                    continue;
                }
                if (top.nextChild) {
                    child = top.nextChild;
                    top.nextChild = next(*child);
                    openItem(*child, open);
                    continue;
                }
                Content closed = top.content;
                closed.children = file_.storage.contents.keep(std::span(made_).subspan(top.childrenMark));
                made_.resize(top.childrenMark);
                open.pop_back();
                made_.push_back(closed);
            }
        }
        const std::span<const Content> trees = file_.storage.contents.keep(std::span(made_).subspan(base));
        made_.resize(base);
        return trees;
    }

    // An item of a <Contents>: a content, or a ContentsLine standing for its first element.
    void openItem(const Element& item, std::vector<OpenContent>& open)
    {
        if (item.name != "ContentsLine") {
            open.push_back({head(item), nullptr, firstChild(doc_.child(item, "Contents")), made_.size()});
            return;
        }
        if (const Element* first = firstChild(&item))
            openLineElement(*first, open);
    }

    // An element of a ContentsLine: the next element is its only child; the
    // last has the children of its own <Contents>.
    void openLineElement(const Element& element, std::vector<OpenContent>& open)
    {
        const Element* after = next(element);
        open.push_back(
            {head(element), after, after ? nullptr : firstChild(doc_.child(element, "Contents")), made_.size()});
    }

    // The kind, name and fields of a content; its children come after.
    Content head(const Element& element)
    {
        Content content;
        content.kind = kindOf(element.name, doc_.attribute(element, "type").value_or(std::string_view()));
        content.name = attribute(element, "name");
        ContentExtras extras;
        extras.holdingCoupon = attribute(element, "holdingcoupon");
        fields(element, content, extras);
        if (keepsWritten_)
            extras.written = namedPlaces(element);
        if (!extras.holdingCoupon.empty() || !extras.initialSound.empty() || !extras.expression.empty()
            || !extras.coupons.empty() || extras.targetWord || extras.comparisonWord || !extras.summoned.empty()
            || !extras.written.empty() || content.kind == xk::SetVariant) {
            content.extras = file_.storage.extras.keep(std::span(&extras, 1)).data();
            ++extrasMade_;
        }
        return content;
    }

    void fields(const Element& element, Content& content, ContentExtras& extras)
    {
        ContentDetail& d = content.detail;
        const std::uint8_t kind = content.kind;
        switch (kind) {
        case 1:
            d.text = attribute(element, "link");
            break;
        case 52:
            d.text = attribute(element, "call");
            break;
        case 2:
        case 5:
        case 19:
        case 22:
        case 26:
        case 29:
        case 33:
        case 36:
            d.number = number(element, "id");
            break;
        case 53:
            d.number = number(element, "link");
            break;
        case 54:
            d.number = number(element, "call");
            break;
        case 8:
            d.cells = cells(doc_.child(element, "BgImages"));
            break;
        case xk::ReplaceBgImage:
            d.cells = cells(doc_.child(element, "BgImages"));
            break;
        case 6:
            d.text = attribute(element, "path");
            d.text2 = escapedText(doc_.child(element, "Text"));
            break;
        case 7:
        case 9:
            d.text = attribute(element, "path");
            break;
        case 11:
            d.text = attribute(element, "sound");
            extras.initialSound = attribute(element, "initialsound");
            extras.summoned = summoned(element);
            break;
        case 12:
            selection(element, d);
            break;
        case 15:
        case 43:
        case 65:
            d.text = attribute(element, "flag");
            break;
        case 16:
            d.text = attribute(element, "flag");
            d.option = XmlBoolean(doc_.attribute(element, "value").value_or(std::string_view())) ? 1 : 0;
            break;
        case 17:
        case 41:
        case 42:
            d.text = attribute(element, "step");
            break;
        case 18:
        case 44:
            d.text = attribute(element, "step");
            d.number = number(element, "value");
            break;
        case 72:
            d.text = attribute(element, "step");
            d.number = number(element, "value");
            code(Comparisons, element, "comparison", d.option, extras.comparisonWord);
            break;
        case 25:
            couponBranch(element, d, extras);
            break;
        case 32:
            d.text = attribute(element, "coupon");
            d.number = number(element, "value");
            break;
        case 39:
            d.text = attribute(element, "coupon");
            break;
        case 40:
            dialogue(element, d);
            break;
        case 60:
        case 61:
        case 62:
            d.text = attribute(element, "gossip");
            break;
        case 66:
        case 67:
        case 68:
        case 69:
            d.text = attribute(element, "from");
            d.text2 = attribute(element, "to");
            break;
        case xk::SetVariant:
            variantSetting(element, d, extras);
            break;
        case xk::BranchVariant:
        case xk::CheckVariant:
            extras.expression = textOf(&element, "Expression");
            break;
        default:
            break;
        }
        if (isGainKind(kind)) {
            d.number = number(element, "id");
            d.amount = number(element, "number");
            code(GainTargets, element, "targets", d.option, extras.targetWord);
        } else if (kind == 25) {
            code(CouponTargets, element, "targets", d.option, extras.targetWord);
        } else if (kind == 32 || kind == 39 || kind == xk::MultiCouponBranch) {
            // The converter writes coupon gains and losses with the words of the other kinds.
            code(GainTargets, element, "targets", d.option, extras.targetWord);
        }
    }

    // A word's code; a word no code stands for is kept as written, an
    // empty or missing one as the empty word.
    template <std::size_t N>
    void code(const std::array<std::string_view, N>& words, const Element& element, std::string_view name,
              std::int8_t& code, std::optional<Text>& unknownWord)
    {
        const std::string_view word = doc_.attribute(element, name).value_or(std::string_view());
        if (const std::optional<std::int8_t> known = codeOf(words, word))
            code = *known;
        else
            unknownWord = text(word);
    }

    // A coupon branch names @coupon and the names of its <Coupons>, empty
    // names and repeats dropped; the first is its text, the rest its list.
    void couponBranch(const Element& element, ContentDetail& d, ContentExtras& extras)
    {
        std::vector<Text> names;
        const auto add = [&](Text name) {
            if (name.empty())
                return;
            for (const Text& known : names)
                if (known.bytes() == name.bytes())
                    return;
            names.push_back(name);
        };
        add(attribute(element, "coupon"));
        if (const Element* coupons = doc_.child(element, "Coupons"))
            for (const Element& coupon : doc_.children(*coupons))
                if (coupon.name == "Coupon")
                    add(text(coupon.text));
        if (names.empty())
            return;
        d.text = names.front();
        extras.coupons = file_.storage.textLists.keep(std::span(names).subspan(1));
    }

    // A member selection by coupon score holds the coupons of its evaluation.
    void selection(const Element& element, ContentDetail& d)
    {
        if (doc_.attribute(element, "method").value_or(std::string_view()) == "Valued")
            d.couponScores = couponScores(element);
    }

    std::span<const CouponScore> couponScores(const Element& element)
    {
        std::vector<CouponScore> scores;
        if (const Element* coupons = doc_.child(element, "Coupons"))
            for (const Element& coupon : doc_.children(*coupons))
                if (coupon.name == "Coupon")
                    scores.push_back({text(coupon.text), number(coupon, "value")});
        return file_.storage.couponScores.keep(scores);
    }

    void dialogue(const Element& element, ContentDetail& d)
    {
        const std::string_view speaker = doc_.attribute(element, "targetm").value_or(std::string_view());
        d.option = codeOf(Speakers, speaker).value_or(0);
        if (d.option == codeOf(Speakers, "Valued"))
            d.couponScores = couponScores(element);
        std::vector<DialogueEntry> entries;
        if (const Element* dialogs = doc_.child(element, "Dialogs"))
            for (const Element& dialog : doc_.children(*dialogs))
                if (dialog.name == "Dialog") {
                    const Element* condition = doc_.child(dialog, "RequiredCoupons");
                    const Element* said = doc_.child(dialog, "Text");
                    entries.push_back({escapedText(condition), escapedText(said)});
                }
        d.number = static_cast<std::int32_t>(entries.size());
        d.dialogueEntries = file_.storage.dialogueEntries.keep(entries);
    }

    void variantSetting(const Element& element, ContentDetail& d, ContentExtras& extras)
    {
        extras.expression = textOf(&element, "Expression");
        if (const std::optional<std::string_view> flag = doc_.attribute(element, "flag")) {
            extras.variantTarget = VariantTarget::Flag;
            d.text = text(*flag);
        } else if (const std::optional<std::string_view> step = doc_.attribute(element, "step")) {
            extras.variantTarget = VariantTarget::Step;
            d.text = text(*step);
        } else {
            d.text = attribute(element, "variant");
        }
    }

    // Every child of a <BgImages>, whatever its tag, is a cell with a <Flag>.
    std::span<const Cell> cells(const Element* bgImages)
    {
        std::vector<Cell> made;
        if (bgImages)
            for (const Element& cell : doc_.children(*bgImages)) {
                Cell& one = made.emplace_back();
                one.layout = cell.name == "TextCell" ? CellLayout::Text
                    : cell.name == "ColorCell"       ? CellLayout::Colour
                                                     : CellLayout::Classic;
                one.flag = textOf(&cell, "Flag");
                if (keepsWritten_ && one.layout == CellLayout::Classic)
                    one.image = textOf(&cell, "ImagePath");
            }
        return file_.storage.cells.keep(made);
    }

    // Menu cards (any element of <MenuCards>) or enemy cards, numbered by position.
    std::span<const Card> placedCards(const Element* list, const char* tag)
    {
        std::vector<Card> made;
        if (list)
            for (const Element& element : doc_.children(*list)) {
                if (tag && element.name != tag)
                    continue;
                const Element* property = doc_.child(element, "Property");
                Card& card = made.emplace_back();
                card.number = static_cast<std::int64_t>(made.size() - 1);
                card.name = tag ? Text::Unicode("") : textOf(property, "Name");
                card.flag = textOf(property, "Flag");
                if (tag) {
                    const Element* id = property ? doc_.child(*property, "Id") : nullptr;
                    card.castId = id ? XmlNumber(id->text).value_or(-1) : -1;
                }
                card.events = linksElsewhere(element) ? std::span<const Event>() : events(element);
                card.written = written(element);
            }
        return file_.storage.cards.keep(made);
    }

    // The cards a cast member owns, numbered by their ids.
    std::span<const Card> ownedCards(const Element& root, std::string_view listTag, std::string_view tag)
    {
        std::vector<Card> made;
        if (const Element* list = doc_.child(root, listTag))
            for (const Element& element : doc_.children(*list)) {
                if (element.name != tag)
                    continue;
                const Element* property = doc_.child(element, "Property");
                const Element* id = property ? doc_.child(*property, "Id") : nullptr;
                Card& card = made.emplace_back();
                card.name = textOf(property, "Name");
                card.number = id ? XmlNumber(id->text).value_or(-1) : -1;
                card.written = written(element);
                if (!linksElsewhere(element)) {
                    card.summoned = summoned(element);
                    card.events = events(element);
                    card.variables = declaredVariables(element);
                }
            }
        return file_.storage.cards.keep(made);
    }

    // The beasts the summon motions of an element's <Motions> embed (each
    // <Motion> with <Beasts>), in document order. A beast that names a
    // beast file by a non-zero LinkId is that file's: it has no events or
    // beasts of its own here.
    std::span<const Card> summoned(const Element& owner)
    {
        const Element* motions = doc_.child(owner, "Motions");
        if (!motions)
            return {};
        std::vector<Card> made;
        for (const Element& motion : doc_.children(*motions)) {
            const Element* beasts = motion.name == "Motion" ? doc_.child(motion, "Beasts") : nullptr;
            if (!beasts)
                continue;
            for (const Element& beast : doc_.children(*beasts))
                if (beast.name == "BeastCard" && !linksElsewhere(beast))
                    made.push_back(embeddedBeast(beast));
        }
        return file_.storage.cards.keep(made);
    }

    Card embeddedBeast(const Element& beast)
    {
        if (++embeddedDepth_ > MaxEmbeddedBeastDepth)
            throw TooDeep();
        summons_ = true;
        Card card;
        card.name = textOf(doc_.child(beast, "Property"), "Name");
        card.written = written(beast);
        card.summoned = summoned(beast);
        card.events = events(beast);
        card.variables = declaredVariables(beast);
        --embeddedDepth_;
        return card;
    }

    // The cell (Move, Replace or Lose BgImage) or menu-card group (Move
    // Card) a content names.
    std::span<const WrittenText> namedPlaces(const Element& element)
    {
        std::vector<WrittenText> made;
        if (const std::optional<std::string_view> cell = doc_.attribute(element, "cellname"); cell && !cell->empty())
            made.push_back({WrittenField::CellName, text(*cell)});
        if (const std::optional<std::string_view> group = doc_.attribute(element, "cardgroup");
            group && !group->empty())
            made.push_back({WrittenField::CardGroup, text(*group)});
        return made.empty() ? std::span<const WrittenText>() : file_.storage.writtenTexts.keep(made);
    }

    // What a card's <Property> says that only the text search reads, when
    // it is asked for: its description, each of its key codes and the paths
    // of its images (one <ImagePath>, or several in <ImagePaths>).
    std::span<const WrittenText> written(const Element& card)
    {
        const Element* property = keepsWritten_ ? doc_.child(card, "Property") : nullptr;
        if (!property)
            return {};
        std::vector<WrittenText> made;
        const auto add = [&](WrittenField field, const Text& text) {
            if (!text.empty())
                made.push_back({field, text});
        };
        add(WrittenField::Description, escapedText(doc_.child(*property, "Description")));
        if (const Element* keyCodes = doc_.child(*property, "KeyCodes")) {
            // An escaped list: one key code a line, empty lines dropped.
            const std::string list = UnescapedXmlText(keyCodes->text);
            for (std::size_t start = 0; start < list.size();) {
                const std::size_t end = std::min(list.find('\n', start), list.size());
                add(WrittenField::KeyCode, keep(list.substr(start, end - start)));
                start = end + 1;
            }
        }
        add(WrittenField::ImagePath, textOf(property, "ImagePath"));
        if (const Element* paths = doc_.child(*property, "ImagePaths"))
            for (const Element& path : doc_.children(*paths))
                if (path.name == "ImagePath")
                    add(WrittenField::ImagePath, text(path.text));
        return file_.storage.writtenTexts.keep(made);
    }

    // The flags, steps and variants a skill, item or beast card declares for
    // its own events; none when it declares nothing.
    const CardVariables* declaredVariables(const Element& card)
    {
        CardVariables made;
        bool any = false;
        for (const SummarySection kind : {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants}) {
            std::vector<LocalVariable> declared;
            ForEachXmlDeclaration(doc_, card, kind, [&](const Element& declaration, std::string_view name) {
                std::vector<Text> values;
                ForEachXmlValueName(doc_, declaration, kind,
                                    [&](std::string_view value) { values.push_back(text(value)); });
                declared.push_back({text(name), file_.storage.textLists.keep(values)});
            });
            made.ofKind[static_cast<std::size_t>(kind)] = file_.storage.localVariables.keep(declared);
            any = any || !declared.empty();
        }
        return any ? file_.storage.cardVariables.keep(std::span(&made, 1)).data() : nullptr;
    }

    DataFile& file_;
    const XmlDocument& doc_;
    std::vector<Content> made_;  // contents whose parent is still open, as they close
    std::size_t extrasMade_ = 0;
    int embeddedDepth_ = 0;
    bool summons_ = false;  // some effect of the file embeds a beast
    bool keepsWritten_;
};

}  // namespace

std::optional<std::int32_t> XmlNumber(std::string_view text)
{
    text = withoutXmlSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        if (fraction.find_first_not_of("0123456789") != std::string_view::npos || (whole.empty() && fraction.empty()))
            return std::nullopt;
    }
    if (whole.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (whole.empty())
        return point != std::string_view::npos ? std::optional<std::int32_t>(0) : std::nullopt;
    std::int64_t value = 0;
    for (const char digit : whole) {
        value = value * 10 + (digit - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool XmlBoolean(std::string_view text)
{
    text = withoutXmlSpace(text);
    return EqualIgnoringAsciiCase(text, "true") || text == "1";
}

std::string UnescapedXmlText(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            break;  // a backslash at the very end is dropped
        plain += text[i] == 'n' ? '\n' : text[i];
    }
    return plain;
}

std::optional<FileKind> KindOfXmlFolder(std::string_view folderName)
{
    constexpr std::pair<std::string_view, FileKind> Folders[] = {
        {"Area", FileKind::Area},       {"Battle", FileKind::Battle}, {"Package", FileKind::Package},
        {"CastCard", FileKind::Mate},   {"ItemCard", FileKind::Item}, {"SkillCard", FileKind::Skill},
        {"BeastCard", FileKind::Beast}, {"InfoCard", FileKind::Info},
    };
    for (const auto& [name, kind] : Folders)
        if (EqualIgnoringAsciiCase(folderName, name))
            return kind;
    return std::nullopt;
}

std::optional<DataFile> ReadXmlDataFile(std::string fileName, FileKind kind, FileBytes bytes, DataFileTexts texts)
{
    try {
        std::optional<XmlDocument> document
            = XmlDocument::Parse(std::span<const std::uint8_t>(bytes.data.get(), bytes.size));
        if (!document)
            return std::nullopt;
        std::optional<DataFile> file(std::in_place);
        file->fileName = std::move(fileName);
        auto kept = std::make_unique<KeptDocument>(std::move(*document));
        XmlFileReader(*file, kept->document, texts).read(kind);
        file->storage.readerKeeps = std::move(kept);
        return file;
    } catch (const TooDeep&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace quorvel
