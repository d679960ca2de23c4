// Fuzz target for the data-file reader: any bytes must load or fail cleanly,
// and a loaded file must survive the walk every search makes over it.

#include "scenario/Content.h"
#include "scenario/Widfile.h"
#include "search/IdSearch.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void searchAllKinds(const quorvel::Cwidfile& file)
{
    static const auto targets = quorvel::DefaultTargetWords();
    using K = quorvel::IdSearchKind;
    std::vector<quorvel::KeyedRow> found;
    for (K kind : {K::Item, K::Skill, K::Info, K::Beast, K::Package, K::Area, K::Battle})
        quorvel::WalkFileEvents(file, [&](const quorvel::EventVisit& visit) { CollectIdUses(visit, kind, targets, found); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the file name, so both ways of deciding the kind are reached.
    const char* name = data[0] & 1 ? "Package1.wid" : "Area1.wid";
    const quorvel::Cwidfile file(name, std::span(data + 1, size - 1));
    if (!file.loaded)
        return 0;
    quorvel::ForEachEventGroup(file, [](quorvel::EventOwner, const quorvel::Ccarddata*,
                                        const std::vector<quorvel::Ceventtree>& events) {
        for (const quorvel::Ceventtree& event : events)
            for (std::uint8_t kind : {0, 8, 40})
                (void)quorvel::CollectByKind(event, kind);
    });
    searchAllKinds(file);
    return 0;
}
