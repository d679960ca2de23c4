// Writes the demo scenario into a folder, its XML form into a second one
// and that form as a .wsn archive.
//
// usage: make-demo-scenario FOLDER [XML-FOLDER WSN-FILE]

#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/DemoScenario.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace quorvel::build;
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: make-demo-scenario FOLDER [XML-FOLDER WSN-FILE]\n";
        return 2;
    }
    try {
        WriteClassicScenario(argv[1], DemoSummary(), DemoDataFiles());
        WriteDemoMaterials(argv[1]);
        std::cout << "demo scenario written to " << argv[1] << "\n";
        if (argc == 4) {
            Summary declared = DemoSummary();
            std::vector<NamedFile> files = DemoDataFiles();
            AddVersionFourParts(declared, files);
            WriteXmlScenario(argv[2], declared, files);
            WriteDemoMaterials(argv[2]);
            WriteArchive(argv[3], EntriesOfFolder(argv[2]));
            std::cout << "its XML form written to " << argv[2] << " and " << argv[3] << "\n";
        }
    } catch (const std::exception& failure) {
        std::cerr << "make-demo-scenario: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
