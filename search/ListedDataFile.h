#pragma once

#include "search/ScenarioSource.h"

#include <string>
#include <vector>

namespace quorvel {

// One data file a scenario lists (an entry of an archive, say), as a source
// of that file alone: listed by the name the scenario lists it by, read
// through the scenario. Lives no longer than the scenario.
class ListedDataFile : public ScenarioSource {
public:
    ListedDataFile(const ScenarioSource& scenario, std::string name) : scenario_(scenario), name_(std::move(name)) { }

    // The file, of whatever kind.
    std::vector<std::string> dataFiles(FileKinds) const override { return {name_}; }
    std::optional<DataFile> openDataFile(const std::string& name) const override
    {
        return scenario_.openDataFile(name);
    }
    std::optional<DataFile> openDataFileWithWrittenTexts(const std::string& name) const override
    {
        return scenario_.openDataFileWithWrittenTexts(name);
    }
    std::string summaryName() const override { return scenario_.summaryName(); }
    bool hasSummary() const override { return false; }
    std::optional<Summary> readSummary(SummarySections) const override { return std::nullopt; }
    void refresh() override { }
    std::string location() const override { return scenario_.location(); }
    bool holdsScenario() const override { return true; }
    std::optional<std::string> unreadable() const override { return scenario_.unreadable(); }
    std::vector<std::string> watchedPaths() const override { return scenario_.watchedPaths(); }

private:
    const ScenarioSource& scenario_;
    std::string name_;
};

// Whether `name` is one of the data files the scenario lists.
bool ListsDataFile(const ScenarioSource& scenario, const std::string& name);

}  // namespace quorvel
