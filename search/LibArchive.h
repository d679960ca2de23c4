#pragma once

#include "base/LateLibrary.h"

#include <archive.h>
#include <archive_entry.h>

namespace quorvel {

// The functions of libarchive that reading an archive calls.
#define QUORVEL_LIBARCHIVE_FUNCTIONS(X)                                                                                \
    X(archive_read_new)                                                                                                \
    X(archive_read_free)                                                                                               \
    X(archive_read_support_filter_all)                                                                                 \
    X(archive_read_support_format_zip_seekable)                                                                        \
    X(archive_read_support_format_7zip)                                                                                \
    X(archive_read_support_format_cab)                                                                                 \
    X(archive_read_support_format_lha)                                                                                 \
    X(archive_read_support_format_rar)                                                                                 \
    X(archive_read_support_format_rar5)                                                                                \
    X(archive_read_support_format_tar)                                                                                 \
    X(archive_read_support_format_cpio)                                                                                \
    X(archive_read_support_format_ar)                                                                                  \
    X(archive_read_support_format_iso9660)                                                                             \
    X(archive_read_support_format_xar)                                                                                 \
    X(archive_read_support_format_warc)                                                                                \
    X(archive_read_set_options)                                                                                        \
    X(archive_read_open_memory)                                                                                        \
    X(archive_read_open_filename)                                                                                      \
    X(archive_read_next_header)                                                                                        \
    X(archive_read_data)                                                                                               \
    X(archive_read_data_skip)                                                                                          \
    X(archive_entry_pathname)                                                                                          \
    X(archive_entry_filetype)                                                                                          \
    X(archive_entry_hardlink)                                                                                          \
    X(archive_entry_symlink)                                                                                           \
    X(archive_entry_size_is_set)                                                                                       \
    X(archive_entry_size)

// libarchive, loaded the first time an archive is read: with its dozen
// compression and XML libraries it would take a few milliseconds from the
// start of every run, and most runs read no archive. Each member is the
// function of the same name.
struct LibArchive {
    QUORVEL_LIBARCHIVE_FUNCTIONS(QUORVEL_LIBRARY_MEMBER)
};

// The loaded library; null when it cannot be loaded (the archive then
// cannot be read). Safe on several threads at once.
const LibArchive* LoadedLibArchive();

}  // namespace quorvel
