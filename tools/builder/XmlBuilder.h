#pragma once

// Writes the XML form of the same descriptions the classic builder writes,
// as the converter of classic scenarios writes it: UTF-8, texts converted
// from the Shift-JIS of the descriptions, ids without the classic offset,
// each content as the tag, type and fields of its kind. Kinds only the XML
// format has are written from the fields of the description:
//   ReplaceBgImage  cells;
//   SetVariant      text the target, text2 the expression, option 1 a flag,
//                   2 a step, 0 a variant;
//   BranchVariant, CheckVariant   text2 the expression;
//   MultiCouponBranch, MultiRandomBranch   its children, named;
//   a member selection (12) with coupon scores: scored by them (Valued).

#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"

#include <string>

namespace quorvel::build {

struct XmlForm {
    // Chains of single children folded into <ContentsLine>, as the
    // converter writes them; else every child in a <Contents> of its own.
    bool contentsLines = false;
    // Step value names as Value0..Value9; else as repeated <Value>.
    bool numberedStepValues = true;
};

std::string EncodeXml(const File& file, const XmlForm& form = {});
std::string EncodeXmlSummary(const Summary& summary, const XmlForm& form = {});

// The folder the XML form of a data file of this kind byte lies in.
std::string XmlFolderOf(std::uint8_t kind, bool packageByName = false);

// Where the XML form of a classic data file lies in its scenario folder:
// in its kind's folder, named as the classic file with ".xml".
std::string XmlPathOf(const std::string& classicName, const File& file);

// A text as the format escapes multi-line fields: "\\" for a backslash,
// "\n" for a line break (a CR LF becomes one).
std::string EscapedXmlText(const std::string& utf8);

}  // namespace quorvel::build
