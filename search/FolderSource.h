#pragma once

#include "search/ScenarioFileList.h"
#include "search/ScenarioSource.h"

#include <string>

namespace quorvel {

// A scenario of the classic format: a folder holding Summary.wsm and data
// files (*.wid) whose names begin with their kind ("Area1.wid"). Names
// and masks are matched without regard to letter case.
class FolderSource : public ScenarioSource {
public:
    explicit FolderSource(const std::string& folder);

    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& name) const override;
    std::vector<std::string> scenarioFiles() const override;
    std::string summaryName() const override { return "Summary.wsm"; }
    bool hasSummary() const override { return !files_.names(summaryName()).empty(); }
    std::optional<Summary> readSummary(SummarySections sections) const override;
    void refresh() override { files_.refresh(); }
    std::string location() const override { return files_.folder(); }
    bool holdsScenario() const override;
    std::vector<std::string> watchedPaths() const override;

    const std::string& folder() const { return files_.folder(); }

private:
    ScenarioFileList files_;
};

// One data file on disk, in any folder, as a source of that file alone.
// It is listed by its name, or for a file of the XML format by its path
// from the folder of its scenario (the nearest folder above it that holds
// Summary.xml, else the folder above its kind folder).
class DataFileOnDisk : public ScenarioSource {
public:
    explicit DataFileOnDisk(const std::string& path);

    // The file, of whatever kind.
    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& name) const override;
    std::string summaryName() const override { return "Summary.wsm"; }
    bool hasSummary() const override { return false; }
    std::optional<Summary> readSummary(SummarySections) const override { return std::nullopt; }
    void refresh() override { }
    std::string location() const override { return path_; }
    bool holdsScenario() const override { return true; }
    std::vector<std::string> watchedPaths() const override { return {path_}; }

private:
    std::string path_;
    std::string listedName_;
};

// Every file of a classic scenario: its summary and its data files.
inline const std::string ClassicScenarioFilesMask = "Summary.wsm;*.wid";

// The mask of the classic data files of these kinds: their names begin with their kind.
std::string ClassicDataFileMask(FileKinds kinds);

// Whether a file name ends in ".xml", letter case ignored.
bool HasXmlExtension(const std::string& name);

// The kind of classic data file a name stands for by its mask, if any.
std::optional<FileKind> ClassicKindOfName(const std::string& name);

// Reads a data file of the classic format from disk, as the file `name`.
std::optional<DataFile> ReadClassicFileOnDisk(const std::string& path, const std::string& name);

// Reads a data file from disk in whichever format its name says: a name
// ending in ".xml" is of the XML format, of the kind its folder gives
// (none: it fails to load); any other is classic.
std::optional<DataFile> ReadDataFileOnDisk(const std::string& path, const std::string& name);

}  // namespace quorvel
