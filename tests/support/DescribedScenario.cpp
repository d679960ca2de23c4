#include "tests/support/DescribedScenario.h"

#include "scenario/SummonedBeasts.h"
#include "search/ScenarioFileList.h"
#include "tests/support/Bytes.h"
#include "tools/builder/Encoding.h"

#include <algorithm>

namespace quorvel::build {

namespace {

constexpr std::int32_t IdOffset = 40000;

// Builds the records of one file into its storage.
class ModelMaker {
public:
    explicit ModelMaker(DataFileStorage& storage) : storage_(storage) { }

    Text text(const std::string& shiftJis) { return Text::Unicode(storage_.keepText(Utf8(shiftJis))); }

    std::span<const quorvel::Event> events(const std::vector<build::Event>& described)
    {
        std::vector<quorvel::Event> made;
        for (const build::Event& event : described) {
            std::vector<quorvel::Content> starts;
            const std::size_t summonsBefore = summons_;
            for (const build::Content& start : event.starts)
                starts.push_back(content(start));
            made.push_back({storage_.contents.keep(starts), summons_ != summonsBefore});
        }
        return storage_.events.keep(made);
    }

    std::span<const quorvel::Card> cards(const std::vector<build::Card>& described, bool owned, bool enemies = false)
    {
        std::vector<quorvel::Card> made;
        for (std::size_t position = 0; position < described.size(); ++position) {
            const build::Card& card = described[position];
            quorvel::Card& one = made.emplace_back();
            one.name = text(card.name);
            one.number = owned ? std::int64_t{card.storedId} - IdOffset : static_cast<std::int64_t>(position);
            one.flag = text(card.flag);
            if (enemies)
                one.castId = card.castId;
            if (owned)
                one.summoned = summoned(card.body.effects);
            one.events = events(card.events);
        }
        return storage_.cards.keep(made);
    }

    // The beasts the summon effects of a list embed.
    std::span<const quorvel::Card> summoned(const std::vector<build::Effect>& effects)
    {
        std::vector<quorvel::Card> made;
        for (const build::Effect& effect : effects) {
            if (!effect.embedsCard)
                continue;
            ++summons_;
            quorvel::Card& beast = made.emplace_back();
            beast.name = text(effect.embeddedName);
            if (!effect.embeddedBody.empty())
                beast.summoned = summoned(effect.embeddedBody.front().effects);
            beast.events = events(effect.embeddedEvents);
        }
        return storage_.cards.keep(made);
    }

    bool summons() const { return summons_ > 0; }

    std::span<const quorvel::Cell> cells(const std::vector<build::Cell>& described)
    {
        std::vector<quorvel::Cell> made;
        for (const build::Cell& cell : described) {
            quorvel::Cell& one = made.emplace_back();
            one.number1 = cell.numbers[0];
            one.number2 = cell.numbers[1];
            one.number3 = cell.numbers[2];
            one.number4 = cell.numbers[3];
            const bool typed = cell.numbers[2] >= 60000 && cell.numbers[2] < 70000;
            one.layout = !typed ? CellLayout::Classic : cell.type == 2 ? CellLayout::Text : CellLayout::Colour;
            if (one.layout != CellLayout::Colour)
                one.text = text(cell.text);
            one.flag = text(cell.flag);
        }
        return storage_.cells.keep(made);
    }

private:
    quorvel::Content content(const build::Content& described)
    {
        std::vector<quorvel::Content> children;
        for (const build::Content& child : described.children)
            children.push_back(content(child));
        quorvel::Content made;
        made.kind = described.kind;
        made.name = text(described.name);
        made.children = storage_.contents.keep(children);
        ContentDetail& detail = made.detail;
        detail.number = described.number;
        detail.amount = described.amount;
        detail.option = described.option;
        detail.option2 = described.option2;
        detail.text = text(described.text);
        detail.text2 = text(described.text2);
        detail.cells = cells(described.cells);
        std::vector<quorvel::DialogueEntry> entries;
        for (const build::DialogueEntry& entry : described.dialogueEntries)
            entries.push_back({text(entry.condition), text(entry.text)});
        detail.dialogueEntries = storage_.dialogueEntries.keep(entries);
        std::vector<quorvel::CouponScore> scores;
        // A first entry without a coupon is the starting score, as the classic reader reads it.
        const std::vector<build::CouponScore>& evaluation = described.couponScores;
        if (described.option == 3)
            for (std::size_t entry = 0; entry < evaluation.size(); ++entry)
                if (entry > 0 || !evaluation[entry].coupon.empty())
                    scores.push_back({text(evaluation[entry].coupon), evaluation[entry].value});
        detail.couponScores = storage_.couponScores.keep(scores);
        if (const std::span<const quorvel::Card> beasts = summoned(described.effects); !beasts.empty()) {
            ContentExtras extras;
            extras.summoned = beasts;
            made.extras = storage_.extras.keep(std::span(&extras, 1)).data();
        }
        return made;
    }

