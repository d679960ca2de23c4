#include "search/FolderSource.h"

#include "base/AsciiCase.h"
#include "scenario/ClassicReader.h"
#include "scenario/XmlReader.h"
#include "search/SummaryReader.h"
#include "search/TreeSource.h"

#include <array>
#include <filesystem>
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

}  // namespace

bool HasXmlExtension(const std::string& name)
{
    return name.size() >= 4 && EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".xml");
}

std::string ClassicDataFileMask(FileKinds kinds)
{
    std::string mask;
    for (const auto& [kind, pattern] : KindMasks)
        if (kinds.has(kind))
            mask.append(mask.empty() ? "" : ";").append(pattern);
    return mask;
}

std::optional<FileKind> ClassicKindOfName(const std::string& name)
{
    for (const auto& [kind, pattern] : KindMasks)
        if (MatchesPattern(name, pattern))
            return kind;
    return std::nullopt;
}

std::optional<DataFile> ReadDataFileOnDisk(const std::string& path, const std::string& name)
{
    if (!HasXmlExtension(path))
        return ReadClassicFileOnDisk(path, name);
    const std::optional<FileKind> kind = KindOfXmlFolder(std::filesystem::path(path).parent_path().filename().string());
    if (!kind)
        return std::nullopt;
    try {
        std::optional<FileBytes> bytes = ReadFileBytes(path);
        return bytes ? ReadXmlDataFile(name, *kind, std::move(*bytes)) : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

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
    return files_.names(ClassicDataFileMask(kinds));
}

std::optional<DataFile> FolderSource::openDataFile(const std::string& name) const
{
    return ReadClassicFileOnDisk(files_.fullPath(name), name);
}

std::vector<std::string> FolderSource::scenarioFiles() const
{
    std::vector<std::string> paths = FolderTree(files_.folder())->paths();
    std::sort(paths.begin(), paths.end(), ListedBefore);
    return paths;
}

std::optional<Summary> FolderSource::readSummary(SummarySections sections) const
{
    const std::vector<std::string> found = files_.names(summaryName());
    if (found.size() != 1)
        return std::nullopt;
    try {
        std::optional<FileBytes> bytes = ReadFileBytes(files_.fullPath(found.front()));
        return bytes ? ReadClassicSummary(std::move(*bytes), sections) : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool FolderSource::holdsScenario() const
{
    return !files_.names(ClassicScenarioFilesMask).empty();
}

std::vector<std::string> FolderSource::watchedPaths() const
{
    std::vector<std::string> paths{files_.folder()};
    for (const std::string& name : files_.names(ClassicScenarioFilesMask))
        paths.push_back(files_.fullPath(name));
    return paths;
}

namespace {

// The name a data file on disk is listed by.
std::string listedNameOf(const std::string& path)
{
    const std::filesystem::path file(path);
    if (!HasXmlExtension(path))
        return FileNamePart(path);
    std::error_code error;
    for (std::filesystem::path folder = file.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (FolderHoldsAnyOf(folder.string(), "Summary.xml"))
            return file.lexically_relative(folder).generic_string();
        if (folder == folder.parent_path())
            break;
    }
    return (file.parent_path().filename() / file.filename()).generic_string();
}

}  // namespace

DataFileOnDisk::DataFileOnDisk(const std::string& path) : path_(path), listedName_(listedNameOf(path)) { }

std::vector<std::string> DataFileOnDisk::dataFiles(FileKinds) const
{
    return {listedName_};
}

std::optional<DataFile> DataFileOnDisk::openDataFile(const std::string& name) const
{
    return ReadDataFileOnDisk(path_, name);
}

}  // namespace quorvel
