#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The names an expression of the XML format names statically through
// these functions (their names compared ignoring letter case): for each
// call whose name is followed by "(", exactly one string literal and then
// "," or ")", the literal's text ("" inside standing for "), in the order
// the calls stand in the text. An expression holding a character no token
// takes names nothing, as the engine refuses it. With the variant
// shorthand, each @"…" (which stands for VAR("…")) names its text too.
std::vector<std::string> NamesCalledWith(std::string_view expression, const std::vector<std::string_view>& functions,
                                         bool withVariantShorthand = false);

}  // namespace quorvel