    DataFileStorage& storage_;
    std::size_t summons_ = 0;
};

FileKind kindOf(const File& file)
{
    return file.packageByName ? FileKind::Package : static_cast<FileKind>(file.kind);
}

}  // namespace

std::optional<DataFile> ReadDescription(const std::string& fileName, const File& description)
{
    std::optional<DataFile> file(std::in_place);
    file->fileName = fileName;
    file->kind = kindOf(description);
    ModelMaker maker(file->storage);
    file->title = maker.text(description.title);
    file->storedId = description.storedId;
    file->id = file->kind == FileKind::Package ? file->storedId : file->storedId - IdOffset;
    std::span<const quorvel::Card> ownEffects;
    switch (file->kind) {
    case FileKind::Area:
    case FileKind::Battle:
        file->events = maker.events(description.events);
        file->cards = maker.cards(description.cards, false, file->kind == FileKind::Battle);
        if (file->kind == FileKind::Area)
            file->cells = maker.cells(description.cells);
        break;
    case FileKind::Mate:
        file->cards = maker.cards(description.cards, true);
        file->skills = maker.cards(description.skills, true);
        file->beasts = maker.cards(description.beasts, true);
        break;
    case FileKind::Info:
        break;
    case FileKind::Package:
        file->events = maker.events(description.events);
        break;
    default:
        ownEffects = maker.summoned(description.body.effects);
        file->events = maker.events(description.events);
        break;
    }
    if (maker.summons())
        file->summonedBeasts = file->storage.cards.keep(SummonedBeastsInWalkOrder(*file, ownEffects));
    return file;
}

DescribedScenario::DescribedScenario(std::vector<NamedFile> files, Summary summary)
    : files_(std::move(files)), summary_(std::move(summary))
{
    std::sort(files_.begin(), files_.end(),
              [](const NamedFile& a, const NamedFile& b) { return ListedBefore(a.name, b.name); });
}

std::vector<std::string> DescribedScenario::dataFiles(FileKinds kinds) const
{
    std::vector<std::string> names;
    for (const NamedFile& file : files_)
        if (kinds.has(kindOf(file.file)))
            names.push_back(file.name);
    return names;
}

std::optional<DataFile> DescribedScenario::openDataFile(const std::string& name) const
{
    for (const NamedFile& file : files_)
        if (file.name == name)
            return ReadDescription(name, file.file);
    return std::nullopt;
}

std::optional<quorvel::Summary> DescribedScenario::readSummary(SummarySections sections) const
{
    std::optional<quorvel::Summary> read(std::in_place);
    // The texts live in one buffer the summary keeps, as a reader's would.
    std::string texts;
    std::vector<std::pair<Declarations*, std::pair<std::size_t, std::size_t>>> namePlaces;
    const auto place = [&](const std::string& shiftJis) {
        const std::string utf8 = Utf8(shiftJis);
        texts += utf8;
        return std::pair(texts.size() - utf8.size(), utf8.size());
    };
    read->startArea = summary_.startAreaId;
    const auto declare
        = [&](Declarations& declared, const std::string& name, const std::vector<std::string>& valueNames) {
              namePlaces.emplace_back(&declared, place(name));
              ValueNames names(Word(""));
              for (const std::string& valueName : valueNames)
                  names.add(Utf8(valueName));
              declared.valueNames.push_back(std::move(names));
          };
    if (sections.has(SummarySection::Flags))
        for (const FlagDeclaration& flag : summary_.flags)
            declare(read->flags, flag.name, {flag.onName, flag.offName});
    if (sections.has(SummarySection::Steps))
        for (const StepDeclaration& step : summary_.steps)
            declare(read->steps, step.name, {step.valueNames.begin(), step.valueNames.end()});
    read->bytes = BytesOf(texts);
    const char* kept = reinterpret_cast<const char*>(read->bytes.data.get());
    for (const auto& [declared, where] : namePlaces)
        declared->names.push_back(Text::Unicode(std::string_view(kept + where.first, where.second)));
    return read;
}

}  // namespace quorvel::build
