#include "tools/builder/SummaryBuilder.h"

namespace quorvel::build {

namespace {

void writeName(ByteWriter& out, const std::string& name, bool endsInZero)
{
    if (endsInZero)
        out.text(name);
    else
        out.rawText(name);
}

}  // namespace

void WriteStepRecord(ByteWriter& out, const StepDeclaration& step)
{
    writeName(out, step.name, step.nameEndsInZero);
    out.zeros(4);
    for (const std::string& valueName : step.valueNames)
        out.text(valueName);
}

void WriteFlagRecord(ByteWriter& out, const FlagDeclaration& flag)
{
    writeName(out, flag.name, flag.nameEndsInZero);
    out.byte(0).text(flag.onName).text(flag.offName);
}

std::string EncodeSummary(const Summary& summary)
{
    ByteWriter out;
    for (std::int32_t length : summary.leadingBlockLengths)
        out.block(length);
    out.zeros(8).int32(static_cast<std::int32_t>(summary.steps.size()));
    for (const StepDeclaration& step : summary.steps)
        WriteStepRecord(out, step);
    out.int32(static_cast<std::int32_t>(summary.flags.size()));
    for (const FlagDeclaration& flag : summary.flags)
        WriteFlagRecord(out, flag);
    out.zeros(summary.closingBytes);
    return out.str();
}

}  // namespace quorvel::build
