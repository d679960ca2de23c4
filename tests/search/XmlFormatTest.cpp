#include "search/Commands.h"
#include "search/FolderSource.h"
#include "search/Scenarios.h"

#include "tests/support/AnswerJson.h"
#include "tests/support/TempFolder.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/Encoding.h"
#include "tools/builder/XmlBuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>

namespace quorvel::build {
namespace {

// A content of every classic kind, with the fields its kind has.
File everyKind()
{
    std::vector<Content> contents;
    for (std::uint8_t kind = 1; kind <= LastContentKind; ++kind) {
        Content c = Node(kind, "c" + std::to_string(kind));
        c.number = kind % 5;
        c.amount = kind % 3;
        c.option = static_cast<std::int8_t>(kind % 4);
        c.text = "t" + std::to_string(kind % 7);
        c.text2 = "u" + std::to_string(kind % 3);
        if (kind == 16)
            c.option = 1;
        if (kind == 40) {
            c.option = 3;
            c.couponScores = {{"", 5}, {"hero", 2}};
            c.dialogueEntries = {{"", "one\r\ntwo"}, {"hero", "three"}};
        }
        if (kind == 8)
            c.cells = {{{1, 2, 3, 4}, "", "cellflag"}, {{1, 2, 60000, 4}, Sjis("文字"), "", 2}};
        if (kind == 12 || kind == 14 || kind == 25 || kind == 69)
            c.children = {Start("○"), Start(kind == 14 ? "○" : "×")};
        contents.push_back(c);
    }
    File area;
    area.kind = 0;
    area.title = Sjis("全種");
    area.storedId = 40009;
    area.events = {Event({Start(Sjis("始まり"), contents), Start("end", {WithText(1, Sjis("始まり"))})})};
    Card card;
    card.name = Sjis("扉");
    card.flag = "cardflag";
    card.events = {Event({Start("door", {Gain(27, 1, 2, 5)})})};
    area.cards = {card};
    area.cells = {{{1, 2, 3, 4}, "", "areacell"}};
    return area;
}

std::vector<NamedFile> scenarioFiles()
{
    std::vector<NamedFile> files = DemoDataFiles();
    files.push_back({"Area9.wid", everyKind()});
    return files;
}

// Where the XML form of a classic file lies: in the folder of its kind, the
// cast members one folder down, so that paths stand in the order the
// classic names stand in.
std::string xmlPathOf(const NamedFile& file)
{
    const std::string folder = XmlFolderOf(file.file.kind, file.file.packageByName);
    const std::string stem = file.name.substr(0, file.name.size() - 4);
    return (folder == "CastCard" ? "Mate/" : "") + folder + "/" + stem + ".xml";
}

// The answer with each row's file column named as the classic file, and
// line breaks as the XML form keeps them.
std::string comparable(const std::string& json, const std::map<std::string, std::string>& classicNames)
{
    nlohmann::json answer = nlohmann::json::parse(json);
    for (auto& name : answer["names"])
        for (auto& row : name["rows"]) {
            if (const auto classic = classicNames.find(row[0].get<std::string>()); classic != classicNames.end())
                row[0] = classic->second;
            for (auto& text : row) {
                std::string value = text.get<std::string>();
                for (std::size_t at; (at = value.find("\r\n")) != std::string::npos;)
                    value.erase(at, 1);
                text = value;
            }
        }
    return answer.dump();
}

class XmlFormatTest : public ::testing::TestWithParam<XmlForm> { };

TEST_P(XmlFormatTest, EveryCommandAnswersTheXmlFormOfAScenarioAsItAnswersTheClassicForm)
{
    const TempFolder classicFolder("classic-form");
    const TempFolder xmlFolder("xml-form");
    WriteFile(classicFolder.file("Summary.wsm"), EncodeSummary(DemoSummary()));
    WriteFile(xmlFolder.file("Summary.xml"), EncodeXmlSummary(DemoSummary(), GetParam()));
    std::map<std::string, std::string> classicNames{{"Summary.xml", "Summary.wsm"}};
    for (const NamedFile& file : scenarioFiles()) {
        WriteFile(classicFolder.file(file.name), Encode(file.file));
        WriteFile(xmlFolder.file(xmlPathOf(file)), EncodeXml(file.file, GetParam()));
        classicNames[xmlPathOf(file)] = file.name;
    }
    const std::unique_ptr<ScenarioSource> classic = ScenarioAt(classicFolder.path().string());
    const std::unique_ptr<ScenarioSource> xml = ScenarioAt(xmlFolder.path().string());
    ASSERT_EQ(xml->summaryName(), "Summary.xml");
    for (const Command& command : Commands()) {
        if (command.runOnFile)
            continue;
        const std::string fromClassic = AnswerJson(*classic, command, 0);
        EXPECT_EQ(comparable(AnswerJson(*xml, command, 0), classicNames), comparable(fromClassic, {})) << command.name;
        EXPECT_EQ(fromClassic.find("の読み込みに失敗しました"), std::string::npos) << command.name;
    }
    const Command& link = *FindCommand("link");
    for (const NamedFile& file : scenarioFiles()) {
        const DataFileOnDisk classicFile(classicFolder.file(file.name));
        const DataFileOnDisk xmlFile(xmlFolder.file(xmlPathOf(file)));
        EXPECT_EQ(comparable(AnswerJson(xmlFile, link, 0), classicNames),
                  comparable(AnswerJson(classicFile, link, 0), {}))
            << file.name;
    }
}

INSTANTIATE_TEST_SUITE_P(BothTreeFormsAndStepValues, XmlFormatTest,
                         ::testing::Values(XmlForm{false, true}, XmlForm{true, false}));

}  // namespace
}  // namespace quorvel::build
