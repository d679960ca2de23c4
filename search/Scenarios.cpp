#include "search/Scenarios.h"

#include "search/ArchiveTree.h"
#include "search/FolderSource.h"
#include "search/TreeSource.h"

#include <filesystem>

namespace quorvel {

namespace {

bool holds(const std::filesystem::path& folder, const char* summary)
{
    return FolderHoldsAnyOf(folder.string(), summary);
}

}  // namespace

std::unique_ptr<ScenarioSource> ScenarioOfFolder(const std::string& folder)
{
    if (!holds(folder, "Summary.wsm") && holds(folder, "Summary.xml"))
        return std::make_unique<TreeSource>(FolderTree(folder));
    return std::make_unique<FolderSource>(folder);
}

std::unique_ptr<ScenarioSource> ScenarioAt(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return ScenarioOfFolder(path);
    if (!std::filesystem::exists(path, error))
        return nullptr;
    if (IsArchiveName(path))
        return std::make_unique<TreeSource>(ArchiveFolderTree(path));
    const std::filesystem::path file = std::filesystem::absolute(path, error);
    const std::filesystem::path own = file.parent_path();
    if (HasXmlExtension(path))
        for (std::filesystem::path folder = own; !folder.empty(); folder = folder.parent_path()) {
            if (holds(folder, "Summary.xml"))
                return ScenarioOfFolder(folder.string());
            if (folder == folder.parent_path())
                break;
        }
    const std::string folder = FolderPart(path);
    return ScenarioOfFolder(folder.empty() ? std::string(".") : folder);
}

}  // namespace quorvel
