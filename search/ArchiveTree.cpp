#include "search/ArchiveTree.h"

#include "base/AsciiCase.h"
#include "scenario/FileSystem.h"
#include "scenario/ShiftJis.h"
#include "scenario/Text.h"
#include "search/FolderSource.h"
#include "search/ScenarioFileList.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <vector>

namespace quorvel {

namespace {

// libarchive converts names between the archive's encoding and the current
// locale's; in a UTF-8 locale the names an archive stores in UTF-8 come out
// as they are. The locale is the calling thread's for as long as this lives.
class Utf8Names {
public:
    Utf8Names()
    {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (utf8)
            previous_ = uselocale(utf8);
    }
    ~Utf8Names()
    {
        if (previous_)
            uselocale(previous_);
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ArchiveCloser>;

// Bytes read from a file with libarchive at a time.
constexpr std::size_t ReadBlock = 64 * 1024;

Reader openArchive(const std::string& path, const char* options)
{
    Reader reader(archive_read_new());
    if (!reader)
        throw std::bad_alloc();
    archive_read_support_format_all(reader.get());
    archive_read_support_filter_all(reader.get());
    if (options)
        archive_read_set_options(reader.get(), options);
    if (archive_read_open_filename(reader.get(), path.c_str(), ReadBlock) != ARCHIVE_OK)
        return nullptr;
    return reader;
}

bool readsOn(int status)
{
    return status == ARCHIVE_OK || status == ARCHIVE_WARN;
}

// An entry's name without a leading "./"; nothing for a name that climbs
// out (".."), is absolute, or is empty.
std::optional<std::string> safePath(std::string name)
{
    while (name.starts_with("./"))
        name.erase(0, 2);
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos)
        return std::nullopt;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0)
            return std::nullopt;
        start = end + 1;
    }
    return name;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::size_t depthOf(const std::string& folder)
{
    return static_cast<std::size_t>(std::count(folder.begin(), folder.end(), '/'));
}

class ArchiveTree : public FileTree {
public:
    ArchiveTree(std::string path, ArchiveLimits limits) : path_(std::move(path)), limits_(limits) { refresh(); }

    const std::vector<std::string>& paths() const override { return paths_; }

    std::optional<FileBytes> read(const std::string& path) const override
    {
        {
            const std::lock_guard lock(mutex_);
            if (const auto ready = ready_.find(path); ready != ready_.end()) {
                std::optional<FileBytes> bytes = std::move(ready->second);
                ready_.erase(ready);
                return bytes;
            }
        }
        std::map<std::string, std::optional<FileBytes>> read;
        readEntries({path}, read);
        const auto found = read.find(path);
        return found == read.end() ? std::nullopt : std::move(found->second);
    }

    void prepare(const std::vector<std::string>& paths) const override
    {
        std::vector<std::string> wanted;
        {
            const std::lock_guard lock(mutex_);
            for (const std::string& path : paths)
                if (!ready_.contains(path))
                    wanted.push_back(path);
        }
        if (wanted.empty())
            return;
        std::map<std::string, std::optional<FileBytes>> read;
        readEntries(wanted, read);
        const std::lock_guard lock(mutex_);
        for (auto& [path, bytes] : read)
            ready_[path] = std::move(bytes);
    }

    void refresh() override
    {
        const std::lock_guard lock(mutex_);
        ready_.clear();
        readSoFar_ = 0;
        list();
    }

    std::string location() const override { return path_; }
    std::optional<std::string> unreadable() const override
    {
        return readable_ ? std::nullopt : std::optional<std::string>(FileNamePart(path_));
    }
    std::vector<std::string> watchedPaths() const override { return {path_}; }

private:
    struct Entry {
        std::string path;  // from the root of the archive
        std::size_t index;
    };

    // The names of the entries in the order the archive holds them; nothing
    // when the archive cannot be read at all.
    std::optional<std::vector<std::optional<std::string>>> names(const char* options) const
    {
        const Utf8Names utf8;
        const Reader reader = openArchive(path_, options);
        if (!reader)
            return std::nullopt;
        std::vector<std::optional<std::string>> names;
        archive_entry* entry = nullptr;
        int status = ARCHIVE_OK;
        while (readsOn(status = archive_read_next_header(reader.get(), &entry))) {
            const char* name = archive_entry_pathname(entry);
            const bool file = archive_entry_filetype(entry) == AE_IFREG && !archive_entry_hardlink(entry)
                && !archive_entry_symlink(entry);
            names.push_back(file && name ? std::optional<std::string>(name) : std::nullopt);
            archive_read_data_skip(reader.get());
        }
        if (status != ARCHIVE_EOF && names.empty())
            return std::nullopt;
        return names;
    }

