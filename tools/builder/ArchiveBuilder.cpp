#include "tools/builder/ArchiveBuilder.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace quorvel::build {

namespace {

// libarchive takes names in the encoding of the locale: UTF-8 names are
// given in a UTF-8 locale (and marked so in a zip), unmarked ones in the
// C locale, which passes their bytes through.
class NamesLocale {
public:
    explicit NamesLocale(NameMarking names)
    {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        static const locale_t plain = newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
        previous_ = uselocale(names == NameMarking::Utf8 ? utf8 : plain);
    }
    ~NamesLocale() { uselocale(previous_); }
    NamesLocale(const NamesLocale&) = delete;
    NamesLocale& operator=(const NamesLocale&) = delete;

private:
    locale_t previous_;
};

void check(int status, archive* writer, const std::string& what)
{
    if (status < ARCHIVE_WARN)
        throw std::runtime_error(what + ": " + (archive_error_string(writer) ? archive_error_string(writer) : "?"));
}

}  // namespace

void WriteArchive(const std::string& path, const std::vector<ArchiveEntry>& entries, ArchiveFormat format,
                  NameMarking names)
{
    const NamesLocale locale(names);
    const std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), archive_write_free);
    archive* const w = writer.get();
    check(format == ArchiveFormat::Zip ? archive_write_set_format_zip(w) : archive_write_set_format_7zip(w), w,
          "format");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    check(archive_write_open_filename(w, path.c_str()), w, path);
    for (const ArchiveEntry& entry : entries) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> header(archive_entry_new(),
                                                                                   archive_entry_free);
        archive_entry_copy_pathname(header.get(), entry.name.c_str());
        switch (entry.type) {
        case ArchiveEntry::Type::File:
            archive_entry_set_filetype(header.get(), AE_IFREG);
            archive_entry_set_size(header.get(), static_cast<la_int64_t>(entry.data.size()));
            break;
        case ArchiveEntry::Type::Folder:
            archive_entry_set_filetype(header.get(), AE_IFDIR);
            break;
        case ArchiveEntry::Type::SymbolicLink:
            archive_entry_set_filetype(header.get(), AE_IFLNK);
            archive_entry_copy_symlink(header.get(), entry.data.c_str());
            break;
        }
        archive_entry_set_perm(header.get(), 0644);
        check(archive_write_header(w, header.get()), w, entry.name);
        if (entry.type == ArchiveEntry::Type::File && !entry.data.empty())
            if (archive_write_data(w, entry.data.data(), entry.data.size()) < 0)
                check(ARCHIVE_FATAL, w, entry.name);
    }
    check(archive_write_close(w), w, path);
}

std::vector<ArchiveEntry> EntriesOfFolder(const std::string& folder, const std::string& prefix)
{
    std::vector<ArchiveEntry> entries;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder)) {
        if (!file.is_regular_file())
            continue;
        std::ifstream in(file.path(), std::ios::binary);
        entries.push_back({prefix + file.path().lexically_relative(folder).generic_string(),
                           {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace quorvel::build
