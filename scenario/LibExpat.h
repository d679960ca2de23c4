#pragma once

#include "base/LateLibrary.h"

#include <expat.h>

namespace quorvel {

// The functions of expat that parsing an XML file calls.
#define QUORVEL_EXPAT_FUNCTIONS(X)                                                                                     \
    X(XML_ParserCreate)                                                                                                \
    X(XML_ParserFree)                                                                                                  \
    X(XML_SetUserData)                                                                                                 \
    X(XML_SetElementHandler)                                                                                           \
    X(XML_SetCharacterDataHandler)                                                                                     \
    X(XML_Parse)

// expat, loaded the first time an XML file is parsed: linked, its code and
// tables would stay resident through every run, and most runs read classic
// scenarios. Each member is the function of the same name.
struct LibExpat {
    QUORVEL_EXPAT_FUNCTIONS(QUORVEL_LIBRARY_MEMBER)
};

// The loaded library; null when it cannot be loaded (no XML file can then
// be parsed). Safe on several threads at once.
const LibExpat* LoadedLibExpat();

}  // namespace quorvel
