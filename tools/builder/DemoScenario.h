#pragma once

// The demo scenario: small, and every command has something to show in it:
// things that are used, unused, defined (or declared) twice and never
// defined, and the contents of the format's later revisions.

#include "tools/builder/ScenarioFolder.h"

#include <vector>

namespace quorvel::build {

std::vector<NamedFile> DemoDataFiles();
Summary DemoSummary();

}  // namespace quorvel::build
