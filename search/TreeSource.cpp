#include "search/TreeSource.h"

#include "base/AsciiCase.h"
#include "scenario/ClassicReader.h"
#include "scenario/XmlReader.h"
#include "search/FolderSource.h"
#include "search/ScenarioFileList.h"
#include "search/SummaryReader.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <set>

namespace quorvel {

namespace {

std::string topName(const std::string& path)
{
    return path.find('/') == std::string::npos ? path : std::string();
}

// The name of the folder a file lies in; empty at the top.
std::string folderNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    const std::size_t before = path.rfind('/', slash - 1);
    return path.substr(before == std::string::npos ? 0 : before + 1,
                       slash - (before == std::string::npos ? 0 : before + 1));
}

class DiskTree : public FileTree {
public:
    explicit DiskTree(std::string folder) : folder_(std::move(folder)) { refresh(); }

    const std::vector<std::string>& paths() const override { return paths_; }
    std::optional<FileBytes> read(const std::string& path) const override
    {
        return ReadFileBytes((std::filesystem::path(folder_) / path).string());
    }
    void prepare(const std::vector<std::string>&) const override { }
    void refresh() override
    {
        paths_.clear();
        std::error_code error;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        std::filesystem::recursive_directory_iterator it(folder_, options, error);
        for (const std::filesystem::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.starts_with('.')) {
                it.disable_recursion_pending();
                continue;
            }
            std::error_code typeError;
            if (it->is_regular_file(typeError))
                paths_.push_back(it->path().lexically_relative(folder_).generic_string());
        }
    }
    std::string location() const override { return folder_; }
    std::vector<std::string> watchedPaths() const override
    {
        // The folders of the files, and the files themselves.
        std::set<std::string> folders{folder_};
        std::vector<std::string> watched;
        for (const std::string& path : paths_) {
            const std::filesystem::path full = std::filesystem::path(folder_) / path;
            if (!HasXmlExtension(path) && path.find('/') != std::string::npos)
                continue;
            for (std::filesystem::path folder = full.parent_path(); folder.string().size() > folder_.size();
                 folder = folder.parent_path())
                folders.insert(folder.string());
            watched.push_back(full.string());
        }
        watched.insert(watched.begin(), folders.begin(), folders.end());
        return watched;
    }

private:
    std::string folder_;
    std::vector<std::string> paths_;
};

}  // namespace

std::unique_ptr<FileTree> FolderTree(const std::string& folder)
{
    return std::make_unique<DiskTree>(folder);
}

TreeSource::TreeSource(std::unique_ptr<FileTree> tree) : tree_(std::move(tree))
{
    list();
}

void TreeSource::refresh()
{
    tree_->refresh();
    list();
}

std::vector<std::string> TreeSource::summaries(const std::string& name) const
{
    std::vector<std::string> found;
    for (const std::string& path : tree_->paths())
        if (EqualIgnoringAsciiCase(path, name))
            found.push_back(path);
    return found;
}

void TreeSource::list()
{
    classic_ = !summaries("Summary.wsm").empty();
    dataFiles_.clear();
    for (const std::string& path : tree_->paths()) {
        if (const std::string name = topName(path); !name.empty()) {
            if (const std::optional<FileKind> kind = ClassicKindOfName(name))
                dataFiles_.push_back({path, *kind});
            continue;
        }
        if (classic_ || !HasXmlExtension(path))
            continue;
        if (const std::optional<FileKind> kind = KindOfXmlFolder(folderNameOf(path)))
            dataFiles_.push_back({path, *kind});
    }
    std::sort(dataFiles_.begin(), dataFiles_.end(),
              [](const Listed& a, const Listed& b) { return ListedBefore(a.path, b.path); });
}

std::vector<std::string> TreeSource::dataFiles(FileKinds kinds) const
{
    std::vector<std::string> paths;
    for (const Listed& listed : dataFiles_)
        if (kinds.has(listed.kind))
            paths.push_back(listed.path);
    tree_->prepare(paths);
    return paths;
}

std::vector<std::pair<std::string, FileKind>> TreeSource::listedKinds(FileKinds kinds) const
{
    std::vector<std::pair<std::string, FileKind>> listed;
    for (const Listed& each : dataFiles_)
        if (kinds.has(each.kind))
            listed.emplace_back(each.path, each.kind);
    return listed;
}

std::optional<DataFile> TreeSource::openDataFile(const std::string& path) const
{
    return open(path, DataFileTexts::Searched);
}

std::optional<DataFile> TreeSource::openDataFileWithWrittenTexts(const std::string& path) const
{
    return open(path, DataFileTexts::Written);
}

std::optional<DataFile> TreeSource::open(const std::string& path, DataFileTexts texts) const
{
    const auto listed
        = std::find_if(dataFiles_.begin(), dataFiles_.end(), [&](const Listed& each) { return each.path == path; });
    if (listed == dataFiles_.end())
        return std::nullopt;
    try {
        std::optional<FileBytes> bytes = tree_->read(path);
        if (!bytes)
            return std::nullopt;
        if (HasXmlExtension(path) && path.find('/') != std::string::npos)
            return ReadXmlDataFile(path, listed->kind, std::move(*bytes), texts);
        return ReadClassicDataFile(path, std::move(*bytes));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::vector<std::string> TreeSource::scenarioFiles() const
{
    std::vector<std::string> paths = tree_->paths();
    std::sort(paths.begin(), paths.end(), ListedBefore);
    return paths;
}

std::string TreeSource::summaryName() const
{
    return classic_ ? "Summary.wsm" : "Summary.xml";
}

bool TreeSource::hasSummary() const
{
    return !summaries(summaryName()).empty();
}

bool TreeSource::holdsScenario() const
{
    return hasSummary() || !dataFiles_.empty() || tree_->unreadable();
}

std::optional<Summary> TreeSource::readSummary(SummarySections sections) const
{
    const std::vector<std::string> found = summaries(summaryName());
    if (found.size() != 1)
        return std::nullopt;
    try {
        tree_->prepare(found);
        std::optional<FileBytes> bytes = tree_->read(found.front());
        if (!bytes)
            return std::nullopt;
        return classic_ ? ReadClassicSummary(std::move(*bytes), sections) : ReadXmlSummary(std::move(*bytes), sections);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace quorvel
