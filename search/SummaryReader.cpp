#include "search/SummaryReader.h"

#include "scenario/ByteStream.h"
#include "scenario/FileSystem.h"
#include "scenario/ShiftJis.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

namespace {

struct RecordShape {
    std::uint64_t fixedBytes;  // after the name
    int valueNameCount;
};

constexpr RecordShape StepRecord{4, 10};
constexpr RecordShape FlagRecord{1, 2};

// One forward pass over the file. Every length is checked before it moves
// the position: a negative one fails the read, so the position never moves
// backwards and every record consumes bytes.
class SummaryReader {
public:
    SummaryReader(std::span<const std::uint8_t> bytes, ResultIndex& index, ValueNameTable& valueNames)
        : in_(bytes), index_(index), valueNames_(valueNames)
    {
    }

    void read(SummarySection section)
    {
        valueNames_.clear();
        for (int block = 0; block < 5; ++block)
            in_.skipBlock();
        in_.skip(8);
        readOrPassOverRecords(StepRecord, section == SummarySection::Steps);
        readOrPassOverRecords(FlagRecord, section == SummarySection::Flags);
        // Nothing after the flag records is read, but a file holding more
        // than these 12 bytes is of a later format that starts alike.
        in_.skip(12);
        if (!in_.atOrPastEnd())
            in_.fail("bytes remain after the flag records");
    }

private:
    void readOrPassOverRecords(const RecordShape& shape, bool wanted)
    {
        const std::int32_t count = in_.readInt();
        if (wanted)
            readRecords(shape, count);
        else
            for (std::int32_t i = 0; i < count; ++i)
                passOverRecord(shape);
    }

    // The records are read first and their names added together, so that
    // their collation keys are made while they are added. What was read
    // before a failure is added all the same.
    void readRecords(const RecordShape& shape, std::int32_t count)
    {
        std::vector<std::string_view> names;
        std::vector<ValueNames> values;
        if (count > 0) {
            // No more records than the bytes left could hold, whatever the count says.
            const std::uint64_t smallest = 4 + shape.fixedBytes + 4 * static_cast<std::uint64_t>(shape.valueNameCount);
            const auto records = std::min<std::uint64_t>(static_cast<std::uint64_t>(count), in_.remaining() / smallest);
            names.reserve(records);
            values.reserve(records);
            valueNames_.reserve(records);
        }
        const auto addRead = [&] {
            const EntryId first = index_.addAll(names);
            for (std::size_t i = 0; i < values.size(); ++i)
                valueNames_.add(EntryId{first.value + static_cast<int>(i)}, std::move(values[i]));
        };
        try {
            for (std::int32_t i = 0; i < count; ++i) {
                const std::string_view name = UpToFirstZero(in_.readText());
                values.push_back(readValueNames(shape));
                names.push_back(name);
            }
        } catch (const ReadError&) {
            addRead();
            throw;
        }
        addRead();
    }

    void passOverRecord(const RecordShape& shape)
    {
        in_.skipBlock();
        in_.skip(shape.fixedBytes);
        for (int i = 0; i < shape.valueNameCount; ++i)
            in_.skipBlock();
    }

    // What follows a record's name (a text of 0..512 bytes, which ends at
    // its first zero byte): the fixed bytes, then the value names, kept whole.
    ValueNames readValueNames(const RecordShape& shape)
    {
        in_.skip(shape.fixedBytes);
        ValueNames names;
        for (int i = 0; i < shape.valueNameCount; ++i)
            names.add(in_.readText());
        return names;
    }

    ByteStream in_;
    ResultIndex& index_;
    ValueNameTable& valueNames_;
};

}  // namespace

bool ReadSummaryBytes(std::span<const std::uint8_t> bytes, SummarySection section, ResultIndex& index,
                      ValueNameTable& valueNames)
{
    try {
        SummaryReader(bytes, index, valueNames).read(section);
        return true;
    } catch (const ReadError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ReadSummary(SearchContext& context, SummarySection section)
{
    context.files.setMask("Summary.wsm");
    bool read = false;
    if (context.files.count() == 1) {
        try {
            const std::optional<FileBytes> bytes = ReadFileBytes(context.files.fullPath(0));
            read = bytes
                && ReadSummaryBytes(std::span(bytes->data.get(), bytes->size), section, context.results.index,
                                    context.results.valueNames);
        } catch (const std::bad_alloc&) {
            read = false;
        }
    }
    if (!read)
        context.messages.showMessage("Summary.wsmの読み込みに失敗しました", "I'm sorry!");
    return read;
}

}  // namespace quorvel
