#pragma once

#include "results/HitRow.h"
#include "scenario/Widfile.h"
#include "search/SearchContext.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

// The mask of the use pass of most commands. Information cards hold no events.
inline const std::string UsePassMask = "Package*.wid;Area*.wid;Battle*.wid;Mate*.wid;Skill*.wid;Beast*.wid;Item*.wid";

// Loads each file of the scenario that matches `mask`, one at a time, in
// list order, and hands every loaded file to `walk`. A file that fails to
// load is reported ("<name>の読み込みに失敗しました", "I'm sorry!") and skipped.
void ForEachDataFile(SearchContext& context, const std::string& mask,
                     const std::function<void(const Cwidfile&)>& walk);

// A row found in a data file and the name it is to be filed under.
struct KeyedRow {
    std::string key;
    HitRow row;
};

// Runs a command over the files that match `mask` in two steps per file:
// find(file, found) looks at one loaded file alone and appends what it finds;
// file(finding) then files each finding into the answer, file by file in
// list order. Only the second step touches the answer, so whatever the
// filing of one file depends on (entries earlier files added) stays there.
template <typename Finding, typename Find, typename File>
void FindInDataFiles(SearchContext& context, const std::string& mask, Find&& find, File&& file)
{
    std::vector<Finding> found;
    ForEachDataFile(context, mask, [&](const Cwidfile& data) {
        found.clear();
        find(data, found);
        for (Finding& finding : found)
            file(finding);
    });
}

// One visited event with the texts every row of it shares.
struct EventVisit {
    const Ceventtree& event;
    const std::string& fileName;   // Shift-JIS, no zero byte
    const std::string& eventText;  // the label of the file or card holding the event
    int index;                     // the event's position in its list, from 0
    const std::string& headStartName;  // the first start's name [index + 1]
};

using EventVisitor = std::function<void(const EventVisit&)>;
// A card met by the walk, before its events, with its label.
using CardVisitor = std::function<void(const Ccarddata& card, const std::string& fileName, const std::string& label)>;

// Visits every event of a loaded file in the shared order, with the label of
// the file or card that holds it; `visitCard`, when given, sees each card
// just before its events.
void WalkFileEvents(const Cwidfile& file, const EventVisitor& visit, const CardVisitor& visitCard = {});

}  // namespace quorvel
