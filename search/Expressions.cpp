#include "search/Expressions.h"

#include "base/AsciiCase.h"

#include <algorithm>
#include <optional>

namespace quorvel {

namespace {

// The tokens of an expression, as far as calls are concerned.
struct Token {
    enum class Kind { Identifier, String, VariantReference, Open, Comma, Close, Other };
    Kind kind;
    std::string text;  // an identifier's name, a string literal's text
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsIdentifier(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// A string literal from its opening quote: its text, and where it ends.
std::optional<std::pair<std::string, std::size_t>> stringAt(std::string_view text, std::size_t at)
{
    std::string literal;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            literal += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '"') {
            literal += '"';
            ++i;
            continue;
        }
        return std::pair(std::move(literal), i + 1);
    }
    return std::nullopt;  // not closed
}

// The tokens of the whole expression; nothing when a character is not of any token.
std::optional<std::vector<Token>> tokens(std::string_view text)
{
    constexpr std::string_view Operators = "+-*/%~.=<>";
    std::vector<Token> found;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (isSpace(c)) {
            ++at;
        } else if (c == '"' || (c == '@' && at + 1 < text.size() && text[at + 1] == '"')) {
            const bool variant = c == '@';
            auto literal = stringAt(text, at + (variant ? 1 : 0));
            if (!literal)
                return std::nullopt;
            found.push_back({variant ? Token::Kind::VariantReference : Token::Kind::String, std::move(literal->first)});
            at = literal->second;
        } else if (isDigit(c)) {
            while (at < text.size() && isDigit(text[at]))
                ++at;
            if (at + 1 < text.size() && text[at] == '.' && isDigit(text[at + 1]))
                for (++at; at < text.size() && isDigit(text[at]);)
                    ++at;
            found.push_back({Token::Kind::Other, {}});
        } else if (startsIdentifier(c)) {
            const std::size_t start = at;
            while (at < text.size() && (startsIdentifier(text[at]) || isDigit(text[at])))
                ++at;
            found.push_back({Token::Kind::Identifier, std::string(text.substr(start, at - start))});
        } else if (c == '(' || c == ')' || c == ',') {
            found.push_back({c == '(' ? Token::Kind::Open : c == ')' ? Token::Kind::Close : Token::Kind::Comma, {}});
            ++at;
        } else if (Operators.find(c) != std::string_view::npos) {
            ++at;  // "<>", "<=" and ">=" are two of these
            found.push_back({Token::Kind::Other, {}});
        } else {
            return std::nullopt;
        }
    }
    return found;
}

}  // namespace

std::vector<std::string> NamesCalledWith(std::string_view expression, const std::vector<std::string_view>& functions,
                                         bool withVariantShorthand)
{
    std::vector<std::string> names;
    const std::optional<std::vector<Token>> all = tokens(expression);
    if (!all)
        return names;
    const std::vector<Token>& t = *all;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Token::Kind::VariantReference) {
            if (withVariantShorthand)
                names.push_back(t[i].text);
            continue;
        }
        if (i + 3 >= t.size() || t[i].kind != Token::Kind::Identifier
            || std::none_of(functions.begin(), functions.end(),
                            [&](std::string_view function) { return EqualIgnoringAsciiCase(t[i].text, function); }))
            continue;
        if (t[i + 1].kind == Token::Kind::Open && t[i + 2].kind == Token::Kind::String
            && (t[i + 3].kind == Token::Kind::Comma || t[i + 3].kind == Token::Kind::Close))
            names.push_back(t[i + 2].text);
    }
    return names;
}

}  // namespace quorvel
