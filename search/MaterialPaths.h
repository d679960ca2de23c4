#pragma once

#include "scenario/Content.h"
#include "scenario/Text.h"

#include <optional>
#include <string>
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

// What a path and a file of the scenario are compared by: "\\" taken as
// "/", "." and ".." steps walked, letter case ignored (as the engine
// ignores it). Nothing for a path that climbs out of the scenario.
std::optional<std::u16string> MaterialKey(std::string_view utf8Path);

// The keys of the files a path may name: the path, and where it has no
// leading "Material/" folder, the same in that folder (writers store the
// same file either way).
std::vector<std::u16string> MaterialKeysOfPath(std::string_view utf8Path);

// Whether a file of the scenario is a picture, sound or music by its
// extension: .bmp .png .gif .jpg .jpeg .wav .ogg .mp3 .mid .midi.
bool IsMaterialFile(std::string_view path);

}  // namespace quorvel
