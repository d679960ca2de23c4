#include "search/LibArchive.h"

namespace quorvel {

const LibArchive* LoadedLibArchive()
{
#ifdef QUORVEL_LIBARCHIVE_LINKED
    QUORVEL_LINKED_LIBRARY(LibArchive, QUORVEL_LIBARCHIVE_FUNCTIONS)
#else
    // The library of the ABI the headers describe.
    QUORVEL_LOADED_LIBRARY(LibArchive, QUORVEL_LIBARCHIVE_FUNCTIONS, "libarchive.so.13")
#endif
}

}  // namespace quorvel
