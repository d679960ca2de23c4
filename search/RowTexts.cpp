#include "search/RowTexts.h"

#include "scenario/ShiftJis.h"

#include <charconv>
#include <iterator>
#include <unordered_map>

namespace quorvel {

std::string IndexedLabel(std::string_view text, long long number, bool dataFileText)
{
    if (dataFileText)
        text = text.size() <= 1 ? std::string_view() : text.substr(0, text.size() - 1);
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    std::string label;
    label.reserve(text.size() + static_cast<std::size_t>(written - digits) + 2);
    label.append(text).append(1, '[').append(digits, written).append(1, ']');
    return label;
}

std::string HeadStartName(const Event& event, int index)
{
    if (event.starts.empty())
        return {};
    return IndexedLabel(event.starts.front().name, index + 1LL, true);
}

HitRow MakeHitRow(const EventVisit& visit, const Content& start, std::string_view kindWord, std::string_view value)
{
    return HitRow{
        visit.rowTexts.keepRow({visit.fileName, visit.eventText, visit.headStartName(), start.name, kindWord, value})};
}

const std::string& FixedWord(const char* utf8)
{
    // The words are literals, so their address is their name; each thread
    // keeps its own, and a word lives as long as the thread that asked.
    thread_local std::unordered_map<const char*, std::string> words;
    auto [at, added] = words.try_emplace(utf8);
    if (added)
        at->second = Utf8ToSjis(utf8);
    return at->second;
}

}  // namespace quorvel
