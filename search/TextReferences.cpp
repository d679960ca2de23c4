#include "search/TextReferences.h"

#include <optional>

namespace quorvel {

namespace {

bool isShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool endsLine(char c)
{
    return c == '\n' || c == '\r';
}

}  // namespace

void ForEachTextReference(const Text& text, char marker, const std::function<void(const Text& name)>& onName)
{
    const std::string_view bytes = text.shownBytes();
    const bool shiftJis = text.encoding() == TextEncoding::ShiftJis;
    std::optional<std::size_t> opened;  // where the name after an open marker starts
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (shiftJis && isShiftJisLeadByte(static_cast<unsigned char>(c))) {
            ++at;  // its trail byte is part of the character
            continue;
        }
        if (endsLine(c)) {
            opened.reset();
        } else if (c == marker) {
            if (opened) {
                onName(Text(bytes.substr(*opened, at - *opened), text.encoding(), false));
                opened.reset();
            } else {
                opened = at + 1;
            }
        }
    }
}

}  // namespace quorvel
