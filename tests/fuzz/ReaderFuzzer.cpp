// Fuzz target for the data-file reader: any bytes must load or fail cleanly,
// and a loaded file must survive the walk every search makes over it.

#include "scenario/Content.h"
#include "scenario/Widfile.h"
#include "search/IdSearch.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

class Silent : public quorvel::MessageSink {
public:
    void showMessage(const std::string&, const std::string&) override {}
};

void searchAllKinds(const quorvel::Cwidfile& file)
{
    static const auto targets = quorvel::DefaultTargetWords();
    quorvel::ScenarioFileList files;
    quorvel::ResultsPanel results;
    Silent silent;
    quorvel::SearchContext context{files, results, silent, targets};
    using K = quorvel::IdSearchKind;
    for (K kind : {K::Item, K::Skill, K::Info, K::Beast, K::Package, K::Area, K::Battle})
        quorvel::WalkFileEvents(file, [&](const quorvel::EventVisit& visit) { CollectIdUses(context, visit, kind); });
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
