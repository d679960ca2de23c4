#pragma once

// Libraries the program loads the first time it needs them rather than at
// every start, or links where nothing can be loaded (WebAssembly). A
// library's functions are a struct with a member for each function an
// X-macro FUNCTIONS(X) lists, named as the function and declared with
// QUORVEL_LIBRARY_MEMBER.

#include <dlfcn.h>

#include <optional>

namespace quorvel {

// Sets `function` to the library's function of that name; false when it has none.
template <typename Function>
bool FindFunction(void* library, const char* name, Function*& function)
{
    function = reinterpret_cast<Function*>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace quorvel

#define QUORVEL_LIBRARY_MEMBER(name) decltype(&::name) name = nullptr;

#define QUORVEL_LIBRARY_LINK(name) functions.name = &::name;
#define QUORVEL_LIBRARY_FIND(name) complete = ::quorvel::FindFunction(library, #name, functions.name) && complete;

// The body of a function returning the `Functions` of a linked library.
#define QUORVEL_LINKED_LIBRARY(Functions, FUNCTIONS)                                                                   \
    static const Functions linked = [] {                                                                               \
        Functions functions;                                                                                           \
        FUNCTIONS(QUORVEL_LIBRARY_LINK)                                                                                \
        return functions;                                                                                              \
    }();                                                                                                               \
    return &linked;

// The body of a function returning the `Functions` of the shared library
// `file`, loaded at the first call and kept for the rest of the run, as a
// linked one would be; null when it or one of its functions cannot be
// found. Safe on several threads at once.
#define QUORVEL_LOADED_LIBRARY(Functions, FUNCTIONS, file)                                                             \
    static const std::optional<Functions> loaded = []() -> std::optional<Functions> {                                  \
        void* const library = dlopen(file, RTLD_NOW | RTLD_LOCAL);                                                     \
        if (!library)                                                                                                  \
            return std::nullopt;                                                                                       \
        Functions functions;                                                                                           \
        bool complete = true;                                                                                          \
        FUNCTIONS(QUORVEL_LIBRARY_FIND)                                                                                \
        return complete ? std::optional<Functions>(functions) : std::nullopt;                                          \
    }();                                                                                                               \
    return loaded ? &*loaded : nullptr;
