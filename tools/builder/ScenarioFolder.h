#pragma once

// Writes whole scenarios from descriptions of their files.

#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"
#include "tools/builder/XmlBuilder.h"

#include <string>
#include <vector>

namespace quorvel::build {

// A data file and its classic file name.
struct NamedFile {
    std::string name;
    File file;
};

// Writes a scenario into a folder, emptied first: classic, or in the XML
// form with each file where XmlPathOf puts it.
void WriteClassicScenario(const std::string& folder, const Summary& summary, const std::vector<NamedFile>& files);
void WriteXmlScenario(const std::string& folder, const Summary& summary, const std::vector<NamedFile>& files,
                      const XmlForm& form = {});

}  // namespace quorvel::build
