#pragma once

#include "search/ScenarioSource.h"
#include "tools/builder/DemoScenario.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::build {

// A second reader beside the classic one: it makes the model of a data file
// from the builder's description of it, not from bytes, with every text in
// Unicode and without a stored last byte, as a reader of another format
// makes them.
std::optional<DataFile> ReadDescription(const std::string& fileName, const File& description);

// A scenario held as descriptions, listed by the kind each describes, in
// the order of their names, and read by ReadDescription.
class DescribedScenario : public ScenarioSource {
public:
    DescribedScenario(std::vector<NamedFile> files, Summary summary);

    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& name) const override;
    std::string summaryName() const override { return "Summary.wsm"; }
    bool hasSummary() const override { return true; }
    std::optional<quorvel::Summary> readSummary(SummarySections sections) const override;
    void refresh() override { }
    std::string location() const override { return "described"; }
    bool holdsScenario() const override { return true; }
    std::vector<std::string> watchedPaths() const override { return {}; }

private:
    std::vector<NamedFile> files_;
    Summary summary_;
};

}  // namespace quorvel::build
