#include "bench/BenchScenarios.h"

#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/ScenarioFolder.h"

#include "scenario/ContentKind.h"

#include "scenario/FileSystem.h"
#include "search/ScenarioFileList.h"

#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace quorvel::bench {

namespace {

using namespace quorvel::build;
using build::Card;
using build::Content;
using build::Event;
using build::File;
using build::Summary;

std::string sj(int i, const char* stem)
{
    return std::string(stem) + std::to_string(i);
}

// The names the contents use: flags and steps of the summary among them.
std::string usedName(int i)
{
    return sj(i % 500, "text_of_the_scene_and_its_step_");
}

// 46 contents and 110 texts in about 3 KB: every content named, most of
// them naming a flag, a step, a coupon, a gossip, a sound or a start; one
// in ten gains or loses an item.
Event denseEvent(int seed)
{
    const std::uint8_t textKinds[] = {15, 9, 61, 1, 18, 43, 52, 65, 41, 32};
    std::vector<Content> rows;
    for (int r = 0; r < 4; ++r) {
        Content row = Start(sj(seed + r, "\x8f\xea\x96\xca\x82\xcc\x96\xbc\x91\x4f"));  // 場面の名前
        for (int i = 0; i < 10; ++i) {
            Content c = i > 0 ? WithText(textKinds[i % 10], usedName(seed + i))
                : r % 2 == 0  ? Gain(27, (seed * 7 + r) % 120, r % 4, static_cast<std::int8_t>(r % 6))
                              : Gain(34, (seed + r * 13) % 130, 1, 2);
            c.name = sj(i, "\x93\xae\x8d\xec\x82\xcc\x90\xe0\x96\xbe");  // 動作の説明
            row.children.push_back(std::move(c));
        }
        rows.push_back(std::move(row));
    }
    return Event({Start(sj(seed, "start_of_event_"), std::move(rows)), Start("second", {WithText(52, "start1")})});
}

// One owned card whose body is mostly the blocks of its images.
Card imageCard(int seed)
{
    Card card;
    card.name = sj(seed, "card");
    card.storedId = 40000 + seed % 120;
    card.body.blockLength = 8000;
    card.events = {Event({Start("use", {Gain(27, seed % 120, 1, 1), Gain(34, seed % 90, 0, 2)})})};
    return card;
}

// N flags and N steps named as the contents name them, from the 250th on:
// 250 used names stay undeclared, 250 are declared and used, the rest are
// declared and never used; every hundredth is declared twice.
Summary summaryOf(int names)
{
    Summary summary;
    for (int i = 250; i < 250 + names; ++i) {
        const std::string name = sj(i, "text_of_the_scene_and_its_step_");
        const int times = i % 100 == 0 ? 2 : 1;
        for (int t = 0; t < times; ++t) {
            summary.flags.push_back({name, "on", "off"});
            summary.steps.push_back({name, {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}});
        }
    }
    return summary;
}

// What only the XML form holds, added to it: 2,000 variants; the event of
// every item sets one (one in five of them undeclared) from an expression
// reading two and shows one in a message; every tenth item declares a
// flag, a step and a variant of its own, which its event uses.
void addVersionFourParts(Summary& summary, std::vector<NamedFile>& files)
{
    const auto variant = [](int i) { return sj(i, "variant_of_the_scene_"); };
    for (int i = 0; i < 2000; ++i)
        summary.variants.push_back({variant(i), "Number", "0"});
    int item = 0;
    for (NamedFile& named : files) {
        if (named.file.kind != 3 || named.file.events.empty())
            continue;
        std::vector<Content>& contents = named.file.events.front().starts.front().children;
        Content setting = Node(xml_only::SetVariant, "set");
        setting.text = variant(item * 7 % 2500);
        setting.text2 = "VAR(\"" + variant(item) + "\") + @\"" + variant(item + 1) + "\"";
        Content message = Node(6, "say");
        message.text2 = "@" + variant(item * 3 % 2000) + "@ and %" + usedName(item) + "%";
        contents.push_back(setting);
        contents.push_back(message);
        if (item % 10 == 0) {
            const std::string own = "\\" + sj(item, "item") + "\\";
            named.file.declarations.flags = {{own + "flag", {"on", "off"}}};
            named.file.declarations.steps = {{own + "step", {"v0", "v1"}}};
            named.file.declarations.variants = {{own + "variant", {"0"}}};
            Content ownSetting = Node(xml_only::SetVariant, "own");
            ownSetting.text = own + "variant";
            ownSetting.text2 = "1";
            contents.push_back(WithText(15, own + "flag"));
            contents.push_back(WithText(41, own + "step"));
            contents.push_back(ownSetting);
        }
        ++item;
    }
}

// The size and count of the files below a folder.
void measure(Scenario& scenario)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scenario.folder))
        if (entry.is_regular_file()) {
            scenario.bytes += entry.file_size();
            ++scenario.files;
        }
}

