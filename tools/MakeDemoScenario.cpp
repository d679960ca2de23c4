// Writes the demo scenario into a folder.
//
// usage: make-demo-scenario FOLDER

#include "tools/builder/DemoScenario.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace quorvel::build;
    if (argc != 2) {
        std::cerr << "usage: make-demo-scenario FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::remove_all(folder);
    WriteFile((folder / "Summary.wsm").string(), EncodeSummary(DemoSummary()));
    for (const NamedFile& file : DemoDataFiles())
        WriteFile((folder / file.name).string(), Encode(file.file));
    std::cout << "demo scenario written to " << folder.string() << "\n";
    return 0;
}
