#include "tools/builder/Encoding.h"

#include "scenario/ShiftJis.h"

#include <stdexcept>

namespace quorvel::build {

std::string Sjis(std::string_view utf8)
{
    std::optional<std::string> sjis = ToShiftJis(utf8);
    if (!sjis)
        throw std::invalid_argument("no Shift-JIS form: " + std::string(utf8));
    return *sjis;
}

std::string Utf8(std::string_view sjis)
{
    ShiftJisDecoder decoder;
    return decoder.toUtf8(sjis);
}

}  // namespace quorvel::build