// The files beside the data of the content-dense scenario: a sound file
// in Material for half of the 500 sound names its contents play (the rest
// are missing), and 1,000 pictures nothing shows.
void writeMaterials(const std::string& folder)
{
    for (int i = 0; i < 500; i += 2)
        WriteFile(folder + "/Material/" + usedName(i), std::string(64, 's'));
    for (int i = 0; i < 1000; ++i)
        WriteFile(folder + "/Material/" + sj(i, "picture") + ".png", std::string(64, 'p'));
}

// The scenario in each form: classic, XML beside it, and that packed as a .wsn.
Scenarios write(const std::filesystem::path& path, const Summary& summary, const std::vector<NamedFile>& files,
                bool withMaterials)
{
    Scenarios forms;
    forms.classic.folder = path.string();
    forms.xml.folder = path.string() + "-xml";
    WriteClassicScenario(forms.classic.folder, summary, files);
    Summary xmlSummary = summary;
    std::vector<NamedFile> xmlFiles = files;
    addVersionFourParts(xmlSummary, xmlFiles);
    WriteXmlScenario(forms.xml.folder, xmlSummary, xmlFiles);
    if (withMaterials) {
        writeMaterials(forms.classic.folder);
        writeMaterials(forms.xml.folder);
    }
    measure(forms.classic);
    measure(forms.xml);
    forms.wsn = forms.xml;
    forms.wsn.folder = path.string() + ".wsn";
    WriteArchive(forms.wsn.folder, EntriesOfFolder(forms.xml.folder));
    return forms;
}

Scenarios writeScenario(const std::string& name, bool dense)
{
    const auto path = std::filesystem::temp_directory_path() / ("quorvel-command-bench-" + name);
    std::vector<NamedFile> files;
    const int items = dense ? 120 : 90;
    for (int i = 0; i < items; ++i) {
        File item;
        item.kind = 3;
        item.title = sj(i, "\x96\xf2\x91\x90");  // 薬草
        item.storedId = 40000 + i;
        item.body.blockLength = dense ? 20 : 4000;
        item.events = {dense ? denseEvent(i) : Event({Start("use", {Gain(34, i, 1, 0)})})};
        files.push_back({sj(i, "Item") + ".wid", item});
    }
    const int others = dense ? 880 : 540;
    for (int i = 0; i < others; ++i) {
        File file;
        file.title = sj(i, "\x8a\x58");  // 街
        file.storedId = 40000 + i;
        if (dense) {
            file.kind = 0;
            for (int e = 0; e < 9; ++e)
                file.events.push_back(denseEvent(i + e));
            files.push_back({sj(i, "Area") + ".wid", file});
        } else {
            file.kind = 2;
            file.cards = {imageCard(i)};
            files.push_back({sj(i, "Mate") + ".wid", file});
        }
    }
    return write(path, summaryOf(4000), files, dense);
}

