#include "cli/JsonAnswer.h"

#include "scenario/ShiftJis.h"
#include "search/OrderedWork.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <ostream>
#include <unordered_map>

namespace quorvel {

namespace {

// nlohmann-json's own serialiser writes each piece, a text held in one
// reused JSON string; the structure around the pieces is written here, with
// ", " and ": " between items.
using Serializer = nlohmann::detail::serializer<nlohmann::json>;
using nlohmann::detail::error_handler_t;

// How a row text stands in JSON: as it is between quotes when plain, else
// decoded and escaped. (No member initializers: the six of a row are filled
// in before use rather than cleared first.)
struct Written {
    std::string_view source;  // the row text, stable while the answer is written
    std::string_view shown;   // its bytes up to the first zero byte
    const std::string* json;  // when not plain
};

// What one thread has made of the texts of the answer being written. The
// answer's texts stay where they are until it is written, and the runs of
// names a thread writes meet the same texts again.
struct KnownTexts {
    std::uint64_t answer = 0;  // which answer the texts belong to
    int placeBits = 0;         // byPlace has 2^placeBits entries
    std::vector<Written> byPlace;
    std::unordered_map<std::string_view, std::string> escaped;  // stored texts, as JSON strings
    ShiftJisDecoder decoder;
};

// One answer being written, and the size of the table that knows its texts
// by place: about one entry per text of the answer, within bounds.
struct AnswerBeingWritten {
    std::uint64_t serial;
    int placeBits;
};

KnownTexts& knownTextsOf(const AnswerBeingWritten& answer)
{
    thread_local KnownTexts known;
    if (known.answer != answer.serial) {
        known.answer = answer.serial;
        known.placeBits = answer.placeBits;
        known.byPlace.assign(std::size_t{1} << answer.placeBits, Written{});
        known.escaped.clear();
    }
    return known;
}

std::atomic<std::uint64_t> answersWritten{0};

// Writes pieces of one answer into one buffer.
class JsonPieces {
public:
    JsonPieces(std::string& buffer, const AnswerBeingWritten& answer)
        : buffer_(buffer), escape_(nlohmann::detail::output_adapter<char>(buffer_), ' ', error_handler_t::replace),
          escapeAside_(nlohmann::detail::output_adapter<char>(aside_), ' ', error_handler_t::replace),
          known_(knownTextsOf(answer))
    {
    }

    void raw(std::string_view text) { buffer_ += text; }
    void string(const std::string& utf8) { dumpInto(escape_, utf8); }

    // One name of the left list with its rows, as {"name": ..., "rows": [...]}.
    void name(const std::string& line, const std::vector<const HitRow*>& rows)
    {
        raw("{\"name\": ");
        buffer_ += escapedText(line);
        raw(", \"rows\": [");
        for (std::size_t r = 0; r < rows.size(); ++r) {
            // Rows sorted by a column are read out of their order: ask for the next ones early.
            if (r + PrefetchAhead < rows.size())
                __builtin_prefetch(rows[r + PrefetchAhead]);
            if (r)
                raw(", ");
            row(*rows[r]);
        }
        raw("]}");
    }

private:
    static constexpr std::size_t PrefetchAhead = 8;

    void dumpInto(Serializer& serializer, const std::string& utf8)
    {
        piece_.get_ref<std::string&>() = utf8;
        serializer.dump(piece_, false, false, 0);
    }

    // [text, text, ...], laid down at once.
    void row(const HitRow& shown)
    {
        std::array<Written, 6> texts;
        std::size_t length = 2 + 2 * (texts.size() - 1);
        for (std::size_t c = 0; c < texts.size(); ++c) {
            texts[c] = textIn(shown.texts[c]);
            length += texts[c].json ? texts[c].json->size() : texts[c].shown.size() + 2;
        }
        const std::size_t at = buffer_.size();
        buffer_.resize(at + length);
        char* out = buffer_.data() + at;
        *out++ = '[';
        for (std::size_t c = 0; c < texts.size(); ++c) {
            if (c) {
                *out++ = ',';
                *out++ = ' ';
            }
            out = write(texts[c], out);
        }
        *out = ']';
    }

    // Rows that share a text share its copy (file, event and head start of
    // the rows of one event; the kind words and values of the rows of a
    // run of files), so a text is known first by where it stands.
    const Written& textIn(std::string_view text)
    {
        const std::uint64_t place = reinterpret_cast<std::uintptr_t>(text.data());
        Written& known = known_.byPlace[(place * 0x9E3779B97F4A7C15u) >> (64 - known_.placeBits)];
        if (known.source.data() == text.data() && known.source.size() == text.size())
            return known;
        known.source = text;
        known.shown = UpToFirstZero(text);
        const bool plain = std::all_of(known.shown.begin(), known.shown.end(), plainInJson);
        known.json = plain ? nullptr : &escapedText(known.shown);
        return known;
    }

