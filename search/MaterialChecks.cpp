#include "search/MaterialChecks.h"

#include "search/DataFileLoop.h"
#include "search/MaterialPaths.h"
#include "search/MaterialSearch.h"

#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quorvel {

namespace {

// The keys of the scenario's files.
std::set<std::u16string> fileKeys(const std::vector<std::string>& files)
{
    std::set<std::u16string> keys;
    for (const std::string& file : files)
        if (std::optional<std::u16string> key = MaterialKey(ShownForm(Text::Unicode(file))))
            keys.insert(std::move(*key));
    return keys;
}

// Every named path through `file`, read from every data file of the scenario.
template <typename File>
void forEachMaterialUse(SearchContext& context, File&& file)
{
    FindInDataFiles<KeyedRow>(context, EveryFileKind, CollectMaterialUses, std::forward<File>(file),
                              DataFileTexts::Written);
}

}  // namespace

void CheckMissingMaterials(SearchContext& context)
{
    StartAnswer(context, TableMode::Sorted);
    Answer& answer = context.answer;
    const std::set<std::u16string> files = fileKeys(context.source.scenarioFiles());
    std::unordered_map<std::string, bool> answered;  // by the path as written: most are named again and again
    forEachMaterialUse(context, [&](KeyedRow& use) {
        const auto [known, isNew] = answered.try_emplace(std::string(use.key.bytes()), false);
        if (isNew)
            for (const std::u16string& key : MaterialKeysOfPath(ShownForm(use.key)))
                known->second = known->second || files.contains(key);
        if (!known->second)
            answer.index.fileKeptRow(answer.index.findOrAdd(use.key), use.row);
    });
    answer.copyKeysToLeftList();
}

void CheckUnusedMaterials(SearchContext& context)
{
    StartAnswer(context, TableMode::Unsorted);
    Answer& answer = context.answer;
    std::set<std::u16string> named;
    std::unordered_set<std::string> seen;  // the paths as written already taken
    forEachMaterialUse(context, [&](KeyedRow& use) {
        if (seen.insert(std::string(use.key.bytes())).second)
            for (std::u16string& key : MaterialKeysOfPath(ShownForm(use.key)))
                named.insert(std::move(key));
    });
    TextStore texts;
    for (const std::string& file : context.source.scenarioFiles()) {
        const std::string shown = ShownForm(Text::Unicode(file));
        const std::optional<std::u16string> key = MaterialKey(shown);
        if (!IsMaterialFile(file) || !key || named.contains(*key))
            continue;
        const Text path = texts.keepBytes(Text::Unicode(shown));
        answer.index.fileKeptRow(answer.index.add(path), HitRow{texts.keepRow({path, {}, {}, {}, Word("素材"), {}})});
    }
    answer.index.texts().adopt(std::move(texts));
    answer.copyKeysToLeftList();
}

}  // namespace quorvel
