#pragma once

#include "scenario/Content.h"
#include "scenario/Text.h"

#include <string_view>
#include <vector>

namespace quorvel {

// A file path a content names, with the kind word of the field that holds it.
struct NamedPath {
    const char* kindWord;  // UTF-8
    Text path;
};

// The file paths a content names, in the order of its fields, appended to
// `paths`: a message's talker image, a BGM, a sound, an effect's sounds, the
// images of the cells it shows. Empty fields give none.
void AppendContentPaths(const Content& content, std::vector<NamedPath>& paths);

// Whether the engine takes a path as no file at all: an empty one, or one
// whose file name (after the last "/" or "\") starts with "??", its markers
// such as "Material/??Random".
bool NamesNoFile(std::string_view path);

}  // namespace quorvel