    // Entry names are UTF-8 when the archive says so: such a name comes out
    // alike whatever charset the archive's other names are told to be in.
    // A name that changes when they are taken as Latin-1 is in the archive's
    // own bytes, which are Shift-JIS.
    void list()
    {
        paths_.clear();
        entries_.clear();
        const std::optional<std::vector<std::optional<std::string>>> asStored = names(nullptr);
        readable_ = asStored.has_value();
        if (!asStored)
            return;
        std::optional<std::vector<std::optional<std::string>>> asLatin1;
        const bool anyHighByte = std::any_of(asStored->begin(), asStored->end(), [](const auto& name) {
            return name && std::any_of(name->begin(), name->end(), [](char c) { return c & 0x80; });
        });
        if (anyHighByte)
            asLatin1 = names("hdrcharset=ISO-8859-1");
        std::vector<Entry> all;
        for (std::size_t index = 0; index < asStored->size(); ++index) {
            if (!(*asStored)[index])
                continue;
            std::string name = *(*asStored)[index];
            const bool stored = asLatin1 && index < asLatin1->size() && (*asLatin1)[index] != name;
            if (stored || !IsValidUtf8(name))
                name = ShownForm(Text::ShiftJis(name));
            if (std::optional<std::string> path = safePath(std::move(name)))
                all.push_back({std::move(*path), index});
        }
        const std::string root = rootFolder(all);
        for (Entry& entry : all)
            if (entry.path.starts_with(root)) {
                entry.path.erase(0, root.size());
                paths_.push_back(entry.path);
                entries_.push_back(std::move(entry));
            }
    }

    // The scenario's folder: the first, shallower folders first, that holds
    // a summary; else the first that holds a classic data file.
    static std::string rootFolder(const std::vector<Entry>& entries)
    {
        const auto before = [](const std::string& a, const std::string& b) {
            return depthOf(a) != depthOf(b) ? depthOf(a) < depthOf(b) : ListedBefore(a, b);
        };
        std::optional<std::string> withSummary;
        std::optional<std::string> withDataFile;
        for (const Entry& entry : entries) {
            const std::string folder = folderOf(entry.path);
            const std::string name = entry.path.substr(folder.size());
            const bool summary
                = EqualIgnoringAsciiCase(name, "Summary.wsm") || EqualIgnoringAsciiCase(name, "Summary.xml");
            std::optional<std::string>& best = summary ? withSummary : withDataFile;
            if ((summary || ClassicKindOfName(name)) && (!best || before(folder, *best)))
                best = folder;
        }
        return withSummary ? *withSummary : withDataFile.value_or(std::string());
    }

    // Reads the entries of these paths in one pass over the archive; an
    // entry past the limits, or that fails, reads as nothing.
    void readEntries(const std::vector<std::string>& paths, std::map<std::string, std::optional<FileBytes>>& read) const
    {
        std::map<std::size_t, std::string> wanted;  // by index in the archive
        for (const std::string& path : paths) {
            const auto entry
                = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& each) { return each.path == path; });
            read[path] = std::nullopt;
            if (entry != entries_.end())
                wanted[entry->index] = path;
        }
        if (wanted.empty())
            return;
        const Utf8Names utf8;
        const Reader reader = openArchive(path_, nullptr);
        if (!reader)
            return;
        archive_entry* entry = nullptr;
        for (std::size_t index = 0; !wanted.empty() && readsOn(archive_read_next_header(reader.get(), &entry));
             ++index) {
            const auto want = wanted.find(index);
            if (want == wanted.end()) {
                archive_read_data_skip(reader.get());
                continue;
            }
            read[want->second] = readData(reader.get(), entry);
            wanted.erase(want);
        }
    }

    std::optional<FileBytes> readData(archive* reader, archive_entry* entry) const
    {
        std::optional<FileBytes> bytes = archive_entry_size_is_set(entry)
            ? readKnownSize(reader, static_cast<std::uint64_t>(archive_entry_size(entry)))
            : readUnknownSize(reader);
        if (!bytes)
            return std::nullopt;
        const std::lock_guard lock(mutex_);
        if (readSoFar_ + bytes->size > limits_.total)
            return std::nullopt;
        readSoFar_ += bytes->size;
        return bytes;
    }

    std::optional<FileBytes> readKnownSize(archive* reader, std::uint64_t size) const
    {
        if (size > limits_.entry)
            return std::nullopt;
        FileBytes bytes;
        bytes.data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        bytes.size = size;
        std::size_t done = 0;
        while (done < size) {
            const la_ssize_t got = archive_read_data(reader, bytes.data.get() + done, size - done);
            if (got <= 0)
                return std::nullopt;
            done += static_cast<std::size_t>(got);
        }
        return bytes;
    }

    std::optional<FileBytes> readUnknownSize(archive* reader) const
    {
        std::vector<std::uint8_t> read;
        std::vector<std::uint8_t> block(ReadBlock);
        while (true) {
            const la_ssize_t got = archive_read_data(reader, block.data(), block.size());
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                break;
            if (read.size() + static_cast<std::size_t>(got) > limits_.entry)
                return std::nullopt;
            read.insert(read.end(), block.begin(), block.begin() + got);
        }
        FileBytes bytes;
        bytes.data = std::make_unique_for_overwrite<std::uint8_t[]>(read.size());
        bytes.size = read.size();
        std::copy(read.begin(), read.end(), bytes.data.get());
        return bytes;
    }

    std::string path_;
    ArchiveLimits limits_;
    bool readable_ = false;
    std::vector<std::string> paths_;  // from the scenario's folder
    std::vector<Entry> entries_;      // the same files, with where the archive holds them
    mutable std::mutex mutex_;
    mutable std::map<std::string, std::optional<FileBytes>> ready_;
    mutable std::uint64_t readSoFar_ = 0;
};

}  // namespace

bool IsArchiveName(const std::string& name)
{
    for (const char* extension : {".wsn", ".zip", ".cab", ".lzh"})
        if (name.size() >= 4 && EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), extension))
            return true;
    return false;
}

std::unique_ptr<FileTree> ArchiveFolderTree(const std::string& archivePath, ArchiveLimits limits)
{
    return std::make_unique<ArchiveTree>(archivePath, limits);
}

}  // namespace quorvel
