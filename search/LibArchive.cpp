#include "search/LibArchive.h"

#include <optional>

#ifdef QUORVEL_LIBARCHIVE_LINKED
namespace quorvel {

const LibArchive* LoadedLibArchive()
{
    static const LibArchive linked = [] {
        LibArchive functions;
#define QUORVEL_LIBARCHIVE_LINK(name) functions.name = &::name;
        QUORVEL_LIBARCHIVE_FUNCTIONS(QUORVEL_LIBARCHIVE_LINK)
#undef QUORVEL_LIBARCHIVE_LINK
        return functions;
    }();
    return &linked;
}

}  // namespace quorvel
#else
#include <dlfcn.h>

namespace quorvel {

namespace {

// The library of the ABI the headers describe.
constexpr const char* LibArchiveName = "libarchive.so.13";

std::optional<LibArchive> load()
{
    void* const library = dlopen(LibArchiveName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    LibArchive functions;
    bool complete = true;
#define QUORVEL_LIBARCHIVE_FIND(name)                                                                                  \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                                       \
    complete = complete && functions.name;
    QUORVEL_LIBARCHIVE_FUNCTIONS(QUORVEL_LIBARCHIVE_FIND)
#undef QUORVEL_LIBARCHIVE_FIND
    // The library stays loaded for the rest of the run, as a linked one would.
    return complete ? std::optional<LibArchive>(functions) : std::nullopt;
}

}  // namespace

const LibArchive* LoadedLibArchive()
{
    static const std::optional<LibArchive> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace quorvel
#endif
