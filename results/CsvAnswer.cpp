#include "results/CsvAnswer.h"

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

void WriteCsvAnswer(std::ostream& out, const Answer& answer, const RowOrder& order)
{
    out << "name";
    for (std::size_t column = 1; column < ResultColumnTitles.size(); ++column)
        out << ',' << ResultColumnTitles[column];
    out << "\r\n";
    for (std::size_t line = 0; line < answer.leftLines().size(); ++line) {
        const std::string_view name = answer.leftLines()[line].shown();
        const std::vector<const HitRow*> rows = RowsInOrder(answer, line, order);
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
