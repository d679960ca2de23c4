#include "tools/builder/ScenarioFolder.h"

#include <filesystem>

namespace quorvel::build {

void WriteClassicScenario(const std::string& folder, const Summary& summary, const std::vector<NamedFile>& files)
{
    std::filesystem::remove_all(folder);
    WriteFile(folder + "/Summary.wsm", EncodeSummary(summary));
    for (const NamedFile& file : files)
        WriteFile(folder + "/" + file.name, Encode(file.file));
}

void WriteXmlScenario(const std::string& folder, const Summary& summary, const std::vector<NamedFile>& files,
                      const XmlForm& form)
{
    std::filesystem::remove_all(folder);
    WriteFile(folder + "/Summary.xml", EncodeXmlSummary(summary, form));
    for (const NamedFile& file : files)
        WriteFile(folder + "/" + XmlPathOf(file.name, file.file), EncodeXml(file.file, form));
}

}  // namespace quorvel::build
