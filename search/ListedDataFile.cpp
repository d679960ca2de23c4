#include "search/ListedDataFile.h"

#include <algorithm>

namespace quorvel {

bool ListsDataFile(const ScenarioSource& scenario, const std::string& name)
{
    const std::vector<std::string> listed = scenario.dataFiles(EveryFileKind);
    return std::find(listed.begin(), listed.end(), name) != listed.end();
}

}  // namespace quorvel
