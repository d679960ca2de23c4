#pragma once

#include "results/HitRow.h"
#include "results/TextStore.h"
#include "scenario/DataFile.h"
#include "search/OrderedWork.h"
#include "search/SearchContext.h"

#include <functional>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <string>
#include <vector>

namespace quorvel {

// The mask of the use pass of most commands. Information cards hold no events.
inline const std::string UsePassMask = "Package*.wid;Area*.wid;Battle*.wid;Mate*.wid;Skill*.wid;Beast*.wid;Item*.wid";

// A row found in a data file and the name it is to be filed under.
struct KeyedRow {
    std::string key;
    HitRow row;
};

// The message of a data file that cannot be read.
void ReportUnreadableFile(SearchContext& context, const std::string& fileName);

// What was found in files already read, by file name.
template <typename Finding>
using FindingsOfFiles = std::unordered_map<std::string, std::vector<Finding>>;

// Runs a command over the files of the scenario that match `mask`, in list
// order, in two steps per file. find(file, found, texts) looks at one
// loaded file alone and appends what it finds, keeping the texts of its rows
// in `texts`; it runs on worker threads, several files at once.
// file(finding) files each finding into the answer on the command's thread,
// file by file in list order, and a file that fails to load is reported
// ("<name>の読み込みに失敗しました", "I'm sorry!") at its turn: the answer and
// the messages are exactly those of one file after another. Whatever the
// filing of one file depends on (entries earlier files added) stays in the
// second step. The answer's index takes the kept texts over.
//
// The findings of a file named in `known` (made by an earlier pass of the
// same command that read the file too) are taken from there instead of
// reading the file again.
template <typename Finding, typename Find, typename File>
void FindInDataFiles(SearchContext& context, const std::string& mask, Find&& find, File&& file,
                     FindingsOfFiles<Finding>* known = nullptr)
{
    struct FileFindings {
        bool loaded = false;
        std::string fileName;
        std::size_t end = 0;  // where its findings end in those of the run
    };
    // What a worker makes of a run of files: their findings one file after another.
    struct RunFindings {
        std::vector<FileFindings> files;
        std::vector<Finding> found;
        TextStore texts;
    };
    context.files.setMask(mask);
    std::vector<std::string> paths;
    std::vector<typename FindingsOfFiles<Finding>::iterator> knownOf;
    for (int position = 0; position < context.files.count(); ++position) {
        paths.push_back(context.files.fullPath(position));
        if (known)
            knownOf.push_back(known->find(context.files.name(position)));
    }
    // Workers take runs of consecutive files, so that handing results over
    // costs little beside the files themselves.
    const unsigned workers = WorkersFor(paths.size(), context.filesWorthWorkers, context.workers);
    const std::vector<std::size_t> runStarts = RunStarts(paths.size(), workers);
    ProduceInOrder<RunFindings>(
        runStarts.size() - 1, workers, WorkWindow(workers),
        [&](std::size_t item) {
            RunFindings findings;
            for (std::size_t position = runStarts[item]; position < runStarts[item + 1]; ++position) {
                if (known && knownOf[position] != known->end()) {
                    auto& [fileName, found] = *knownOf[position];
                    std::move(found.begin(), found.end(), std::back_inserter(findings.found));
                    findings.files.push_back(FileFindings{true, fileName, findings.found.size()});
                    continue;
                }
                // One data file per worker in memory: it is gone once its findings are made.
                const DataFile data(paths[position]);
                if (data.loaded)
                    find(data, findings.found, findings.texts);
                findings.files.push_back(FileFindings{data.loaded, data.fileName, findings.found.size()});
            }
            return findings;
        },
        [&](std::size_t, RunFindings& findings) {
            std::size_t next = 0;
            for (const FileFindings& ofFile : findings.files) {
                if (!ofFile.loaded)
                    ReportUnreadableFile(context, ofFile.fileName);
                for (; next < ofFile.end; ++next)
                    file(findings.found[next]);
            }
            context.results.index.texts().adopt(std::move(findings.texts));
        });
}

// One visited event with the texts every row of it shares.
struct EventVisit {
    const Event& event;
    TextStore& rowTexts;  // where rows made of the visit keep their texts
    const std::string& fileName;   // Shift-JIS, no zero byte
    const std::string& eventText;  // the label of the file or card holding the event
    int index;                     // the event's position in its list, from 0

    // The first start's name [index + 1], made when a row first needs it.
    const std::string& headStartName() const;
    mutable std::optional<std::string> madeHeadStartName = std::nullopt;
};

using EventVisitor = std::function<void(const EventVisit&)>;
// A card met by the walk, before its events, with its label.
using CardVisitor = std::function<void(const Card& card, const std::string& fileName, const std::string& label)>;

// Visits every event of a loaded file in the shared order, with the label of
// the file or card that holds it, for rows that keep their texts in
// `rowTexts`; `visitCard`, when given, sees each card just before its events.
void WalkFileEvents(const DataFile& file, TextStore& rowTexts, const EventVisitor& visit,
                    const CardVisitor& visitCard = {});

}  // namespace quorvel
