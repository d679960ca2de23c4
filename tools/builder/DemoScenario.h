#pragma once

// The demo scenario: small, and every command has something to show in it:
// things that are used, unused, defined (or declared) twice and never
// defined, and the contents of the format's later revisions.

#include "tools/builder/ScenarioFolder.h"

#include <vector>

namespace quorvel::build {

std::vector<NamedFile> DemoDataFiles();
Summary DemoSummary();

// What only the XML format's fourth revision can hold, added to the demo's
// XML form: variants, a skill that declares a flag for its own events, and
// names shown inside messages.
void AddVersionFourParts(Summary& declared, std::vector<NamedFile>& files);

// The files beside the data: bell.wav, which the demo plays, and a picture
// nothing shows (Material/old_map.png); wolf.wav, which it also plays, is
// missing.
void WriteDemoMaterials(const std::string& folder);

}  // namespace quorvel::build
