#include "results/CsvAnswer.h"

#include <optional>
#include <ostream>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

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

void writeHeader(std::ostream& out, std::optional<std::string_view> leadingColumn)
{
    out << ByteOrderMark;
    if (leadingColumn)
        out << *leadingColumn << ',';
    out << "name";
    for (std::size_t column = 1; column < ResultColumnTitles.size(); ++column)
        out << ',' << ResultColumnTitles[column];
    out << "\r\n";
}

void writeLines(std::ostream& out, const Answer& answer, const RowOrder& order, std::optional<std::string_view> lead)
{
    const auto startLine = [&](std::string_view name) {
        if (lead) {
            writeField(out, *lead);
            out << ',';
        }
        writeField(out, name);
    };
    for (std::size_t line = 0; line < answer.leftLines().size(); ++line) {
        const std::string_view name = answer.leftLines()[line].shown();
        const std::vector<const HitRow*> rows = RowsInOrder(answer, line, order);
        if (rows.empty()) {
            startLine(name);
            out << "\r\n";
        }
        for (const HitRow* row : rows) {
            startLine(name);
            for (const KeptText& text : row->texts) {
                out << ',';
                writeField(out, text.shown());
            }
            out << "\r\n";
        }
    }
}

}  // namespace

void WriteCsvAnswer(std::ostream& out, const Answer& answer, const RowOrder& order)
{
    writeHeader(out, std::nullopt);
    writeLines(out, answer, order, std::nullopt);
}

CheckAnswersCsv::CheckAnswersCsv(std::ostream& out) : out_(out)
{
    writeHeader(out_, "チェック");
}

void CheckAnswersCsv::write(const std::string& checkCaption, const Answer& answer, const RowOrder& order)
{
    writeLines(out_, answer, order, checkCaption);
}

}  // namespace quorvel
