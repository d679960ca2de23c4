#include "cli/CsvAnswer.h"

#include "cli/JsonAnswer.h"

#include <ostream>
#include <string_view>

namespace quorvel {

namespace {

void writeField(std::ostream& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out << text;
        return;
    }
    out << '"';
    for (const char c : text) {
        if (c == '"')
            out << '"';
        out << c;
    }
    out << '"';
}

}  // namespace

void WriteCsvAnswer(std::ostream& out, const ResultsPanel& results, int sortColumn, bool descending)
{
    out << "name,filename,イベント所属,先頭スタート名,所属スタート名,種類,値\r\n";
    for (std::size_t line = 0; line < results.leftLines().size(); ++line) {
        const std::string_view name = results.leftLines()[line].shown();
        const bool hasEntry = static_cast<int>(line) < results.index.count();
        const std::vector<const HitRow*> rows = hasEntry
            ? RowsInShownOrder(results, static_cast<int>(line), sortColumn, descending)
            : std::vector<const HitRow*>();
        if (rows.empty()) {
            writeField(out, name);
            out << "\r\n";
        }
        for (const HitRow* row : rows) {
            writeField(out, name);
            for (const KeptText& text : row->texts) {
                out << ',';
                writeField(out, text.shown());
            }
            out << "\r\n";
        }
    }
}

}  // namespace quorvel
