#include "search/MaterialPaths.h"

#include "scenario/ContentKind.h"

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

bool NamesNoFile(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    const std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    return path.empty() || name.starts_with("??");
}

}  // namespace quorvel
