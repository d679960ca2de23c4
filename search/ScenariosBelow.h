#pragma once

#include "search/ScenarioSource.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvel {

// The scenarios below a folder that holds none itself, at any depth: each
// folder that holds a summary (Summary.wsm or Summary.xml, letter case
// ignored), not looked into further, and each archive. Their paths relative
// to the folder, with "/" between folders, in the order of those paths.
std::vector<std::string> ScenariosBelow(const std::string& folder);

class ScenarioInFolder;

// Each scenario ScenariosBelow lists, opened as a ScenarioInFolder.
std::vector<std::unique_ptr<ScenarioSource>> OpenScenariosBelow(const std::string& folder);

// A scenario below a folder, taken as one of several: the names of its
// files, its summary and the archive it is (when it cannot be read) carry
// its place, "ryune/Area1.wid", "old/demo.wsn:Area/01_港町.xml".
class ScenarioInFolder : public ScenarioSource {
public:
    // `place` is the scenario's path relative to the folder, as ScenariosBelow gives it.
    ScenarioInFolder(std::unique_ptr<ScenarioSource> scenario, std::string place);

    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::vector<std::pair<std::string, FileKind>> listedKinds(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& name) const override;
    std::optional<DataFile> openDataFileWithWrittenTexts(const std::string& name) const override;
    std::string summaryName() const override { return prefix_ + scenario_->summaryName(); }
    bool hasSummary() const override { return scenario_->hasSummary(); }
    std::optional<Summary> readSummary(SummarySections sections) const override
    {
        return scenario_->readSummary(sections);
    }
    void refresh() override { scenario_->refresh(); }
    std::string location() const override { return scenario_->location(); }
    bool holdsScenario() const override { return scenario_->holdsScenario(); }
    std::optional<std::string> unreadable() const override;
    std::vector<std::string> watchedPaths() const override { return scenario_->watchedPaths(); }

private:
    std::optional<DataFile> open(const std::string& name, DataFileTexts texts) const;

    std::unique_ptr<ScenarioSource> scenario_;
    std::string place_;
    std::string prefix_;  // what its file names start with
};

}  // namespace quorvel
