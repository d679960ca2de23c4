#include "scenario/LibExpat.h"

namespace quorvel {

const LibExpat* LoadedLibExpat()
{
#ifdef QUORVEL_EXPAT_LINKED
    QUORVEL_LINKED_LIBRARY(LibExpat, QUORVEL_EXPAT_FUNCTIONS)
#else
    // The library of the ABI the headers describe.
    QUORVEL_LOADED_LIBRARY(LibExpat, QUORVEL_EXPAT_FUNCTIONS, "libexpat.so.1")
#endif
}

}  // namespace quorvel
