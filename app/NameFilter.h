#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The form in which names are matched against what the user types into the
// filter: compatibility-normalised (NFKC, so full-width and half-width forms
// are alike) and case-folded (Unicode default folding).
std::u16string FilterForm(std::string_view utf8);

// Whether a name (in FilterForm) holds the typed text (in FilterForm); an
// empty text is held by every name.
inline bool HoldsFilterText(const std::u16string& name, const std::u16string& typed)
{
    return name.find(typed) != std::u16string::npos;
}

}  // namespace quorvel
