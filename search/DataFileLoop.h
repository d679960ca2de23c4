#pragma once

#include "results/HitRow.h"
#include "results/TextStore.h"
#include "scenario/DataFile.h"
#include "search/SearchContext.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A row found in a data file and the name it is to be filed under, kept
// with the row's texts.
struct KeyedRow {
    Text key;
    HitRow row;
};

// The message of a data file that cannot be read.
void ReportUnreadableFile(SearchContext& context, const std::string& fileName);

// Runs a command over the data files of `kinds`, in list order, in two steps
// per file. findInFile(name, found, texts) makes what one file gives,
// appending its findings and keeping the texts of their rows in `texts`,
// and tells whether the file could be read; it runs on worker threads,
// several files at once. file(finding) files each finding into the answer
// on the command's thread, file by file in list order, and a file that
// could not be read is reported ("<name>の読み込みに失敗しました", "I'm
// sorry!") at its turn: the answer and the messages are exactly those of
// one file after another. Whatever the filing of one file depends on
// (entries earlier files added) stays in the second step. The answer's index
// takes the kept texts over.
template <typename Finding, typename FindInFile, typename File>
void FindInListedFiles(SearchContext& context, FileKinds kinds, FindInFile&& findInFile, File&& file)
{
    struct FileFindings {
        bool loaded = false;
        std::size_t end = 0;  // where its findings end in those of the run
    };
    // What a worker makes of a run of files: their findings one file after another.
    struct RunFindings {
        std::vector<FileFindings> files;
        std::vector<Finding> found;
        TextStore texts;
    };
    const std::vector<std::string> names = context.source.dataFiles(kinds);
    // Workers take runs of consecutive files, so that handing results over
    // costs little beside the files themselves.
    const unsigned workers = WorkersFor(names.size(), context.filesWorthWorkers, context.workers);
    const std::vector<std::size_t> runStarts = RunStarts(names.size(), workers);
    ProduceInOrder<RunFindings>(
        runStarts.size() - 1, workers, WorkWindow(workers),
        [&](std::size_t run) {
            RunFindings findings;
            for (std::size_t position = runStarts[run]; position < runStarts[run + 1]; ++position) {
                const bool loaded = findInFile(names[position], findings.found, findings.texts);
                findings.files.push_back(FileFindings{loaded, findings.found.size()});
            }
            return findings;
        },
        [&](std::size_t run, RunFindings& findings) {
            std::size_t next = 0;
            for (std::size_t i = 0; i < findings.files.size(); ++i) {
                if (!findings.files[i].loaded)
                    ReportUnreadableFile(context, names[runStarts[run] + i]);
                for (; next < findings.files[i].end; ++next)
                    file(findings.found[next]);
            }
            context.answer.index.texts().adopt(std::move(findings.texts));
        });
}

// FindInListedFiles for a rule that looks at one data file alone:
// find(file, found, texts). A worker holds one data file at a time: it is
// gone once its findings are made. Each file is read with `read` texts.
template <typename Finding, typename Find, typename File>
void FindInDataFiles(SearchContext& context, FileKinds kinds, Find&& find, File&& file,
                     DataFileTexts read = DataFileTexts::Searched)
{
    FindInListedFiles<Finding>(
        context, kinds,
        [&](const std::string& name, std::vector<Finding>& found, TextStore& texts) {
            const std::optional<DataFile> data = read == DataFileTexts::Written
                ? context.source.openDataFileWithWrittenTexts(name)
                : context.source.openDataFile(name);
            if (data)
                find(*data, found, texts);
            return data.has_value();
        },
        std::forward<File>(file));
}

// One visited event with the texts every row of it shares.
struct EventVisit {
    const Event& event;
    TextStore& rowTexts;  // where rows made of the visit keep their texts
    Text fileName;        // the name the scenario lists the file by
    Text eventText;       // the label of the file or card holding the event
    int index;            // the event's position in its list, from 0
    // What the card running the event declares for its own events; none
    // for events no card of its own declares anything for.
    const CardVariables* variables = nullptr;

    // The first start's name [index + 1], made when a row first needs it.
    Text headStartName() const;
    mutable std::optional<OwnedText> madeHeadStartName = std::nullopt;
};

using EventVisitor = std::function<void(const EventVisit&)>;
// A card met by the walk, before its events, with its label.
using CardVisitor = std::function<void(const Card& card, const Text& fileName, const Text& label)>;
// What a card (or a card file) declares for its own events, met by the
// walk before those events, with the label of what holds them.
using VariablesVisitor
    = std::function<void(const CardVariables& declared, const Text& fileName, const Text& eventText)>;

// Visits every event of a data file in the shared order, with the label of
// the file or card that holds it, for rows that keep their texts in
// `rowTexts`; `visitCard`, when given, sees each card just before its
// events, and `visitVariables` what a card declares, after the card.
void WalkFileEvents(const DataFile& file, TextStore& rowTexts, const EventVisitor& visit,
                    const CardVisitor& visitCard = {}, const VariablesVisitor& visitVariables = {});

// The command frame most searches and checks share: the index in `mode`,
// every event of every data file of the use pass through `collect`, each
// row it finds filed under the first entry equal to its key (a new entry
// when there is none), and the keys copied to the left list at the end.
using EventRule = std::function<void(const EventVisit& visit, std::vector<KeyedRow>& found)>;
void FileEventRowsByKey(SearchContext& context, TableMode mode, const EventRule& collect);

}  // namespace quorvel
