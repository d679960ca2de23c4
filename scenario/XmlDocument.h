#pragma once

#include "scenario/GrowingChunks.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// A well-formed XML document held as a tree of elements: each element's
// name, attributes and character data (what stands directly inside it,
// its children's aside), and its children in document order. Strings are
// UTF-8, as the parser gives them, and live as long as the document.
class XmlDocument {
public:
    struct Element;

    // An element's children, in document order.
    class Children {
    public:
        class Iterator {
        public:
            Iterator(const XmlDocument* document, std::uint32_t at) : document_(document), at_(at) { }
            const Element& operator*() const { return document_->elements_[at_]; }
            const Element* operator->() const { return &document_->elements_[at_]; }
            Iterator& operator++()
            {
                at_ = document_->elements_[at_].nextSibling;
                return *this;
            }
            bool operator==(const Iterator& other) const { return at_ == other.at_; }

        private:
            const XmlDocument* document_;
            std::uint32_t at_;
        };
        Iterator begin() const { return {document_, first_}; }
        Iterator end() const { return {document_, None}; }
        bool empty() const { return first_ == None; }

    private:
        friend class XmlDocument;
        Children(const XmlDocument* document, std::uint32_t first) : document_(document), first_(first) { }
        const XmlDocument* document_;
        std::uint32_t first_;
    };

    struct Attribute {
        std::string_view name;
        std::string_view value;
    };

    struct Element {
        std::string_view name;
        std::string_view text;
        std::uint32_t firstAttribute = 0;
        std::uint32_t attributeCount = 0;
        std::uint32_t firstChild = None;
        std::uint32_t lastChild = None;
        std::uint32_t nextSibling = None;
    };

    // Parses UTF-8 (or another encoding the XML declaration names and the
    // parser knows: UTF-16, ISO-8859-1, US-ASCII). Not well-formed: parsed
    // again without the bytes 0x00-0x08, 0x0B, 0x0C, 0x0E-0x1F and 0x7F;
    // nothing when that fails too.
    static std::optional<XmlDocument> Parse(std::span<const std::uint8_t> bytes);

    const Element& root() const { return elements_.front(); }
    Children children(const Element& element) const { return {this, element.firstChild}; }
    // The first child of that name.
    const Element* child(const Element& element, std::string_view name) const;
    // The first child, and the element after one among its parent's children; null for none.
    const Element* firstChild(const Element& element) const
    {
        return element.firstChild == None ? nullptr : &elements_[element.firstChild];
    }
    const Element* next(const Element& element) const
    {
        return element.nextSibling == None ? nullptr : &elements_[element.nextSibling];
    }
    // The value of an attribute; nothing when the element has none of that name.
    std::optional<std::string_view> attribute(const Element& element, std::string_view name) const;

    XmlDocument(XmlDocument&&) noexcept = default;
    XmlDocument& operator=(XmlDocument&&) noexcept = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

private:
    static constexpr std::uint32_t None = UINT32_MAX;
    class Builder;

    XmlDocument() = default;

    std::vector<Element> elements_;
    std::vector<Attribute> attributes_;
    std::unique_ptr<GrowingChunks<char, 4096, 256 * 1024>> strings_
        = std::make_unique<GrowingChunks<char, 4096, 256 * 1024>>();
};

}  // namespace quorvel
