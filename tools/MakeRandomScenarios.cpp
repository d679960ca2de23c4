// Writes random scenarios from a seed, each in the classic form and in the
// XML form, for comparing the answers of two builds: every content kind
// with random fields, names of every kind in odd letter case, kind bytes
// that disagree with the name, ids used twice, names from a small pool so
// that uses meet declarations, beasts embedded in effects, and now and then
// a damaged data file or summary.
//
// usage: make-random-scenarios SEED COUNT FOLDER [no-beasts]
// writes FOLDER/r<n>-classic and FOLDER/r<n>-xml for n = 0 .. COUNT-1, and
// every fourth XML form also as FOLDER/r<n>.wsn (every eighth cut short).

#include "scenario/ClassicLayout.h"
#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/Encoding.h"
#include "tools/builder/ScenarioFolder.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quorvel::build;

class RandomScenario {
public:
    RandomScenario(std::uint64_t seed, bool withBeasts) : random_(seed), withBeasts_(withBeasts) { }

    Summary summary()
    {
        Summary made;
        for (int i = below(6); i > 0; --i)
            made.flags.push_back({name(), name(), name()});
        for (int i = below(6); i > 0; --i) {
            StepDeclaration step;
            step.name = name();
            for (std::string& value : step.valueNames)
                value = chance(3) ? name() : std::string();
            made.steps.push_back(step);
        }
        made.startAreaId = between(-1, 4);
        return made;
    }

    std::vector<NamedFile> files()
    {
        std::vector<NamedFile> made;
        for (int i = between(2, 12); i > 0; --i)
            made.push_back(file());
        return made;
    }

private:
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return below(oneIn) == 0; }
    template <typename T>
    const T& pick(const std::vector<T>& from)
    {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

    // Names that flags, steps, coupons, gossips, starts and sounds share, so
    // that every kind of use meets every kind of declaration.
    std::string name()
    {
        static const std::vector<std::string> pool = {
            "",
            "f1",
            "F1",
            "s1",
            Sjis("旗"),
            Sjis("段階"),
            Sjis("称号"),
            "c1",
            "g1",
            "a.wav",
            "Material/a.wav",
            "start",
            "Start",
            Sjis("スタート"),
            "??Random",
            Sjis("ｶﾅ"),
            Sjis("カナ"),
            "x y",
            "end",
            "\\flag",
            Sjis("港町"),
        };
        return pick(pool);
    }

    std::int32_t id()
    {
        static const std::vector<std::int32_t> pool = {0, 1, 2, 3, 4, 5, -1, 40001, 40002, 2147483647};
        return pick(pool);
    }

    Content content(int depth)
    {
        Content made = Node(static_cast<std::uint8_t>(below(quorvel::LastContentKind + 1)), name());
        made.text = name();
        made.text2 = name();
        made.number = id();
        made.amount = between(-1, 3);
        made.option = static_cast<std::int8_t>(between(-1, 6));
        made.option2 = static_cast<std::int8_t>(between(0, 3));
        made.wordsWrittenEmpty = chance(5);
        if (made.kind == 12 && chance(3))
            for (int i = between(1, 3); i > 0; --i)
                made.couponScores.push_back({chance(3) ? std::string() : name(), between(-5, 10)});
        if (made.kind == 40) {
            for (int i = below(4); i > 0; --i)
                made.dialogueEntries.push_back({chance(2) ? name() : std::string(), name()});
            if (chance(2)) {
                made.option = 3;
                for (int i = below(4); i > 0; --i)
                    made.couponScores.push_back({chance(3) ? std::string() : name(), between(-5, 10)});
            }
        }
        if (made.kind == 8)
            for (int i = below(3); i > 0; --i) {
                Cell cell;
                cell.flag = name();
                cell.text = name();
                if (chance(2))
                    cell.numbers[2] = 60000 + below(3);
                made.cells.push_back(cell);
            }
        if (made.kind == 11 && withBeasts_ && depth < 3 && chance(2))
            made.effects.push_back(summon(depth));
        if (depth < 4)
            for (int i = below(depth == 0 ? 4 : 3); i > 0; --i)
                made.children.push_back(content(depth + 1));
        return made;
    }

    // An effect that embeds a beast with events of its own.
    Effect summon(int depth)
    {
        Effect effect;
        effect.type = 0x40808;
        effect.embedsCard = true;
        effect.embeddedBody = {CardBody{}};
        effect.embeddedName = name();
        effect.embeddedEvents = events(depth + 1);
        return effect;
    }

    std::vector<Event> events(int depth = 0)
    {
        std::vector<Event> made;
        for (int e = below(3); e > 0; --e) {
            Event event;
            for (int s = between(1, 3); s > 0; --s)
                event.starts.push_back(Start(name(), {content(depth + 1)}));
            made.push_back(event);
        }
        return made;
    }

    std::vector<Card> cards(int count)
    {
        std::vector<Card> made;
        for (int i = 0; i < count; ++i) {
            Card card;
            card.name = name();
            card.flag = chance(2) ? name() : std::string();
            card.storedId = 40000 + id();
            card.castId = id();
            card.events = events();
            if (withBeasts_ && chance(4))
                card.body.effects.push_back(summon(1));
            made.push_back(card);
        }
        return made;
    }

    NamedFile file()
    {
        static const std::vector<std::pair<std::string, std::uint8_t>> prefixes = {
            {"Area", 0}, {"area", 0},  {"Battle", 1}, {"Mate", 2},    {"Item", 3},    {"ITEM", 3},
            {"Info", 4}, {"Skill", 5}, {"Beast", 6},  {"Package", 8}, {"package", 8},
        };
        static const std::vector<std::uint8_t> kinds = {0, 1, 2, 3, 4, 5, 6, 8};
        const auto& [prefix, kind] = pick(prefixes);
        File made;
        made.kind = chance(6) ? pick(kinds) : kind;
        made.packageByName = prefix == "Package";
        made.title = name();
        made.storedId = (made.kind == 8 ? 0 : 40000) + id();
        switch (made.kind) {
        case 0:
        case 1:
            made.events = events();
            made.cards = cards(below(3));
            if (made.kind == 0)
                for (int i = below(3); i > 0; --i) {
                    Cell cell;
                    cell.flag = name();
                    made.cells.push_back(cell);
                }
            break;
        case 2:
            made.cards = cards(below(3));
            made.skills = cards(below(2));
            made.beasts = cards(below(2));
            break;
        case 3:
        case 5:
        case 6:
            made.events = events();
            if (withBeasts_ && chance(3))
                made.body.effects.push_back(summon(1));
            break;
        case 8:
            made.events = events();
            break;
        default:
            break;
        }
        const std::string japanese = chance(8) ? Sjis("の町") : std::string();
        return {prefix + std::to_string(below(20)) + japanese + ".wid", made};
    }

    std::mt19937_64 random_;
    bool withBeasts_;
};

