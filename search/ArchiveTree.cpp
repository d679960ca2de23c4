#include "search/ArchiveTree.h"

#include "base/AsciiCase.h"
#include "scenario/FileSystem.h"
#include "scenario/ShiftJis.h"
#include "scenario/Text.h"
#include "search/FolderSource.h"
#include "search/LibArchive.h"
#include "search/ScenarioFileList.h"

#include <locale.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <unordered_map>
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
    const LibArchive* library;
    void operator()(archive* reader) const { library->archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ArchiveCloser>;

// Has libarchive give each byte of a name not marked as UTF-8 as the
// Latin-1 character of that value.
constexpr const char* BytesAsLatin1 = "hdrcharset=ISO-8859-1";

// The bytes a name read with BytesAsLatin1 was stored as.
std::string latin1Bytes(const std::string& utf8)
{
    std::string bytes;
    for (const char16_t unit : Utf8ToUtf16(utf8))
        bytes.push_back(static_cast<char>(unit));
    return bytes;
}

// Bytes read from a file with libarchive at a time.
constexpr std::size_t ReadBlock = 64 * 1024;

// Where an archive's bytes are: a file, or memory (a fuzz target's input).
struct ArchiveBytes {
    std::string path;
    std::shared_ptr<const std::string> inMemory;
};

// The formats an archive is read in. A zip is read by its central
// directory only: one cut short (a broken download) cannot be read, rather
// than read up to the cut from its local headers. Left out: mtree, whose
// entries libarchive reads from files on disk, outside the archive, and
// the empty format, so that an empty file is no archive.
void supportFormats(const LibArchive& lib, archive* reader)
{
    for (int (*support)(archive*) : {lib.archive_read_support_format_zip_seekable, lib.archive_read_support_format_7zip,
                                     lib.archive_read_support_format_cab, lib.archive_read_support_format_lha,
                                     lib.archive_read_support_format_rar, lib.archive_read_support_format_rar5,
                                     lib.archive_read_support_format_tar, lib.archive_read_support_format_cpio,
                                     lib.archive_read_support_format_ar, lib.archive_read_support_format_iso9660,
                                     lib.archive_read_support_format_xar, lib.archive_read_support_format_warc})
        support(reader);
}

// Nothing when libarchive cannot be loaded, or cannot open the archive.
Reader openArchive(const ArchiveBytes& bytes, const char* options)
{
    const LibArchive* const lib = LoadedLibArchive();
    if (!lib)
        return Reader(nullptr, ArchiveCloser{lib});
    Reader reader(lib->archive_read_new(), ArchiveCloser{lib});
    if (!reader)
        throw std::bad_alloc();
    supportFormats(*lib, reader.get());
    lib->archive_read_support_filter_all(reader.get());
    if (options)
        lib->archive_read_set_options(reader.get(), options);
    const int opened = bytes.inMemory
        ? lib->archive_read_open_memory(reader.get(), bytes.inMemory->data(), bytes.inMemory->size())
        : lib->archive_read_open_filename(reader.get(), bytes.path.c_str(), ReadBlock);
    if (opened != ARCHIVE_OK)
        reader.reset();
    return reader;
}

bool readsOn(int status)
{
    return status == ARCHIVE_OK || status == ARCHIVE_WARN;
}

// An entry's name without a leading "./"; nothing for a name that is
// empty, absolute, climbs out (".."), or is hidden as on disk (a file or
// folder whose name begins with a dot).
std::optional<std::string> safePath(std::string name)
{
    while (name.starts_with("./"))
        name.erase(0, 2);
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos)
        return std::nullopt;
    for (std::size_t start = 0; start <= name.size();) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (end > start && name[start] == '.')
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
    ArchiveTree(ArchiveBytes bytes, ArchiveLimits limits) : bytes_(std::move(bytes)), limits_(limits) { refresh(); }

    const std::vector<std::string>& paths() const override { return paths_; }

    std::optional<FileBytes> read(const std::string& path) const override
    {
        {
            const std::lock_guard lock(mutex_);
            handedOut_.insert(path);
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
                if (!ready_.contains(path) && !handedOut_.contains(path))
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
        handedOut_.clear();
        readSoFar_ = 0;
        list();
    }

    std::string location() const override { return bytes_.path; }
    std::optional<std::string> unreadable() const override
    {
        return readable_ ? std::nullopt : std::optional<std::string>(FileNamePart(bytes_.path));
    }
    // The archive, and its folder: a packing tool deletes the archive and
    // writes it anew, and only the folder sees it come back.
    std::vector<std::string> watchedPaths() const override
    {
        if (bytes_.inMemory)
            return {};
        const std::filesystem::path folder = std::filesystem::path(bytes_.path).parent_path();
        return {folder.empty() ? std::string(".") : folder.string(), bytes_.path};
    }

private:
    struct Entry {
        std::string path;  // from the root of the archive
        std::size_t index;
    };

    // Loaded: it is called only on an archive it opened.
    static const LibArchive& lib() { return *LoadedLibArchive(); }

    // The names of the entries in the order the archive holds them; nothing
    // when the archive cannot be read to the end of its listing.
    std::optional<std::vector<std::optional<std::string>>> names(const char* options) const
    {
        const Utf8Names utf8;
        const Reader reader = openArchive(bytes_, options);
        if (!reader)
            return std::nullopt;
        std::vector<std::optional<std::string>> names;
        archive_entry* entry = nullptr;
        int status = ARCHIVE_OK;
        while (readsOn(status = lib().archive_read_next_header(reader.get(), &entry))) {
            const char* name = lib().archive_entry_pathname(entry);
            const bool file = lib().archive_entry_filetype(entry) == AE_IFREG && !lib().archive_entry_hardlink(entry)
                && !lib().archive_entry_symlink(entry);
            names.push_back(file && name ? std::optional<std::string>(name) : std::nullopt);
            lib().archive_read_data_skip(reader.get());
        }
        if (status != ARCHIVE_EOF)
            return std::nullopt;
        return names;
    }

    // Entry names are UTF-8 when the archive says so: such a name comes out
    // alike whatever charset the archive's other names are told to be in.
    // Other names are the archive's own bytes, in Shift-JIS: told they are
    // Latin-1, libarchive gives each byte as a character of its own (taken
    // as they are, some readers fail on a name that is not UTF-8).
    void list()
    {
        paths_.clear();
        indexOf_.clear();
        const std::optional<std::vector<std::optional<std::string>>> asLatin1 = names(BytesAsLatin1);
        readable_ = asLatin1.has_value();
        if (!asLatin1)
            return;
        const bool anyHighByte = std::any_of(asLatin1->begin(), asLatin1->end(), [](const auto& name) {
            return name && std::any_of(name->begin(), name->end(), [](char c) { return c & 0x80; });
        });
        const std::optional<std::vector<std::optional<std::string>>> asStored
            = anyHighByte ? names(nullptr) : std::nullopt;
        std::vector<Entry> all;
        for (std::size_t index = 0; index < asLatin1->size(); ++index) {
            if (!(*asLatin1)[index])
                continue;
            std::string name = *(*asLatin1)[index];
            const bool markedUtf8 = !anyHighByte || (index < asStored->size() && (*asStored)[index] == name);
            if (!markedUtf8)
                name = ShownForm(Text::ShiftJis(latin1Bytes(name)));
            if (std::optional<std::string> path = safePath(std::move(name)))
                all.push_back({std::move(*path), index});
        }
        const std::string root = rootFolder(all);
        for (Entry& entry : all)
            if (entry.path.starts_with(root)) {
                entry.path.erase(0, root.size());
                if (indexOf_.emplace(entry.path, entry.index).second)
                    paths_.push_back(entry.path);
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
            read[path] = std::nullopt;
            if (const auto entry = indexOf_.find(path); entry != indexOf_.end())
                wanted[entry->second] = path;
        }
        if (wanted.empty())
            return;
        const Utf8Names utf8;
        const Reader reader = openArchive(bytes_, BytesAsLatin1);
        if (!reader)
            return;
        archive_entry* entry = nullptr;
        for (std::size_t index = 0; !wanted.empty() && readsOn(lib().archive_read_next_header(reader.get(), &entry));
             ++index) {
            const auto want = wanted.find(index);
            if (want == wanted.end()) {
                lib().archive_read_data_skip(reader.get());
                continue;
            }
            read[want->second] = readData(reader.get(), entry);
            wanted.erase(want);
        }
    }

    std::optional<FileBytes> readData(archive* reader, archive_entry* entry) const
    {
        std::optional<FileBytes> bytes = lib().archive_entry_size_is_set(entry)
            ? readKnownSize(reader, static_cast<std::uint64_t>(lib().archive_entry_size(entry)))
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
        bytes.data = RoomForBytes(size);
        bytes.size = size;
        std::size_t done = 0;
        while (done < size) {
            const la_ssize_t got = lib().archive_read_data(reader, bytes.data.get() + done, size - done);
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
            const la_ssize_t got = lib().archive_read_data(reader, block.data(), block.size());
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                break;
            if (read.size() + static_cast<std::size_t>(got) > limits_.entry)
                return std::nullopt;
            read.insert(read.end(), block.begin(), block.begin() + got);
        }
        FileBytes bytes;
        bytes.data = RoomForBytes(read.size());
        bytes.size = read.size();
        std::copy(read.begin(), read.end(), bytes.data.get());
        return bytes;
    }

    ArchiveBytes bytes_;
    ArchiveLimits limits_;
    bool readable_ = false;
    std::vector<std::string> paths_;                        // from the scenario's folder
    std::unordered_map<std::string, std::size_t> indexOf_;  // where the archive holds each of them
    mutable std::mutex mutex_;
    mutable std::map<std::string, std::optional<FileBytes>> ready_;
    // Read since the last refresh: a search that takes a file's findings from
    // an earlier pass (the id searches' defining files) does not read it
    // again, so it is not unpacked again; one that does reads it alone.
    mutable std::set<std::string> handedOut_;
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
    return std::make_unique<ArchiveTree>(ArchiveBytes{archivePath, nullptr}, limits);
}

std::unique_ptr<FileTree> ArchiveFolderTreeInMemory(std::string name, std::string bytes, ArchiveLimits limits)
{
    return std::make_unique<ArchiveTree>(
        ArchiveBytes{std::move(name), std::make_shared<const std::string>(std::move(bytes))}, limits);
}

}  // namespace quorvel
