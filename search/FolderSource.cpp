#include "search/FolderSource.h"

#include "scenario/ClassicReader.h"
#include "search/SummaryReader.h"

#include <array>
#include <new>
#include <utility>

namespace quorvel {

namespace {

// The files of each kind: their names begin with the kind.
constexpr std::array<std::pair<FileKind, const char*>, 8> KindMasks = {{
    {FileKind::Area, "Area*.wid"},
    {FileKind::Battle, "Battle*.wid"},
    {FileKind::Mate, "Mate*.wid"},
    {FileKind::Item, "Item*.wid"},
    {FileKind::Info, "Info*.wid"},
    {FileKind::Skill, "Skill*.wid"},
    {FileKind::Beast, "Beast*.wid"},
    {FileKind::Package, "Package*.wid"},
}};

std::string maskOf(FileKinds kinds)
{
    std::string mask;
    for (const auto& [kind, pattern] : KindMasks)
        if (kinds.has(kind))
            mask.append(mask.empty() ? "" : ";").append(pattern);
    return mask;
}

}  // namespace

std::optional<DataFile> ReadClassicFileOnDisk(const std::string& path, const std::string& name)
{
    try {
        std::optional<FileBytes> bytes = ReadFileBytes(path);
        if (!bytes)
            return std::nullopt;
        return ReadClassicDataFile(name, std::move(*bytes));
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // the file does not fit in memory
    }
}

FolderSource::FolderSource(const std::string& folder)
{
    files_.setFolder(folder);
}

std::vector<std::string> FolderSource::dataFiles(FileKinds kinds) const
{
    return files_.names(maskOf(kinds));
}

std::optional<DataFile> FolderSource::openDataFile(const std::string& name) const
{
    return ReadClassicFileOnDisk(files_.fullPath(name), name);
}

std::optional<Summary> FolderSource::readSummary(SummarySection section) const
{
    const std::vector<std::string> found = files_.names(summaryName());
    if (found.size() != 1)
        return std::nullopt;
    try {
        std::optional<FileBytes> bytes = ReadFileBytes(files_.fullPath(found.front()));
        return bytes ? ReadClassicSummary(std::move(*bytes), section) : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

DataFileOnDisk::DataFileOnDisk(const std::string& path) : path_(path) { }

std::vector<std::string> DataFileOnDisk::dataFiles(FileKinds) const
{
    return {FileNamePart(path_)};
}

std::optional<DataFile> DataFileOnDisk::openDataFile(const std::string& name) const
{
    return ReadClassicFileOnDisk(path_, name);
}

}  // namespace quorvel
