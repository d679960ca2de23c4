#include "search/ScenariosBelow.h"

#include "search/ArchiveTree.h"
#include "search/ScenarioFileList.h"
#include "search/Scenarios.h"

#include <algorithm>
#include <filesystem>

namespace quorvel {

namespace {

bool holdsSummary(const std::filesystem::path& folder)
{
    return FolderHoldsAnyOf(folder.string(), "Summary.wsm") || FolderHoldsAnyOf(folder.string(), "Summary.xml");
}

}  // namespace

std::vector<std::string> ScenariosBelow(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        const bool isFolder = entry->is_directory(error);
        if (isFolder && holdsSummary(entry->path())) {
            entry.disable_recursion_pending();
        } else if (isFolder || !entry->is_regular_file(error) || !IsArchiveName(entry->path().string())) {
            continue;
        }
        found.push_back(entry->path().lexically_relative(folder).generic_string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::unique_ptr<ScenarioSource>> OpenScenariosBelow(const std::string& folder)
{
    std::vector<std::unique_ptr<ScenarioSource>> scenarios;
    for (const std::string& place : ScenariosBelow(folder))
        if (std::unique_ptr<ScenarioSource> scenario = ScenarioAt((std::filesystem::path(folder) / place).string()))
            scenarios.push_back(std::make_unique<ScenarioInFolder>(std::move(scenario), place));
    return scenarios;
}

ScenarioInFolder::ScenarioInFolder(std::unique_ptr<ScenarioSource> scenario, std::string place)
    : scenario_(std::move(scenario)), place_(std::move(place)), prefix_(place_ + (IsArchiveName(place_) ? ":" : "/"))
{
}

std::vector<std::string> ScenarioInFolder::dataFiles(FileKinds kinds) const
{
    std::vector<std::string> names = scenario_->dataFiles(kinds);
    for (std::string& name : names)
        name.insert(0, prefix_);
    return names;
}

std::vector<std::pair<std::string, FileKind>> ScenarioInFolder::listedKinds(FileKinds kinds) const
{
    std::vector<std::pair<std::string, FileKind>> listed = scenario_->listedKinds(kinds);
    for (auto& [name, kind] : listed)
        name.insert(0, prefix_);
    return listed;
}

std::optional<DataFile> ScenarioInFolder::openDataFile(const std::string& name) const
{
    return open(name, DataFileTexts::Searched);
}

std::optional<DataFile> ScenarioInFolder::openDataFileWithWrittenTexts(const std::string& name) const
{
    return open(name, DataFileTexts::Written);
}

std::optional<DataFile> ScenarioInFolder::open(const std::string& name, DataFileTexts texts) const
{
    if (!name.starts_with(prefix_))
        return std::nullopt;
    const std::string own = name.substr(prefix_.size());
    std::optional<DataFile> file
        = texts == DataFileTexts::Written ? scenario_->openDataFileWithWrittenTexts(own) : scenario_->openDataFile(own);
    if (file)
        file->fileName = name;
    return file;
}

std::optional<std::string> ScenarioInFolder::unreadable() const
{
    if (!scenario_->unreadable())
        return std::nullopt;
    return place_;
}

}  // namespace quorvel
