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
    std::string summaryName() const override { return "Summary.wsm"; }
    bool hasSummary() const override { return !files_.names(summaryName()).empty(); }
    std::optional<Summary> readSummary(SummarySection section) const override;
    void refresh() override { files_.refresh(); }

    const std::string& folder() const { return files_.folder(); }

private:
    ScenarioFileList files_;
};

// One data file on disk, in any folder, as a source of that file alone.
class DataFileOnDisk : public ScenarioSource {
public:
    explicit DataFileOnDisk(const std::string& path);

    // The file, of whatever kind.
    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& name) const override;
    std::string summaryName() const override { return "Summary.wsm"; }
    bool hasSummary() const override { return false; }
    std::optional<Summary> readSummary(SummarySection) const override { return std::nullopt; }
    void refresh() override { }

private:
    std::string path_;
};

// Every file of a classic scenario: its summary and its data files.
inline const std::string ClassicScenarioFilesMask = "Summary.wsm;*.wid";

// Reads a data file of the classic format from disk, as the file `name`.
std::optional<DataFile> ReadClassicFileOnDisk(const std::string& path, const std::string& name);

}  // namespace quorvel
