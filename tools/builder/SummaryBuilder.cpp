#include "tools/builder/SummaryBuilder.h"

#include "scenario/ClassicLayout.h"

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
    out.zeros(classic::StepRecord.fixedAfterName);
    for (const std::string& valueName : step.valueNames)
        out.text(valueName);
}

void WriteFlagRecord(ByteWriter& out, const FlagDeclaration& flag)
{
    writeName(out, flag.name, flag.nameEndsInZero);
    out.zeros(classic::FlagRecord.fixedAfterName).text(flag.onName).text(flag.offName);
}

std::string EncodeSummary(const Summary& summary)
{
    ByteWriter out;
    for (std::int32_t length : summary.leadingBlockLengths)
        out.block(length);
    out.zeros(classic::Summary::BeforeStartArea)
        .int32(static_cast<std::int32_t>(static_cast<std::uint32_t>(summary.startAreaId + classic::IdOffset)))
        .int32(static_cast<std::int32_t>(summary.steps.size()));
    for (const StepDeclaration& step : summary.steps)
        WriteStepRecord(out, step);
    out.int32(static_cast<std::int32_t>(summary.flags.size()));
    for (const FlagDeclaration& flag : summary.flags)
        WriteFlagRecord(out, flag);
    out.zeros(summary.closingBytes);
    return out.str();
}

}  // namespace quorvel::build
