#include "search/SummaryReader.h"

#include "scenario/ByteStream.h"
#include "scenario/ClassicLayout.h"
#include "scenario/XmlDeclarations.h"
#include "scenario/XmlDocument.h"
#include "scenario/XmlReader.h"

#include <algorithm>
#include <new>

namespace quorvel {

namespace {

using classic::SummaryRecord;

// One forward pass over the file. Every length is checked before it moves
// the position: a negative one fails the read, so the position never moves
// backwards and every record consumes bytes.
class SummaryReader {
public:
    SummaryReader(std::span<const std::uint8_t> bytes, Summary& summary) : in_(bytes), summary_(summary) { }

    void read(SummarySections sections)
    {
        for (int block = 0; block < classic::Summary::LeadingBlocks; ++block)
            in_.skipBlock();
        in_.skip(classic::Summary::BeforeStartArea);
        summary_.startArea = std::int64_t{in_.readInt()} - classic::IdOffset;
        readOrPassOverRecords(classic::StepRecord, sections.has(SummarySection::Steps), summary_.steps);
        readOrPassOverRecords(classic::FlagRecord, sections.has(SummarySection::Flags), summary_.flags);
        // Nothing after the flag records is read, but a file holding more
        // than the closing bytes is of a later format that starts alike.
        in_.skip(classic::Summary::Closing);
        if (!in_.atOrPastEnd())
            in_.fail("bytes remain after the flag records");
    }

private:
    void readOrPassOverRecords(const SummaryRecord& shape, bool read, Declarations& wanted)
    {
        const std::int32_t count = in_.readInt();
        if (read)
            readRecords(shape, count, wanted);
        else
            for (std::int32_t i = 0; i < count; ++i)
                passOverRecord(shape);
    }

    void readRecords(const SummaryRecord& shape, std::int32_t count, Declarations& wanted)
    {
        if (count > 0) {
            // No more records than the bytes left could hold, whatever the count says.
            const std::uint64_t smallest = 4 + shape.fixedAfterName + 4 * static_cast<std::uint64_t>(shape.valueNames);
            const auto records = std::min<std::uint64_t>(static_cast<std::uint64_t>(count), in_.remaining() / smallest);
            wanted.names.reserve(records);
            wanted.valueNames.reserve(records);
        }
        for (std::int32_t i = 0; i < count; ++i) {
            // A name is its bytes before the first zero byte.
            const Text name = Text::ShiftJis(in_.readText().shownBytes());
            wanted.valueNames.push_back(readValueNames(shape));
            wanted.names.push_back(name);
        }
    }

    void passOverRecord(const SummaryRecord& shape)
    {
        in_.skipBlock();
        in_.skip(shape.fixedAfterName);
        for (int i = 0; i < shape.valueNames; ++i)
            in_.skipBlock();
    }

    // What follows a record's name: the fixed bytes, then the value names, kept whole.
    ValueNames readValueNames(const SummaryRecord& shape)
    {
        in_.skip(shape.fixedAfterName);
        ValueNames names(Text::Stored({}));
        for (int i = 0; i < shape.valueNames; ++i)
            names.add(in_.readText().bytes());
        return names;
    }

    ByteStream in_;
    Summary& summary_;
};

}  // namespace

std::optional<Summary> ReadClassicSummary(FileBytes bytes, SummarySections sections)
{
    try {
        std::optional<Summary> summary(std::in_place);
        summary->bytes = std::move(bytes);
        SummaryReader(std::span<const std::uint8_t>(summary->bytes.data.get(), summary->bytes.size), *summary)
            .read(sections);
        return summary;
    } catch (const ReadError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

namespace {

struct KeptDocument : ReaderKeeps {
    explicit KeptDocument(XmlDocument&& kept) : document(std::move(kept)) { }
    XmlDocument document;
    std::string description;  // decoded, where it was escaped
};

// The scenario's description: newer writers escape it, the classic
// converter writes its line breaks as they are; a text holding a line
// break is taken as written.
Text description(KeptDocument& kept, const XmlDocument::Element* property)
{
    const XmlDocument::Element* element = property ? kept.document.child(*property, "Description") : nullptr;
    const std::string_view stored = element ? element->text : std::string_view();
    if (stored.find('\\') == std::string_view::npos || stored.find('\n') != std::string_view::npos)
        return Text::Unicode(stored);
    kept.description = UnescapedXmlText(stored);
    return Text::Unicode(kept.description);
}

Text childText(const XmlDocument& document, const XmlDocument::Element* parent, std::string_view name)
{
    const XmlDocument::Element* child = parent ? document.child(*parent, name) : nullptr;
    return Text::Unicode(child ? child->text : std::string_view());
}

}  // namespace

std::optional<Summary> ReadXmlSummary(FileBytes bytes, SummarySections sections)
{
    try {
        std::optional<XmlDocument> parsed
            = XmlDocument::Parse(std::span<const std::uint8_t>(bytes.data.get(), bytes.size));
        if (!parsed)
            return std::nullopt;
        auto kept = std::make_unique<KeptDocument>(std::move(*parsed));
        const XmlDocument& document = kept->document;
        std::optional<Summary> summary(std::in_place);
        const XmlDocument::Element* property = document.child(document.root(), "Property");
        const XmlDocument::Element* startArea = property ? document.child(*property, "StartAreaId") : nullptr;
        summary->startArea = startArea ? XmlNumber(startArea->text).value_or(0) : 0;
        summary->name = childText(document, property, "Name");
        summary->author = childText(document, property, "Author");
        summary->description = description(*kept, property);
        for (const SummarySection kind : {SummarySection::Flags, SummarySection::Steps, SummarySection::Variants}) {
            if (!sections.has(kind))
                continue;
            Declarations& declared = summary->of(kind);
            ForEachXmlDeclaration(document, document.root(), kind,
                                  [&](const XmlDocument::Element& declaration, std::string_view name) {
                                      ValueNames values(Text::Unicode(""));
                                      ForEachXmlValueName(document, declaration, kind,
                                                          [&](std::string_view value) { values.add(value); });
                                      declared.names.push_back(Text::Unicode(name));
                                      declared.valueNames.push_back(std::move(values));
                                  });
        }
        summary->readerKeeps = std::move(kept);
        return summary;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace quorvel