    static char* write(const Written& text, char* out)
    {
        if (text.json)
            return std::copy(text.json->begin(), text.json->end(), out);
        *out++ = '"';
        out = std::copy(text.shown.begin(), text.shown.end(), out);
        *out++ = '"';
        return out;
    }

    const std::string& escapedText(std::string_view stored)
    {
        const auto known = known_.escaped.find(stored);
        if (known != known_.escaped.end())
            return known->second;
        std::string json;
        escapeInto(json, stored);
        return known_.escaped.emplace(stored, std::move(json)).first->second;
    }

    // A stored text as a JSON string of what the window shows of it, quotes included.
    void escapeInto(std::string& json, std::string_view stored)
    {
        const std::string& utf8 = known_.decoder.toUtf8(UpToFirstZero(stored));
        if (std::none_of(utf8.begin(), utf8.end(), needsEscape)) {
            // Valid UTF-8 (the decoder's) without quotes, backslashes or control characters stands as it is.
            json.reserve(json.size() + utf8.size() + 2);
            json += '"';
            json += utf8;
            json += '"';
            return;
        }
        aside_.clear();
        dumpInto(escapeAside_, utf8);
        json += aside_;
    }

    static bool needsEscape(char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }

    // A Shift-JIS byte that decodes to itself and needs no escape in JSON.
    static bool plainInJson(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
    }

    std::string& buffer_;
    std::string aside_;
    Serializer escape_;
    Serializer escapeAside_;
    nlohmann::json piece_ = std::string();
    KnownTexts& known_;
};

std::size_t rowsOfAnswer(const ResultsPanel& results)
{
    std::size_t allRows = 0;
    for (int entry = 0; entry < results.index.count(); ++entry)
        allRows += results.index.rows(entry).size() + 1;
    return allRows;
}

// Runs of names of about the same number of rows, short enough that little
// of the answer is held at once.
std::vector<std::pair<std::size_t, std::size_t>> runsOfNames(const ResultsPanel& results)
{
    constexpr std::size_t RowsPerRun = 2048;
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::size_t first = 0;
    std::size_t rows = 0;
    const std::size_t names = results.leftLines().size();
    for (std::size_t line = 0; line < names; ++line) {
        if (static_cast<int>(line) < results.index.count())
            rows += results.index.rows(static_cast<int>(line)).size() + 1;
        if (rows >= RowsPerRun || line + 1 == names) {
            runs.emplace_back(first, line + 1);
            first = line + 1;
            rows = 0;
        }
    }
    return runs;
}

}  // namespace

std::vector<const HitRow*> RowsInShownOrder(const ResultsPanel& results, int line, int sortColumn)
{
    std::vector<const HitRow*> rows;
    for (const HitRow& row : results.index.rows(line))
        rows.push_back(&row);
    if (sortColumn > 0) {
        const auto text = static_cast<std::size_t>(sortColumn - 1);
        std::stable_sort(rows.begin(), rows.end(), [text](const HitRow* a, const HitRow* b) {
            return ListViewCompare(a->texts[text], b->texts[text]) < 0;
        });
    }
    return rows;
}

void WriteJsonAnswer(std::ostream& out, const std::string& command, const MessageList& messages,
                     const ResultsPanel& results, int sortColumn, unsigned workers)
{
    std::string head;
    const std::size_t rows = rowsOfAnswer(results);
    const AnswerBeingWritten answer{++answersWritten,
                                    std::clamp(static_cast<int>(std::bit_width(6 * rows)), 8, 14)};
    JsonPieces pieces(head, answer);
    pieces.raw("{\"command\": ");
    pieces.string(command);
    pieces.raw(", \"messages\": [");
    for (std::size_t i = 0; i < messages.size(); ++i) {
        pieces.raw(i ? ", {\"caption\": " : "{\"caption\": ");
        pieces.string(messages[i].second);
        pieces.raw(", \"text\": ");
        pieces.string(messages[i].first);
        pieces.raw("}");
    }
    pieces.raw("], \"names\": [");
    out << head;

    // The names are written run by run, several runs at once, in their order.
    constexpr std::size_t RowsWorthAWorker = 4000;
    workers = WorkersFor(rows, RowsWorthAWorker, workers);
    const std::vector<std::pair<std::size_t, std::size_t>> runs = runsOfNames(results);
    ProduceInOrder<std::string>(
        runs.size(), workers, WorkWindow(workers),
        [&](std::size_t run) {
            std::string text;
            JsonPieces names(text, answer);
            for (std::size_t line = runs[run].first; line < runs[run].second; ++line) {
                if (line)
                    names.raw(", ");
                const bool hasEntry = static_cast<int>(line) < results.index.count();
                names.name(results.leftLines()[line], hasEntry ? RowsInShownOrder(results, static_cast<int>(line), sortColumn)
                                                                : std::vector<const HitRow*>());
            }
            return text;
        },
        [&](std::size_t, const std::string& text) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
    out << "]}\n";
}

}  // namespace quorvel
