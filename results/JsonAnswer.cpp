#include "results/JsonAnswer.h"

#include "base/Parallel.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <unordered_map>

namespace quorvel {

namespace {

// Rows are written in runs of names of about this many rows, a run made
// ready on a worker while earlier runs are written out: short enough that
// little of the answer is held at once, long enough that handing a run over
// costs little beside it.
constexpr std::size_t RowsPerRun = 2048;

// Below this many rows the answer is written on the command's thread alone.
constexpr std::size_t RowsWorthAWorker = 4000;

// A text the program made itself (a command name, a message, which may hold
// a file name in any encoding) as a JSON string, through the JSON library.
std::string jsonString(const std::string& text)
{
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Where the first byte that JSON escapes stands.
std::size_t firstToEscape(std::string_view text, std::size_t from)
{
    std::size_t at = from;
    while (at < text.size() && !IsSpecialInTextFormats(text[at]))
        ++at;
    return at;
}

// Appends valid UTF-8 as a JSON string, escaped as the JSON library escapes
// it: quotes and backslashes, and control characters in their short form or
// as \u00XX. Written by hand rather than through the library, which makes
// a JSON value of every text (compare-speed, dense flag: 62.1 -> 26.6 ms).
void appendJsonString(std::string& out, std::string_view utf8)
{
    out += '"';
    for (std::size_t plainFrom = 0; plainFrom <= utf8.size();) {
        const std::size_t at = firstToEscape(utf8, plainFrom);
        out.append(utf8, plainFrom, at - plainFrom);
        if (at == utf8.size())
            break;
        plainFrom = at + 1;
        switch (const char c = utf8[at]) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            constexpr char Hex[] = "0123456789abcdef";
            const auto byte = static_cast<unsigned char>(c);
            out += "\\u00";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        }
        }
    }
    out += '"';
}

// A kept text's shown form as a JSON string; a plain one, as most are, is
// copied as it is (compare-speed, dense flag: 27.9 -> 26.6 ms).
void appendJsonString(std::string& out, const KeptText& text)
{
    if (!text.shownIsPlain()) {
        appendJsonString(out, text.shown());
        return;
    }
    const std::string_view shown = text.shown();
    const std::size_t at = out.size();
    out.resize(at + shown.size() + 2);
    char* const to = out.data() + at;
    to[0] = '"';
    std::memcpy(to + 1, shown.data(), shown.size());
    to[shown.size() + 1] = '"';
}

// A row as a JSON array of its texts, after a comma unless it is the first.
// A row of plain texts, as most are, is laid down in one piece.
void appendRow(std::string& out, const HitRow& row, bool first)
{
    constexpr std::string_view Separator = ", ";
    const std::string_view opening = first ? "[" : ", [";
    std::size_t size = opening.size() + Separator.size() * (row.texts.size() - 1) + 1;
    bool plain = true;
    for (const KeptText& text : row.texts) {
        plain = plain && text.shownIsPlain();
        size += text.shown().size() + 2;
    }
    if (!plain) {
        out += opening;
        for (std::size_t c = 0; c < row.texts.size(); ++c) {
            if (c)
                out += Separator;
            appendJsonString(out, row.texts[c]);
        }
        out += ']';
        return;
    }
    const std::size_t at = out.size();
    out.resize(at + size);
    char* to = out.data() + at;
    const auto put = [&to](std::string_view bytes) {
        std::memcpy(to, bytes.data(), bytes.size());
        to += bytes.size();
    };
    put(opening);
    for (std::size_t c = 0; c < row.texts.size(); ++c) {
        if (c)
            put(Separator);
        *to++ = '"';
        put(row.texts[c].shown());
        *to++ = '"';
    }
    *to = ']';
}

// A part of a name of the left list and some of its rows, [firstRow,
// endRow); the first part opens the name, the last closes it. A name with
// many rows is written in several parts, so no part holds much of the answer.
struct Part {
    std::size_t line;
    std::size_t firstRow;
    std::size_t endRow;
    bool opens;
    bool closes;
};

// {"name": ..., "rows": [[...], ...]}, or the piece of it a part holds.
void appendPart(std::string& out, const KeptText& name, const std::vector<const HitRow*>& rows, const Part& part)
{
    if (part.opens) {
        out += part.line ? ", {\"name\": " : "{\"name\": ";
        appendJsonString(out, name);
        out += ", \"rows\": [";
    }
    for (std::size_t r = part.firstRow; r < part.endRow; ++r) {
        appendRow(out, *rows[r], r == 0);
    }
    if (part.closes)
        out += "]}";
}

// The parts of the answer, grouped into runs of about RowsPerRun rows.
std::vector<std::vector<Part>> runsOfParts(const Answer& answer)
{
    std::vector<std::vector<Part>> runs(1);
    std::size_t rowsInRun = 0;
    for (std::size_t line = 0; line < answer.leftLines().size(); ++line) {
        const std::size_t rows = answer.rowsOf(line).size();
        std::size_t first = 0;
        do {
            const std::size_t end = std::min(rows, first + RowsPerRun);
            runs.back().push_back(Part{line, first, end, first == 0, end == rows});
            rowsInRun += end - first + 1;
            if (rowsInRun >= RowsPerRun) {
                runs.emplace_back();
                rowsInRun = 0;
            }
            first = end;
        } while (first < rows);
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
}

// The rows of the answer, each name counted as one more.
std::size_t rowsOfAnswer(const Answer& answer)
{
    return answer.places() + answer.leftLines().size();
}

}  // namespace

void WriteJsonAnswer(std::ostream& out, const std::string& command, const MessageList& messages, const Answer& answer,
                     const RowOrder& order, unsigned workers)
{
    std::string head = "{\"command\": " + jsonString(command) + ", \"messages\": [";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        head += i ? ", {\"caption\": " : "{\"caption\": ";
        head += jsonString(messages[i].caption) + ", \"text\": " + jsonString(messages[i].text) + "}";
    }
    head += "], \"names\": [";
    out << head;

    // The names are written run by run, several runs at once, in their order.
    // A name written in several parts has its rows put in order once, first.
    workers = WorkersFor(rowsOfAnswer(answer), RowsWorthAWorker, workers);
    const std::vector<std::vector<Part>> runs = runsOfParts(answer);
    std::unordered_map<std::size_t, std::vector<const HitRow*>> orderOfLongNames;
    for (const std::vector<Part>& run : runs)
        for (const Part& part : run)
            if (!(part.opens && part.closes) && !orderOfLongNames.contains(part.line))
                orderOfLongNames[part.line] = RowsInOrder(answer, part.line, order);
    ProduceInOrder<std::string>(
        runs.size(), workers, WorkWindow(workers),
        [&](std::size_t run) {
            std::string text;
            for (const Part& part : runs[run]) {
                const KeptText& name = answer.leftLines()[part.line];
                const auto known = orderOfLongNames.find(part.line);
                if (known != orderOfLongNames.end()) {
                    appendPart(text, name, known->second, part);
                    continue;
                }
                appendPart(text, name, RowsInOrder(answer, part.line, order), part);
            }
            return text;
        },
        [&](std::size_t, const std::string& text) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        });
    out << "]}\n";
}

}  // namespace quorvel
