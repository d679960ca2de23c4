#include "scenario/LibExpat.h"

#include <optional>

#ifdef QUORVEL_EXPAT_LINKED
namespace quorvel {

const LibExpat* LoadedLibExpat()
{
    static const LibExpat linked = [] {
        LibExpat functions;
#define QUORVEL_EXPAT_LINK(name) functions.name = &::name;
        QUORVEL_EXPAT_FUNCTIONS(QUORVEL_EXPAT_LINK)
#undef QUORVEL_EXPAT_LINK
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
constexpr const char* LibExpatName = "libexpat.so.1";

std::optional<LibExpat> load()
{
    void* const library = dlopen(LibExpatName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    LibExpat functions;
    bool complete = true;
#define QUORVEL_EXPAT_FIND(name)                                                                                       \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                                       \
    complete = complete && functions.name;
    QUORVEL_EXPAT_FUNCTIONS(QUORVEL_EXPAT_FIND)
#undef QUORVEL_EXPAT_FIND
    // The library stays loaded for the rest of the run, as a linked one would.
    return complete ? std::optional<LibExpat>(functions) : std::nullopt;
}

}  // namespace

const LibExpat* LoadedLibExpat()
{
    static const std::optional<LibExpat> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace quorvel
#endif
