#pragma once

#include "scenario/StateVariables.h"
#include "scenario/XmlDocument.h"

#include <string_view>

namespace quorvel {

// The declarations of state variables of one kind that an element holds
// (the root of Summary.xml, or a card's own element): for each element of
// its list, in document order, onDeclaration(declaration, its whole name).
template <typename OnDeclaration>
void ForEachXmlDeclaration(const XmlDocument& document, const XmlDocument::Element& owner, SummarySection kind,
                           OnDeclaration&& onDeclaration)
{
    constexpr std::string_view Lists[] = {"Flags", "Steps", "Variants"};
    constexpr std::string_view Items[] = {"Flag", "Step", "Variant"};
    const auto at = static_cast<std::size_t>(kind);
    const XmlDocument::Element* list = document.child(owner, Lists[at]);
    if (!list)
        return;
    for (const XmlDocument::Element& declaration : document.children(*list)) {
        if (declaration.name != Items[at])
            continue;
        const XmlDocument::Element* name = document.child(declaration, "Name");
        onDeclaration(declaration, name ? name->text : std::string_view());
    }
}

// The value names of a declaration, in order: a flag's true and false
// names; every child of a step whose tag starts with "Value", by document
// position; none for a variant.
template <typename OnValueName>
void ForEachXmlValueName(const XmlDocument& document, const XmlDocument::Element& declaration, SummarySection kind,
                         OnValueName&& onValueName)
{
    if (kind == SummarySection::Flags) {
        for (const std::string_view tag : {std::string_view("True"), std::string_view("False")}) {
            const XmlDocument::Element* value = document.child(declaration, tag);
            onValueName(value ? value->text : std::string_view());
        }
    } else if (kind == SummarySection::Steps) {
        for (const XmlDocument::Element& child : document.children(declaration))
            if (child.name.starts_with("Value"))
                onValueName(child.text);
    }
}

}  // namespace quorvel
