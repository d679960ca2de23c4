#include "search/MaterialPaths.h"

#include "base/AsciiCase.h"
#include "scenario/ContentKind.h"
#include "scenario/Text.h"

#include <array>

namespace quorvel {

namespace {

constexpr std::uint8_t MessageKind = 6;
constexpr std::uint8_t BgmKind = 7;

}  // namespace

void AppendContentPaths(const Content& content, std::vector<NamedPath>& paths)
{
    const auto add = [&](const char* kindWord, const Text& path) {
        if (!path.empty())
            paths.push_back({kindWord, path});
    };
    const ContentDetail& detail = content.detail;
    switch (content.kind) {
    case MessageKind:
        add("話者画像", detail.text);
        break;
    case BgmKind:
        add("BGM", detail.text);
        break;
    case static_cast<std::uint8_t>(ContentKind::PlaySound):
        add("効果音", detail.text);
        break;
    case static_cast<std::uint8_t>(ContentKind::Effect):
        add("効果", detail.text);
        break;
    default:
        break;
    }
    if (content.extras)
        add("効果開始", content.extras->initialSound);
    for (const Cell& cell : detail.cells)
        add("背景", cell.image);
}

std::optional<std::u16string> MaterialKey(std::string_view utf8Path)
{
    std::vector<std::string_view> steps;
    std::string_view rest = utf8Path;
    while (true) {
        const std::size_t separator = rest.find_first_of("/\\");
        const std::string_view step = rest.substr(0, separator);
        if (step == "..") {
            if (steps.empty())
                return std::nullopt;  // out of the scenario
            steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        if (separator == std::string_view::npos)
            break;
        rest.remove_prefix(separator + 1);
    }
    std::string joined;
    for (const std::string_view step : steps)
        joined.append(joined.empty() ? "" : "/").append(step);
    return CaseFolded(Text::Unicode(joined), joined);
}

std::vector<std::u16string> MaterialKeysOfPath(std::string_view utf8Path)
{
    std::vector<std::u16string> keys;
    const std::optional<std::u16string> own = MaterialKey(utf8Path);
    if (!own)
        return keys;
    keys.push_back(*own);
    if (!own->starts_with(u"material/"))
        if (const std::optional<std::u16string> inMaterial = MaterialKey("Material/" + std::string(utf8Path)))
            keys.push_back(*inMaterial);
    return keys;
}

bool IsMaterialFile(std::string_view path)
{
    static constexpr std::array<std::string_view, 10> Extensions
        = {".bmp", ".png", ".gif", ".jpg", ".jpeg", ".wav", ".ogg", ".mp3", ".mid", ".midi"};
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/\\", dot) != std::string_view::npos)
        return false;
    const std::string_view extension = path.substr(dot);
    for (const std::string_view known : Extensions)
        if (EqualIgnoringAsciiCase(extension, known))
            return true;
    return false;
}

bool NamesNoFile(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    return path.empty() || name.starts_with("??");
}

}  // namespace quorvel
