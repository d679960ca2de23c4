#pragma once

// Writes Summary.wsm files for tests, benchmarks, the fuzz corpus and the
// demo: five leading blocks, 8 fixed bytes, the step records, the flag
// records and the closing 12 bytes. Names and value names are given without
// their zero byte; the writer stores one after each (unless told not to for
// a name).

#include "scenario/ClassicLayout.h"
#include "tools/builder/WidBuilder.h"

#include <array>
#include <string>
#include <vector>

namespace quorvel::build {

struct StepDeclaration {
    std::string name;
    std::array<std::string, classic::StepRecord.valueNames> valueNames;
    bool nameEndsInZero = true;
};

struct FlagDeclaration {
    std::string name;
    std::string onName;   // shown for a change to value 1
    std::string offName;  // shown for any other value
    bool nameEndsInZero = true;
};

// A variant: the XML form only.
struct VariantDeclaration {
    std::string name;
    std::string type = "Number";  // the default's type: Number, String, Boolean
    std::string value = "0";
};

struct Summary {
    std::array<std::int32_t, classic::Summary::LeadingBlocks> leadingBlockLengths = {4, 0, 12, 3, 7};
    std::vector<StepDeclaration> steps;
    std::vector<FlagDeclaration> flags;
    std::vector<VariantDeclaration> variants;  // the XML form only
    std::string name, author, description;     // the XML form only
    // The start area's id; a classic summary stores it plus 40000, cut to 32 bits.
    std::int64_t startAreaId = 1;
    std::size_t closingBytes = classic::Summary::Closing;  // fewer cut the file short
};

void WriteStepRecord(ByteWriter& out, const StepDeclaration& step);
void WriteFlagRecord(ByteWriter& out, const FlagDeclaration& flag);
std::string EncodeSummary(const Summary& summary);

}  // namespace quorvel::build
