#include "search/RowTexts.h"

#include "results/ShiftJis.h"

#include <unordered_map>

namespace quorvel {

std::string WithoutFinalZero(std::string_view stored)
{
    return std::string(stored.size() <= 1 ? std::string_view() : stored.substr(0, stored.size() - 1));
}

std::string IndexedLabel(std::string_view text, long long number, bool dataFileText)
{
    std::string label = dataFileText ? WithoutFinalZero(text) : std::string(text);
    return label + "[" + std::to_string(number) + "]";
}

std::string HeadStartName(const Ceventtree& event, int index)
{
    if (event.starts.empty())
        return {};
    return IndexedLabel(event.starts.front().name, index + 1LL, true);
}

HitRow MakeHitRow(const EventVisit& visit, const Ccontent& start, std::string kindWord, std::string value)
{
    return HitRow{{visit.fileName, visit.eventText, visit.headStartName, start.name,
                   std::move(kindWord), std::move(value)}};
}

const std::string& FixedWord(const char* utf8)
{
    static std::unordered_map<std::string, std::string> words;
    auto [at, added] = words.try_emplace(utf8);
    if (added)
        at->second = Utf8ToSjis(utf8);
    return at->second;
}

}  // namespace quorvel
