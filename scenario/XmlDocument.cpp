#include "scenario/XmlDocument.h"

#include "scenario/LibExpat.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace quorvel {

namespace {

// Bytes the engine removes from a file that does not parse, before it tries again.
bool isRemovedControlByte(std::uint8_t byte)
{
    return byte <= 0x08 || byte == 0x0B || byte == 0x0C || (byte >= 0x0E && byte <= 0x1F) || byte == 0x7F;
}

struct ParserFreer {
    const LibExpat* expat;
    void operator()(XML_Parser parser) const { expat->XML_ParserFree(parser); }
};

}  // namespace

// Lays the elements down as the parser meets them.
class XmlDocument::Builder {
public:
    explicit Builder(XmlDocument& document) : document_(document) { }

    // True when the bytes are well-formed.
    bool parse(std::span<const std::uint8_t> bytes)
    {
        const LibExpat* const expat = LoadedLibExpat();
        if (!expat)
            return false;
        const std::unique_ptr<XML_ParserStruct, ParserFreer> parser(expat->XML_ParserCreate(nullptr), {expat});
        if (!parser)
            throw std::bad_alloc();
        expat->XML_SetUserData(parser.get(), this);
        expat->XML_SetElementHandler(parser.get(), &Builder::start, &Builder::end);
        expat->XML_SetCharacterDataHandler(parser.get(), &Builder::characters);
        // A file larger than the parser takes at once is given in pieces.
        constexpr std::size_t Piece = 1 << 30;
        std::size_t at = 0;
        do {
            const std::size_t size = std::min(Piece, bytes.size() - at);
            const bool last = at + size == bytes.size();
            if (expat->XML_Parse(parser.get(), reinterpret_cast<const char*>(bytes.data() + at), static_cast<int>(size),
                                 last)
                != XML_STATUS_OK)
                return false;
            at += size;
        } while (at < bytes.size());
        return !document_.elements_.empty() && failure_ == nullptr;
    }

private:
    static void start(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        auto* self = static_cast<Builder*>(data);
        try {
            self->open(name, attributes);
        } catch (const std::bad_alloc&) {
            self->failure_ = "out of memory";
        }
    }
    static void end(void* data, const XML_Char*)
    {
        auto* self = static_cast<Builder*>(data);
        try {
            self->close();
        } catch (const std::bad_alloc&) {
            self->failure_ = "out of memory";
        }
    }
    static void characters(void* data, const XML_Char* text, int length)
    {
        auto* self = static_cast<Builder*>(data);
        if (!self->open_.empty())
            self->texts_[self->open_.size() - 1].append(text, static_cast<std::size_t>(length));
    }

    std::string_view keep(std::string_view text)
    {
        if (text.empty())
            return {};
        char* const at = document_.strings_->take(text.size());
        std::memcpy(at, text.data(), text.size());
        return {at, text.size()};
    }

    void open(const XML_Char* name, const XML_Char** attributes)
    {
        const auto index = static_cast<std::uint32_t>(document_.elements_.size());
        Element element;
        element.name = keep(name);
        element.firstAttribute = static_cast<std::uint32_t>(document_.attributes_.size());
        for (const XML_Char** attribute = attributes; *attribute; attribute += 2)
            document_.attributes_.push_back({keep(attribute[0]), keep(attribute[1])});
        element.attributeCount = static_cast<std::uint32_t>(document_.attributes_.size()) - element.firstAttribute;
        if (!open_.empty()) {
            Element& parent = document_.elements_[open_.back()];
            if (parent.lastChild == None)
                parent.firstChild = index;
            else
                document_.elements_[parent.lastChild].nextSibling = index;
            parent.lastChild = index;
        }
        document_.elements_.push_back(element);
        open_.push_back(index);
        if (texts_.size() < open_.size())
            texts_.emplace_back();
        texts_[open_.size() - 1].clear();
    }

    void close()
    {
        std::string& text = texts_[open_.size() - 1];
        document_.elements_[open_.back()].text = keep(text);
        // A large text is not kept for the next element at this depth.
        if (text.capacity() > 4096)
            std::string().swap(text);
        open_.pop_back();
    }

    XmlDocument& document_;
    std::vector<std::uint32_t> open_;  // the elements open, the innermost last
    std::vector<std::string> texts_;   // the character data of each open element, by depth
    const char* failure_ = nullptr;
};

std::optional<XmlDocument> XmlDocument::Parse(std::span<const std::uint8_t> bytes)
{
    XmlDocument document;
    if (Builder(document).parse(bytes))
        return document;
    std::vector<std::uint8_t> cleaned;
    cleaned.reserve(bytes.size());
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(cleaned),
                 [](std::uint8_t byte) { return !isRemovedControlByte(byte); });
    XmlDocument again;
    if (Builder(again).parse(cleaned))
        return again;
    return std::nullopt;
}

const XmlDocument::Element* XmlDocument::child(const Element& element, std::string_view name) const
{
    for (const Element& child : children(element))
        if (child.name == name)
            return &child;
    return nullptr;
}

std::optional<std::string_view> XmlDocument::attribute(const Element& element, std::string_view name) const
{
    for (std::uint32_t i = 0; i < element.attributeCount; ++i) {
        const Attribute& attribute = attributes_[element.firstAttribute + i];
        if (attribute.name == name)
            return attribute.value;
    }
    return std::nullopt;
}

}  // namespace quorvel
