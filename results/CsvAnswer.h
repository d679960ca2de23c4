#pragma once

#include "results/Answer.h"

#include <iosfwd>
#include <string>

namespace quorvel {

// Writes a command's answer as CSV (RFC 4180: UTF-8 with a byte-order mark,
// so spreadsheet programs read Japanese right; CRLF line ends; fields quoted
// where they hold a comma, a quote or a line break): a header line, then
// each name of the left list in order, a line per row with the name and the
// row's six texts as the window shows them, or a line of the name alone
// when it has no rows. Rows stand in `order`.
void WriteCsvAnswer(std::ostream& out, const Answer& answer, const RowOrder& order);

// The answers of several checks in one CSV: one header whose first column
// is "チェック", then the lines of each answer written, each led by the
// caption of its check.
class CheckAnswersCsv {
public:
    explicit CheckAnswersCsv(std::ostream& out);
    void write(const std::string& checkCaption, const Answer& answer, const RowOrder& order);

private:
    std::ostream& out_;
};

}  // namespace quorvel