// A folder of another scenario's files (linked, not copied), its own summary beside them.
Scenario withSummary(const Scenario& of, const std::string& folder, const std::string& summaryName,
                     const std::string& summary)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(of.folder)) {
        const std::filesystem::path relative = entry.path().lexically_relative(of.folder);
        if (entry.is_directory())
            std::filesystem::create_directories(std::filesystem::path(folder) / relative);
        else if (relative != summaryName)
            std::filesystem::create_hard_link(entry.path(), std::filesystem::path(folder) / relative);
    }
    WriteFile(folder + "/" + summaryName, summary);
    Scenario scenario = of;
    scenario.folder = folder;
    return scenario;
}

}  // namespace

const Scenarios& denseScenarios()
{
    static const Scenarios scenarios = writeScenario("dense", true);
    return scenarios;
}

const Scenarios& skipScenarios()
{
    static const Scenarios scenarios = writeScenario("skip", false);
    return scenarios;
}

const Scenario& denseScenario()
{
    return denseScenarios().classic;
}

const Scenario& skipScenario()
{
    return skipScenarios().classic;
}

Scenario manyNames(int names)
{
    const auto path = std::filesystem::temp_directory_path() / ("quorvel-command-bench-names" + std::to_string(names));
    return withSummary(denseScenario(), path.string(), "Summary.wsm", EncodeSummary(summaryOf(names)));
}

Scenario manyNamesXml(int names)
{
    const auto path
        = std::filesystem::temp_directory_path() / ("quorvel-command-bench-names" + std::to_string(names) + "-xml");
    return withSummary(denseScenarios().xml, path.string(), "Summary.xml", EncodeXmlSummary(summaryOf(names)));
}

std::vector<std::string> masksOf(const std::string& command)
{
    // The files the use pass of most commands reads.
    const std::string usePass = "Package*.wid;Area*.wid;Battle*.wid;Mate*.wid;Skill*.wid;Beast*.wid;Item*.wid";
    const std::pair<const char*, const char*> idSearches[]
        = {{"item", "Item*.wid"},       {"skill", "Skill*.wid"}, {"info", "Info*.wid"},    {"beast", "Beast*.wid"},
           {"package", "Package*.wid"}, {"area", "Area*.wid"},   {"battle", "Battle*.wid"}};
    for (const auto& [name, mask] : idSearches)
        if (command == name)
            return {mask, usePass};
    if (command == "flag" || command == "step")
        return {"Summary.wsm", usePass};
    return {usePass};
}

void readEveryFile(const std::string& folder)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) {
            std::optional<quorvel::FileBytes> bytes = quorvel::ReadFileBytes(entry.path().string());
            benchmark::DoNotOptimize(bytes);
        }
}

void unpackEveryEntry(const std::string& archivePath)
{
    const std::unique_ptr<archive, decltype(&archive_read_free)> reader(archive_read_new(), archive_read_free);
    archive_read_support_format_all(reader.get());
    archive_read_support_filter_all(reader.get());
    if (archive_read_open_filename(reader.get(), archivePath.c_str(), 64 * 1024) != ARCHIVE_OK)
        return;
    std::vector<char> block(64 * 1024);
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK)
        while (archive_read_data(reader.get(), block.data(), block.size()) > 0)
            benchmark::DoNotOptimize(block.data());
}

void readTheSameFiles(const std::string& folder, const std::vector<std::string>& masks)
{
    quorvel::ScenarioFileList files;
    files.setFolder(folder);
    for (const std::string& mask : masks) {
        for (const std::string& name : files.names(mask)) {
            std::optional<quorvel::FileBytes> bytes = quorvel::ReadFileBytes(files.fullPath(name));
            benchmark::DoNotOptimize(bytes);
        }
    }
}

double Median(std::vector<double> seconds)
{
    if (seconds.empty())
        return 0;
    std::sort(seconds.begin(), seconds.end());
    const std::size_t middle = seconds.size() / 2;
    return seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
}

}  // namespace quorvel::bench
