// Writes the seed corpora of the fuzz targets, built by the test-scenario
// builder: for the reader, one valid file of each kind and shape, each after
// the target's selector byte (odd: the file is named "Package1.wid"); for the
// summary reader, summaries of several shapes, each after its selector byte
// (odd: the step section is read).
//
// For the XML reader, the XML form of the same files after a selector byte
// naming their kind, and the summaries (selector 8: flags, 24: steps); for
// the archive layer, the demo scenario in a zip, a 7z and an XML .wsn
// (tests/support/make-cab-and-lzh adds a .cab and an .lzh of a folder).
//
// usage: make-fuzz-corpus FOLDER
//   (writes FOLDER/reader/corpus, FOLDER/summary/corpus, FOLDER/xml/corpus, FOLDER/archive/corpus)

#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"
#include "tools/builder/XmlBuilder.h"

#include <filesystem>
#include <iostream>

using namespace quorvel::build;

namespace {

Content twoNames(std::uint8_t kind, const std::string& first, const std::string& second)
{
    Content content = WithText(kind, first);
    content.text2 = second;
    return content;
}

Event sampleEvent()
{
    Content dialogue = Node(40, "talk");
    dialogue.dialogueEntries = {{"coupon", "hello"}, {"", "bye"}};
    Content background = Node(8, "bg");
    background.cells.resize(1);
    background.cells[0].flag = "lamp";
    Content effect = WithText(11, "se.wav");
    effect.effects = {Effect{0x40800, false, {}, {}}, Effect{0x40808, false, {}, {}}};
    Content message = twoNames(6, "face.png", "%flag% $step$ @var@");
    message.children = {Start("%flag%")};
    Event event;
    event.starts = {Start("Start", {Gain(27, 1, 2, 1), WithText(15, "flag"), dialogue, message}),
                    Start("Next", {background, effect, WithNumber(53, 2)})};
    event.keys = {3};
    event.keyDataLength = 4;
    return event;
}

// Every layout the later revisions of the format add.
Event laterEvent()
{
    Content scored = Node(40, "scored");
    scored.option = 3;
    scored.couponScores = {{"", 10}, {"hero", -5}};
    scored.dialogueEntries = {{"", "hi"}};
    Content random = Node(70, "random", {Start("o"), Start("x")});
    random.option2 = 3;
    Content check = WithText(72, "step");
    check.option = 2;
    Content background = Node(8, "bg");
    for (std::uint8_t type : {2, 3}) {
        Cell cell;
        cell.numbers[2] = 60000;
        cell.type = type;
        cell.style = 0x10;
        cell.gradient = 1;
        cell.text = "sign";
        cell.flag = "lamp";
        background.cells.push_back(cell);
    }
    Event event;
    event.starts
        = {Start("Later",
                 {twoNames(66, "a", "b"), twoNames(67, "??Random", "f"), twoNames(68, "a", "b"), twoNames(69, "f", "g"),
                  random, WithText(71, "key"), check, Node(73, "round"), scored, background})};
    return event;
}

Card sampleCard()
{
    Card card;
    card.name = "Card";
    card.flag = "f";
    card.events = {sampleEvent()};
    Effect embedded{0x40808, true, {}, {sampleEvent()}};
    embedded.embeddedDeclarations.flags = {{"\\beast\\flag", {"on", "off"}}};
    card.body.effects = {embedded, Effect{0x40805, false, {}, {}}};
    card.declarations.flags = {{"\\card\\flag", {"on", "off"}}};
    card.declarations.steps = {{"\\card\\step", {"v0", "v1"}}};
    card.declarations.variants = {{"\\card\\var", {"text"}}};
    return card;
}

Summary sampleSummary()
{
    Summary summary;
    StepDeclaration step{"step", {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}};
    summary.steps = {step, step};
    summary.steps[1].nameEndsInZero = false;
    summary.flags = {{"flag", "on", "off"}, {std::string(511, 'f'), "", "x"}};
    summary.variants = {{"var", "String", "x"}, {"n", "Number", "1"}};
    return summary;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-corpus FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "reader" / "corpus";
    const std::filesystem::path summaries = std::filesystem::path(argv[1]) / "summary" / "corpus";
    int written = 0;
    const std::filesystem::path xml = std::filesystem::path(argv[1]) / "xml" / "corpus";
    const std::filesystem::path archives = std::filesystem::path(argv[1]) / "archive" / "corpus";
    auto emit = [&](const std::string& name, bool packageName, const File& file) {
        WriteFile((folder / name).string(), std::string(1, packageName ? '\1' : '\0') + Encode(file));
        const char kindSelector = static_cast<char>(file.packageByName || file.kind > 6 ? 7 : file.kind);
        for (const XmlForm form : {XmlForm{false, true}, XmlForm{true, false}})
            WriteFile(
                (xml / (name.substr(0, name.size() - 4) + (form.contentsLines ? "-lines" : "") + ".xml")).string(),
                std::string(1, kindSelector) + EncodeXml(file, form));
        written += 3;
    };
    auto emitSummary = [&](const std::string& name, const Summary& summary) {
        for (char section : {'\0', '\1'}) {
            WriteFile((summaries / (name + (section ? "-steps" : "-flags") + ".wsm")).string(),
                      std::string(1, section) + EncodeSummary(summary));
            WriteFile((xml / (name + (section ? "-steps" : "-flags") + "-summary.xml")).string(),
                      std::string(1, section ? '\x18' : '\x08')
                          + EncodeXmlSummary(summary, {.numberedStepValues = section != 0}));
        }
        written += 4;
    };
    emitSummary("declared", sampleSummary());
    emitSummary("empty", Summary{});
    Summary cut = sampleSummary();
    cut.closingBytes = 0;
    emitSummary("cut", cut);
    for (std::uint8_t kind : {0, 1, 2, 3, 4, 5, 6, 8}) {
        File file;
        file.kind = kind;
        file.title = "Title";
        file.events = {sampleEvent(), {}};
        file.cards = {sampleCard()};
        file.skills = {sampleCard()};
        file.beasts = {sampleCard()};
        file.cells.resize(2);
        file.body = sampleCard().body;
        file.declarations = sampleCard().declarations;
        emit("kind" + std::to_string(kind) + ".wid", false, file);
    }
    File byName;
    byName.kind = 0;
    byName.packageByName = true;
    byName.events = {sampleEvent()};
    emit("package-by-name.wid", true, byName);
    File later;
    later.kind = 0;
    later.title = "Later";
    later.events = {laterEvent()};
    later.cells = laterEvent().starts[0].children.back().cells;
    emit("later-layouts.wid", false, later);
    later.packageByName = true;
    emit("later-layouts-package.wid", true, later);
    const std::filesystem::path demo = std::filesystem::temp_directory_path() / "quorvel-fuzz-corpus-demo";
    WriteClassicScenario((demo / "classic").string(), DemoSummary(), DemoDataFiles());
    WriteXmlScenario((demo / "xml").string(), DemoSummary(), DemoDataFiles());
    WriteArchive((archives / "classic.zip").string(), EntriesOfFolder((demo / "classic").string(), "Demo/"));
    WriteArchive((archives / "classic.7z").string(), EntriesOfFolder((demo / "classic").string()),
                 ArchiveFormat::SevenZip);
    WriteArchive((archives / "xml.wsn").string(), EntriesOfFolder((demo / "xml").string()));
    std::filesystem::remove_all(demo);
    written += 3;
    std::cout << "wrote " << written << " files to " << argv[1] << "\n";
    return 0;
}
