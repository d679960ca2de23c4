#include "tools/builder/XmlBuilder.h"

#include "scenario/ContentKind.h"
#include "scenario/StateVariables.h"
#include "tools/builder/Encoding.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

namespace quorvel::build {

namespace {

namespace xk = quorvel::xml_only;

constexpr std::int32_t IdOffset = 40000;

struct TagAndType {
    const char* tag;
    const char* type;  // empty: no type attribute
};

const std::map<int, TagAndType>& tagsOfKinds()
{
    static const std::map<int, TagAndType> tags = {
        {0, {"Start", ""}},
        {1, {"Link", "Start"}},
        {2, {"Start", "Battle"}},
        {3, {"End", ""}},
        {4, {"End", "BadEnd"}},
        {5, {"Change", "Area"}},
        {6, {"Talk", "Message"}},
        {7, {"Play", "Bgm"}},
        {8, {"Change", "BgImage"}},
        {9, {"Play", "Sound"}},
        {10, {"Wait", ""}},
        {11, {"Effect", ""}},
        {12, {"Branch", "Select"}},
        {13, {"Branch", "Ability"}},
        {14, {"Branch", "Random"}},
        {15, {"Branch", "Flag"}},
        {16, {"Set", "Flag"}},
        {17, {"Branch", "MultiStep"}},
        {18, {"Set", "Step"}},
        {19, {"Branch", "Cast"}},
        {20, {"Branch", "Item"}},
        {21, {"Branch", "Skill"}},
        {22, {"Branch", "Info"}},
        {23, {"Branch", "Beast"}},
        {24, {"Branch", "Money"}},
        {25, {"Branch", "Coupon"}},
        {26, {"Get", "Cast"}},
        {27, {"Get", "Item"}},
        {28, {"Get", "Skill"}},
        {29, {"Get", "Info"}},
        {30, {"Get", "Beast"}},
        {31, {"Get", "Money"}},
        {32, {"Get", "Coupon"}},
        {33, {"Lose", "Cast"}},
        {34, {"Lose", "Item"}},
        {35, {"Lose", "Skill"}},
        {36, {"Lose", "Info"}},
        {37, {"Lose", "Beast"}},
        {38, {"Lose", "Money"}},
        {39, {"Lose", "Coupon"}},
        {40, {"Talk", "Dialog"}},
        {41, {"Set", "StepUp"}},
        {42, {"Set", "StepDown"}},
        {43, {"Reverse", "Flag"}},
        {44, {"Branch", "Step"}},
        {45, {"Elapse", "Time"}},
        {46, {"Branch", "Level"}},
        {47, {"Branch", "Status"}},
        {48, {"Branch", "PartyNumber"}},
        {49, {"Show", "Party"}},
        {50, {"Hide", "Party"}},
        {51, {"Effect", "Break"}},
        {52, {"Call", "Start"}},
        {53, {"Link", "Package"}},
        {54, {"Call", "Package"}},
        {55, {"Branch", "Area"}},
        {56, {"Branch", "Battle"}},
        {57, {"Branch", "CompleteStamp"}},
        {58, {"Get", "CompleteStamp"}},
        {59, {"Lose", "CompleteStamp"}},
        {60, {"Branch", "Gossip"}},
        {61, {"Get", "Gossip"}},
        {62, {"Lose", "Gossip"}},
        {63, {"Branch", "IsBattle"}},
        {64, {"Redisplay", ""}},
        {65, {"Check", "Flag"}},
        {66, {"Substitute", "Step"}},
        {67, {"Substitute", "Flag"}},
        {68, {"Branch", "StepValue"}},
        {69, {"Branch", "FlagValue"}},
        {70, {"Branch", "RandomSelect"}},
        {71, {"Branch", "KeyCode"}},
        {72, {"Check", "Step"}},
        {73, {"Branch", "Round"}},
        {xk::ReplaceBgImage, {"Replace", "BgImage"}},
        {xk::SetVariant, {"Set", "Variant"}},
        {xk::BranchVariant, {"Branch", "Variant"}},
        {xk::CheckVariant, {"Check", "Variant"}},
        {xk::MultiCouponBranch, {"Branch", "MultiCoupon"}},
        {xk::MultiRandomBranch, {"Branch", "MultiRandom"}},
        {xk::UnknownContent, {"Move", "Card"}},  // a type the readers take as unknown
    };
    return tags;
}

constexpr std::array<const char*, 6> GainTargets
    = {"Selected", "Random", "Party", "Backpack", "PartyAndBackpack", "Field"};
constexpr std::array<const char*, 4> CouponTargets = {"Selected", "Random", "Party", "Field"};
constexpr std::array<const char*, 4> Comparisons = {"=", "<>", "<", ">"};
constexpr std::array<const char*, 4> Speakers = {"Selected", "Random", "Unselected", "Valued"};

// The starting score of an evaluation: the value of a first entry that
// names no coupon, which the format keeps in @initialValue.
std::optional<std::int32_t> startingScore(const Content& c)
{
    if (c.couponScores.empty() || !c.couponScores.front().coupon.empty())
        return std::nullopt;
    return c.couponScores.front().value;
}

template <std::size_t N>
std::string wordOf(const std::array<const char*, N>& words, int code)
{
    return code >= 0 && code < static_cast<int>(N) ? words[static_cast<std::size_t>(code)] : std::to_string(code);
}

// XML's escapes of markup characters; in attributes line breaks and tabs as
// character references too, so that they keep their value.
std::string markup(const std::string& utf8, bool attribute)
{
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

class Writer {
public:
    explicit Writer(const XmlForm& form) : form_(form) { }

    std::string take() { return std::move(out_); }

    void open(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& attributes = {})
    {
        out_ += '<' + tag;
        for (const auto& [name, value] : attributes)
            out_ += ' ' + name + "=\"" + markup(value, true) + '"';
        out_ += '>';
    }
    void close(const std::string& tag) { out_ += "</" + tag + '>'; }
    // An element holding text; the text is Shift-JIS of a description unless utf8.
    void element(const std::string& tag, const std::string& text, bool escaped = false, bool fromShiftJis = true)
    {
        const std::string utf8 = fromShiftJis ? Utf8(text) : text;
        open(tag);
        out_ += markup(escaped ? EscapedXmlText(utf8) : utf8, false);
        close(tag);
    }

    void events(const std::vector<Event>& events)
    {
        open("Events");
        for (const Event& event : events) {
            open("Event");
            open("Contents");
            for (const Content& start : event.starts)
                item(start);
            close("Contents");
            close("Event");
        }
        close("Events");
    }

    void cells(const std::vector<Cell>& cells)
    {
        open("BgImages");
        for (const Cell& cell : cells) {
            const bool typed = cell.numbers[2] >= 60000 && cell.numbers[2] < 70000;
            const std::string tag = !typed ? "BgImage" : cell.type == 2 ? "TextCell" : "ColorCell";
            open(tag);
            if (tag == "TextCell")
                element("Text", cell.text);
            if (tag == "BgImage" && !cell.image.empty())
                element("ImagePath", cell.image);
            element("Flag", cell.flag);
            close(tag);
        }
        close("BgImages");
    }

private:
    // A content where a content may stand: in a line of single children
    // when the form folds them.
    void item(const Content& content)
    {
        if (!form_.contentsLines || content.children.size() != 1) {
            write(content, true);
            return;
        }
        open("ContentsLine");
        const Content* link = &content;
        while (link->children.size() == 1) {
            write(*link, false);
            link = &link->children.front();
        }
        write(*link, true);
        close("ContentsLine");
    }

    void write(const Content& c, bool withChildren)
    {
        const TagAndType& tag = tagsOfKinds().at(c.kind);
        std::vector<std::pair<std::string, std::string>> attributes;
        if (*tag.type)
            attributes.emplace_back("type", tag.type);
        attributes.emplace_back("name", Utf8(c.name));
        fields(c, attributes);
        if (!c.holdingCoupon.empty())
            attributes.emplace_back("holdingcoupon", Utf8(c.holdingCoupon));
        if (!c.cellName.empty())
            attributes.emplace_back("cellname", Utf8(c.cellName));
        if (!c.cardGroup.empty())
            attributes.emplace_back("cardgroup", Utf8(c.cardGroup));
        open(tag.tag, attributes);
        inner(c);
        if (withChildren && !c.children.empty()) {
            open("Contents");
            for (const Content& child : c.children)
                item(child);
            close("Contents");
        }
        close(tag.tag);
    }

    void fields(const Content& c, std::vector<std::pair<std::string, std::string>>& a)
    {
        const auto add = [&](const char* name, const std::string& value) { a.emplace_back(name, value); };
        const auto text = [&](const char* name, const std::string& value) { add(name, Utf8(value)); };
        const int kind = c.kind;
        if ((kind >= 20 && kind <= 23) || (kind >= 27 && kind <= 30) || (kind >= 34 && kind <= 37)) {
            add("id", std::to_string(c.number));
            add("number", std::to_string(c.amount));
            add("targets", c.wordsWrittenEmpty ? std::string() : wordOf(GainTargets, c.option));
            return;
        }
        switch (kind) {
        case 1:
            text("link", c.text);
            break;
        case 52:
            text("call", c.text);
            break;
        case 2:
        case 5:
        case 19:
        case 26:
        case 33:
            add("id", std::to_string(c.number));
            break;
        case 53:
            add("link", std::to_string(c.number));
            break;
        case 54:
            add("call", std::to_string(c.number));
            break;
        case 6:
        case 7:
        case 9:
            text("path", c.text);
            break;
        case 11:
            text("sound", c.text);
            if (!c.initialSound.empty())
                text("initialsound", c.initialSound);
            break;
        case 12:
            if (!c.couponScores.empty())
                add("method", "Valued");
            if (const std::optional<std::int32_t> start = startingScore(c))
                add("initialValue", std::to_string(*start));
            break;
        case 15:
        case 43:
        case 65:
            text("flag", c.text);
            break;
        case 16:
            text("flag", c.text);
            add("value", c.option == 1 ? "True" : "False");
            break;
        case 17:
        case 41:
        case 42:
            text("step", c.text);
            break;
        case 18:
        case 44:
            text("step", c.text);
            add("value", std::to_string(c.number));
            break;
        case 72:
            text("step", c.text);
            add("value", std::to_string(c.number));
            add("comparison", c.wordsWrittenEmpty ? std::string() : wordOf(Comparisons, c.option));
            break;
        case 25:
            text("coupon", c.text);
            add("targets", c.wordsWrittenEmpty ? std::string() : wordOf(CouponTargets, c.option));
            break;
        case 39:
            text("coupon", c.text);
            add("targets", c.wordsWrittenEmpty ? std::string() : wordOf(GainTargets, c.option));
            break;
        case 32:
            text("coupon", c.text);
            add("value", std::to_string(c.number));
            add("targets", c.wordsWrittenEmpty ? std::string() : wordOf(GainTargets, c.option));
            break;
        case 40:
            add("targetm", wordOf(Speakers, c.option < 0 ? 0 : c.option));
            if (const std::optional<std::int32_t> start = c.option == 3 ? startingScore(c) : std::nullopt)
                add("initialValue", std::to_string(*start));
            break;
        case 60:
        case 61:
        case 62:
            text("gossip", c.text);
            break;
        case 66:
        case 67:
        case 68:
        case 69:
            text("from", c.text);
            text("to", c.text2);
            break;
        case xk::SetVariant:
            text(c.option == 1 ? "flag" : c.option == 2 ? "step" : "variant", c.text);
            break;
        default:
            break;
        }
    }

    // The child elements that are fields.
    void inner(const Content& c)
    {
        if (c.kind == 8 || c.kind == xk::ReplaceBgImage)
            cells(c.cells);
        if ((c.kind == 25 && !c.coupons.empty())
            || ((c.kind == 40 && c.option == 3) || (c.kind == 12 && !c.couponScores.empty()))) {
            open("Coupons");
            if (c.kind == 25)
                for (const std::string& name : c.coupons)
                    element("Coupon", name);
            else
                for (std::size_t entry = startingScore(c) ? 1 : 0; entry < c.couponScores.size(); ++entry) {
                    const CouponScore& score = c.couponScores[entry];
                    open("Coupon", {{"value", std::to_string(score.value)}});
                    out_ += markup(Utf8(score.coupon), false);
                    close("Coupon");
                }
            close("Coupons");
        }
        if (c.kind == 6)
            element("Text", c.text2, true);
        if (c.kind == 40) {
            open("Dialogs");
            for (const DialogueEntry& entry : c.dialogueEntries) {
                open("Dialog");
                element("RequiredCoupons", entry.condition, true);
                element("Text", entry.text, true);
                close("Dialog");
            }
            close("Dialogs");
        }
        if (c.kind == xk::SetVariant || c.kind == xk::BranchVariant || c.kind == xk::CheckVariant)
            element("Expression", c.text2);
        if (c.kind == 11)
            motions(c.effects);
    }

public:
    // The summon motions of an effect list: each embedded card a BeastCard
    // with its name, its own motions and its events.
    void motions(const std::vector<Effect>& effects)
    {
        if (std::none_of(effects.begin(), effects.end(), [](const Effect& e) { return e.embedsCard; }))
            return;
        open("Motions");
        for (const Effect& effect : effects) {
            if (!effect.embedsCard) {
                open("Motion", {{"type", "Heal"}});
                close("Motion");
                continue;
            }
            open("Motion", {{"type", "SummonBeast"}});
            open("Beasts");
            open("BeastCard");
            open("Property");
            element("Name", effect.embeddedName);
            if (effect.linkId != 0)
                element("LinkId", std::to_string(effect.linkId), false, false);
            close("Property");
            declarations(effect.embeddedDeclarations);
            motions(effect.embeddedBody.empty() ? std::vector<Effect>() : effect.embeddedBody.front().effects);
            events(effect.embeddedEvents);
            close("BeastCard");
            close("Beasts");
            close("Motion");
        }
        close("Motions");
    }

    // A card's own flags, steps and variants, each list only when not empty.
    void declarations(const CardDeclarations& declared)
    {
        const auto list = [&](const char* tag, const std::vector<CardDeclarations::Declared>& items,
                              SummarySection kind) {
            if (items.empty())
                return;
            open(std::string(tag) + "s");
            for (const CardDeclarations::Declared& item : items) {
                if (kind == SummarySection::Variants)
                    open(tag,
                         {{"defaulttype", "String"},
                          {"defaultvalue", item.valueNames.empty() ? "" : Utf8(item.valueNames.front())}});
                else
                    open(tag, {{"default", kind == SummarySection::Flags ? "True" : "0"}});
                element("Name", item.name);
                for (std::size_t i = 0; kind != SummarySection::Variants && i < item.valueNames.size(); ++i)
                    element(kind == SummarySection::Flags ? (i == 0 ? "True" : "False") : "Value" + std::to_string(i),
                            item.valueNames[i]);
                close(tag);
            }
            close(std::string(tag) + "s");
        };
        list("Flag", declared.flags, SummarySection::Flags);
        list("Step", declared.steps, SummarySection::Steps);
        list("Variant", declared.variants, SummarySection::Variants);
    }

private:
    const XmlForm& form_;
    std::string out_;
};

void writtenTexts(Writer& out, const WrittenTexts& written)
{
    if (!written.description.empty())
        out.element("Description", written.description, true);
    if (!written.keyCodes.empty()) {
        std::string list;
        for (const std::string& keyCode : written.keyCodes)
            list += keyCode + "\n";
        out.element("KeyCodes", list, true);
    }
    if (written.imagePaths.size() == 1)
        out.element("ImagePath", written.imagePaths.front());
    if (written.imagePaths.size() > 1) {
        out.open("ImagePaths");
        for (const std::string& path : written.imagePaths)
            out.element("ImagePath", path);
        out.close("ImagePaths");
    }
}

void property(Writer& out, const std::string& title, const std::optional<std::int32_t>& id,
              const std::string& flag = {}, bool withFlag = false, std::int32_t linkId = 0,
              const WrittenTexts& written = {})
{
    out.open("Property");
    if (id)
        out.element("Id", std::to_string(*id), false, false);
    out.element("Name", title);
    writtenTexts(out, written);
    if (linkId != 0)
        out.element("LinkId", std::to_string(linkId), false, false);
    if (withFlag)
        out.element("Flag", flag);
    out.close("Property");
}

}  // namespace

std::string EscapedXmlText(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        if (utf8[i] == '\\')
            out += "\\\\";
        else if (utf8[i] == '\n')
            out += "\\n";
        else
            out += utf8[i];
    }
    return out;
}

std::string XmlFolderOf(std::uint8_t kind, bool packageByName)
{
    if (packageByName)
        return "Package";
    switch (kind) {
    case 0:
        return "Area";
    case 1:
        return "Battle";
    case 2:
        return "CastCard";
    case 3:
        return "ItemCard";
    case 4:
        return "InfoCard";
    case 5:
        return "SkillCard";
    case 6:
        return "BeastCard";
    default:
        return "Package";
    }
}

std::string XmlPathOf(const std::string& classicName, const File& file)
{
    const std::string stem = classicName.substr(0, classicName.rfind('.'));
    return XmlFolderOf(file.kind, file.packageByName) + "/" + stem + ".xml";
}

std::string EncodeXml(const File& file, const XmlForm& form)
{
    Writer out(form);
    const std::string root = XmlFolderOf(file.kind, file.packageByName);
    const bool package = root == "Package";
    const std::int32_t id = package ? file.storedId : file.storedId - IdOffset;
    out.open(root, {{"dataVersion", "4"}});
    property(out, file.title, id, {}, false, 0, file.written);
    if (root == "Area" || root == "Battle") {
        out.events(file.events);
        const bool area = root == "Area";
        out.open(area ? "MenuCards" : "EnemyCards");
        for (const Card& card : file.cards) {
            out.open(area ? "MenuCard" : "EnemyCard");
            if (area)
                property(out, card.name, std::nullopt, card.flag, true, 0, card.written);
            else
                property(out, "", card.castId, card.flag, true, 0, card.written);
            out.events(card.events);
            out.close(area ? "MenuCard" : "EnemyCard");
        }
        out.close(area ? "MenuCards" : "EnemyCards");
        if (area)
            out.cells(file.cells);
    } else if (root == "CastCard") {
        const std::pair<const char*, const std::vector<Card>*> lists[]
            = {{"ItemCard", &file.cards}, {"SkillCard", &file.skills}, {"BeastCard", &file.beasts}};
        for (const auto& [tag, cards] : lists) {
            out.open(std::string(tag) + "s");
            for (const Card& card : *cards) {
                out.open(tag);
                property(out, card.name, card.storedId - IdOffset, {}, false, card.linkId, card.written);
                out.declarations(card.declarations);
                out.motions(card.body.effects);
                out.events(card.events);
                out.close(tag);
            }
            out.close(std::string(tag) + "s");
        }
    } else if (root != "InfoCard") {
        if (root != "Package") {
            out.declarations(file.declarations);
            out.motions(file.body.effects);
        }
        out.events(file.events);
    }
    out.close(root);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + out.take();
}

std::string EncodeXmlSummary(const Summary& summary, const XmlForm& form)
{
    Writer out(form);
    out.open("Summary", {{"dataVersion", "4"}});
    out.open("Property");
    out.element("Name", summary.name);
    if (!summary.author.empty())
        out.element("Author", summary.author);
    if (!summary.description.empty())
        out.element("Description", summary.description, true);
    out.element("StartAreaId", std::to_string(summary.startAreaId), false, false);
    out.close("Property");
    out.open("Flags");
    for (const FlagDeclaration& flag : summary.flags) {
        out.open("Flag", {{"default", "True"}});
        out.element("Name", flag.name);
        out.element("True", flag.onName);
        out.element("False", flag.offName);
        out.close("Flag");
    }
    out.close("Flags");
    out.open("Steps");
    for (const StepDeclaration& step : summary.steps) {
        out.open("Step", {{"default", "0"}});
        out.element("Name", step.name);
        for (std::size_t i = 0; i < step.valueNames.size(); ++i)
            out.element(form.numberedStepValues ? "Value" + std::to_string(i) : std::string("Value"),
                        step.valueNames[i]);
        out.close("Step");
    }
    out.close("Steps");
    if (!summary.variants.empty()) {
        out.open("Variants");
        for (const VariantDeclaration& variant : summary.variants) {
            out.open("Variant", {{"defaulttype", variant.type}, {"defaultvalue", Utf8(variant.value)}});
            out.element("Name", variant.name);
            out.close("Variant");
        }
        out.close("Variants");
    }
    out.close("Summary");
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + out.take();
}

}  // namespace quorvel::build
