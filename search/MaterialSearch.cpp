#include "search/MaterialSearch.h"

#include "scenario/ContentWalk.h"
#include "search/DataFileLoop.h"
#include "search/MaterialPaths.h"
#include "search/RowTexts.h"

namespace quorvel {

void CollectMaterialUses(const DataFile& file, std::vector<KeyedRow>& found, TextStore& texts)
{
    const Text fileName = Text::Unicode(file.fileName);
    const auto offer = [&](const Text& path, const Text& eventText, const char* kindWord) {
        if (!NamesNoFile(ShownForm(path)))
            found.push_back(
                {texts.keepBytes(path), HitRow{texts.keepRow({fileName, eventText, {}, {}, Word(kindWord), {}})}});
    };
    const auto images = [&](std::span<const WrittenText> written, const Text& eventText) {
        for (const WrittenText& each : written)
            if (each.field == WrittenField::ImagePath)
                offer(each.text, eventText, "画像");
    };
    images(file.written, {});
    for (const Cell& cell : file.cells)
        if (!cell.image.empty())
            offer(cell.image, file.title, "セル画像");
    std::vector<NamedPath> paths;
    WalkFileEvents(
        file, texts,
        [&](const EventVisit& visit) {
            ForEachContent(visit.event, [&](const Content& start, const Content& content) {
                paths.clear();
                AppendContentPaths(content, paths);
                for (const NamedPath& named : paths)
                    if (!NamesNoFile(ShownForm(named.path)))
                        found.push_back({visit.rowTexts.keepBytes(named.path),
                                         MakeHitRow(visit, start, Word(named.kindWord), Text::Unicode(""))});
            });
        },
        [&](const Card& card, const Text&, const Text& label) { images(card.written, label); });
}

void SearchMaterials(SearchContext& context)
{
    StartAnswer(context, TableMode::Sorted);
    Answer& answer = context.answer;
    FindInDataFiles<KeyedRow>(
        context, EveryFileKind, CollectMaterialUses,
        [&](KeyedRow& use) { answer.index.fileKeptRow(answer.index.findOrAdd(use.key), use.row); },
        DataFileTexts::Written);
    answer.copyKeysToLeftList();
}

}  // namespace quorvel
