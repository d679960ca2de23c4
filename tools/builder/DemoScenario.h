#pragma once

// The demo scenario: small, and every command has something to show in it:
// things that are used, unused, defined (or declared) twice and never
// defined, and the contents of the format's later revisions.

#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"

#include <string>
#include <vector>

namespace quorvel::build {

struct NamedFile {
    std::string name;
    File file;
};

std::vector<NamedFile> DemoDataFiles();
Summary DemoSummary();

}  // namespace quorvel::build
