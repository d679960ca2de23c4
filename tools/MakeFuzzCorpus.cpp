// Writes the reader fuzzer's seed corpus: one valid file of each kind and
// shape, built by the test-scenario builder. Each file starts with the fuzz
// target's selector byte (odd: the file is named "Package1.wid").
//
// usage: make-fuzz-corpus FOLDER

#include "tools/builder/WidBuilder.h"

#include <filesystem>
#include <iostream>

using namespace quorvel::build;

namespace {

Event sampleEvent()
{
    Content dialogue = Node(40, "talk");
    dialogue.serifs = {{"coupon", "hello"}, {"", "bye"}};
    Content background = Node(8, "bg");
    background.cells.resize(1);
    background.cells[0].flag = "lamp";
    Content effect = WithText(11, "se.wav");
    effect.effects = {Effect{0x40800, false, {}, {}}, Effect{0x40808, false, {}, {}}};
    Event event;
    event.starts = {Start("Start", {Gain(27, 1, 2, 1), WithText(15, "flag"), dialogue}),
                    Start("Next", {background, effect, WithNumber(53, 2)})};
    event.keys = {3};
    event.keyDataLength = 4;
    return event;
}

Card sampleCard()
{
    Card card;
    card.name = "Card";
    card.flag = "f";
    card.events = {sampleEvent()};
    Effect embedded{0x40808, true, {}, {sampleEvent()}};
    card.body.effects = {embedded, Effect{0x40805, false, {}, {}}};
    return card;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-corpus FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    int written = 0;
    auto emit = [&](const std::string& name, bool packageName, const File& file) {
        WriteFile((folder / name).string(), std::string(1, packageName ? '\1' : '\0') + Encode(file));
        ++written;
    };
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
        emit("kind" + std::to_string(kind) + ".wid", false, file);
    }
    File byName;
    byName.kind = 0;
    byName.packageByName = true;
    byName.events = {sampleEvent()};
    emit("package-by-name.wid", true, byName);
    std::cout << "wrote " << written << " files to " << folder.string() << "\n";
    return 0;
}