// Cuts one file of a folder short, where the seed says.
void damageOneFile(const std::filesystem::path& folder, std::mt19937_64& random)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    if (files.empty())
        return;
    const std::filesystem::path victim = files[random() % files.size()];
    const auto size = std::filesystem::file_size(victim);
    std::filesystem::resize_file(victim, size == 0 ? 0 : random() % size);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool withBeasts = argc == 4;
    if (argc != 4 && !(argc == 5 && std::string(argv[4]) == "no-beasts")) {
        std::cerr << "usage: make-random-scenarios SEED COUNT FOLDER [no-beasts]\n";
        return 2;
    }
    try {
        const std::uint64_t seed = std::stoull(argv[1]);
        const int count = std::stoi(argv[2]);
        const std::filesystem::path folder = argv[3];
        std::mt19937_64 damage(seed ^ 0x5eed);
        for (int n = 0; n < count; ++n) {
            RandomScenario random(seed * 1000003 + static_cast<std::uint64_t>(n), withBeasts);
            const Summary summary = random.summary();
            const std::vector<NamedFile> files = random.files();
            const std::string stem = (folder / ("r" + std::to_string(n))).string();
            WriteClassicScenario(stem + "-classic", summary, files);
            XmlForm form;
            form.contentsLines = n % 2 == 1;
            form.numberedStepValues = n % 3 != 0;
            WriteXmlScenario(stem + "-xml", summary, files, form);
            if (n % 4 == 3)
                WriteArchive(stem + ".wsn", EntriesOfFolder(stem + "-xml", n % 8 == 3 ? "" : "Scenario/"));
            if (n % 8 == 7) {
                damageOneFile(stem + "-classic", damage);
                damageOneFile(stem + "-xml", damage);
                std::filesystem::resize_file(stem + ".wsn", std::filesystem::file_size(stem + ".wsn") * 2 / 3);
            }
        }
        std::cout << count << " random scenarios in both forms written to " << folder.string() << "\n";
    } catch (const std::exception& failure) {
        std::cerr << "make-random-scenarios: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
