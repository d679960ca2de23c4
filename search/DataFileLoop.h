#pragma once

#include "scenario/Widfile.h"
#include "search/SearchContext.h"

#include <functional>
#include <string>

namespace quorvel {

// The mask of the use pass of most commands. Information cards hold no events.
inline const std::string UsePassMask = "Package*.wid;Area*.wid;Battle*.wid;Mate*.wid;Skill*.wid;Beast*.wid;Item*.wid";

// Loads each file of the scenario that matches `mask`, one at a time, in
// list order, and hands every loaded file to `walk`. A file that fails to
// load is reported ("<name>の読み込みに失敗しました", "I'm sorry!") and skipped.
void ForEachDataFile(SearchContext& context, const std::string& mask,
                     const std::function<void(const Cwidfile&)>& walk);

// One visited event with the texts every row of it shares.
struct EventVisit {
    const Ceventtree& event;
    const std::string& fileName;   // Shift-JIS, no zero byte
    const std::string& eventText;  // the label of the file or card holding the event
    int index;                     // the event's position in its list, from 0
    const std::string& headStartName;  // the first start's name [index + 1]
};

// Visits every event of a loaded file in the shared order, with the label of
// the file or card that holds it.
void WalkFileEvents(const Cwidfile& file, const std::function<void(const EventVisit&)>& visit);

}  // namespace quorvel
