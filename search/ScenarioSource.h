#pragma once

#include "scenario/DataFile.h"
#include "search/Summary.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// A set of kinds of data file.
class FileKinds {
public:
    constexpr FileKinds(std::initializer_list<FileKind> kinds)
    {
        for (const FileKind kind : kinds)
            bits_ |= bit(kind);
    }
    constexpr bool has(FileKind kind) const { return (bits_ & bit(kind)) != 0; }

private:
    static constexpr std::uint16_t bit(FileKind kind)
    {
        return static_cast<std::uint16_t>(1u << static_cast<int>(kind));
    }
    std::uint16_t bits_ = 0;
};

// The files the use pass of most commands reads: every kind that holds
// events (information cards hold none).
inline constexpr FileKinds UsePassKinds{FileKind::Package, FileKind::Area,  FileKind::Battle, FileKind::Mate,
                                        FileKind::Skill,   FileKind::Beast, FileKind::Item};
inline constexpr FileKind FileKindsInOrder[] = {FileKind::Area, FileKind::Battle, FileKind::Mate,  FileKind::Item,
                                                FileKind::Info, FileKind::Skill,  FileKind::Beast, FileKind::Package};
inline constexpr FileKinds EveryFileKind{FileKind::Package, FileKind::Area,  FileKind::Battle, FileKind::Mate,
                                         FileKind::Skill,   FileKind::Beast, FileKind::Item,   FileKind::Info};

// Where a command finds a scenario: its data files, listed in the order
// every command takes them, each opened by the name it is listed by, and
// its summary. A folder of classic files is one; a test builds another.
class ScenarioSource {
public:
    virtual ~ScenarioSource() = default;

    // The data files of these kinds, by the names the rows show, in the
    // order every command takes them.
    virtual std::vector<std::string> dataFiles(FileKinds kinds) const = 0;
    // Each data file of these kinds with the kind it is listed as, in no
    // particular order, without making any ready to be read.
    virtual std::vector<std::pair<std::string, FileKind>> listedKinds(FileKinds kinds) const;
    // Reads a listed data file; nothing when it cannot be read. Safe on
    // several threads at once.
    virtual std::optional<DataFile> openDataFile(const std::string& name) const = 0;
    // The same with the texts only the text search reads, where the file's
    // format stores them (DataFileTexts::Written).
    virtual std::optional<DataFile> openDataFileWithWrittenTexts(const std::string& name) const
    {
        return openDataFile(name);
    }

    // Every file of the scenario, whatever it is, by its path from the
    // scenario's folder ("/" between folders), in ascending order of path;
    // files and folders whose names start with "." are left out.
    virtual std::vector<std::string> scenarioFiles() const { return {}; }

    // The summary's name, as messages give it.
    virtual std::string summaryName() const = 0;
    // Whether the scenario holds a summary at all (readable or not).
    virtual bool hasSummary() const = 0;
    // Reads a section of the summary; nothing when there is no one summary
    // or it cannot be read.
    virtual std::optional<Summary> readSummary(SummarySections sections) const = 0;

    // Reads the listing again, as files may have been added or removed.
    virtual void refresh() = 0;

    // Where the scenario is, as the window's caption names it: a folder or an archive.
    virtual std::string location() const = 0;
    // Whether there is a scenario at all: a summary or a data file.
    virtual bool holdsScenario() const = 0;
    // The name of what cannot be read at all when the whole scenario cannot
    // (an archive), to be reported instead of any answer; nothing otherwise.
    virtual std::optional<std::string> unreadable() const { return std::nullopt; }
    // The files and folders whose changes may change an answer.
    virtual std::vector<std::string> watchedPaths() const = 0;
};

inline std::vector<std::pair<std::string, FileKind>> ScenarioSource::listedKinds(FileKinds kinds) const
{
    std::vector<std::pair<std::string, FileKind>> listed;
    for (const FileKind kind : FileKindsInOrder)
        if (kinds.has(kind))
            for (std::string& name : dataFiles({kind}))
                listed.emplace_back(std::move(name), kind);
    return listed;
}

}  // namespace quorvel
