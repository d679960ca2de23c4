#include "search/MaterialSearch.h"
#include "search/MaterialChecks.h"
#include "search/MaterialPaths.h"
#include "search/Scenarios.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/ScenarioFolder.h"

namespace quorvel::build {
namespace {

using Rows = std::vector<std::string>;

TEST(MaterialPathsTest, PathsAreComparedWithEitherSeparatorAndAnyCaseButNeverOutsideTheScenario)
{
    EXPECT_EQ(MaterialKey("Bgm\\Battle.OGG"), MaterialKey("bgm/battle.ogg"));
    EXPECT_EQ(MaterialKey("./a/../ＡＢ.wav"), MaterialKey("ａｂ.wav"));  // full-width letters have case too
    EXPECT_FALSE(MaterialKey("../outside.wav"));
    EXPECT_FALSE(MaterialKey("a/../../outside.wav"));
    EXPECT_EQ(MaterialKeysOfPath("hit.wav").size(), 2u);  // where it is, or in Material
    EXPECT_EQ(MaterialKeysOfPath("material/hit.wav").size(), 1u);
    EXPECT_TRUE(IsMaterialFile("Bg/Sea.PNG"));
    EXPECT_TRUE(IsMaterialFile("a.midi"));
    EXPECT_FALSE(IsMaterialFile("Area1.wid"));
    EXPECT_FALSE(IsMaterialFile("png/readme"));
}

TEST(MaterialPathsTest, TheEnginesMarkersAndEmptyPathsNameNoFile)
{
    EXPECT_TRUE(NamesNoFile(""));
    EXPECT_TRUE(NamesNoFile("??Random"));
    EXPECT_TRUE(NamesNoFile("Material/??Selected"));
    EXPECT_TRUE(NamesNoFile("Bgm\\??Battle"));
    EXPECT_FALSE(NamesNoFile("a??.wav"));
    EXPECT_FALSE(NamesNoFile("??dir/a.wav"));  // only the file name counts
}

class MaterialSearchTest : public ScenarioTest {
protected:
    // Content texts are given to the builder as the classic form stores them.
    static std::vector<NamedFile> files()
    {
        Content talk = Node(6, "m");
        talk.text = "Talk\\ruthia.bmp";
        Content effect = WithText(11, "hit.wav");
        effect.initialSound = "charge.wav";  // the XML form only
        Content background = Node(8, "b");
        background.cells = {Cell{}};
        background.cells.front().image = "Bg/sea.png";  // the XML form only
        File area = dataFile(0, "港",
                             {Event({Start("s",
                                           {talk, WithText(7, "Bgm/town.ogg"), WithText(9, "hit.wav"), effect,
                                            WithText(9, "Material/??Random"), WithText(9, ""), background})})});
        Card card;
        card.name = "c";
        card.written.imagePaths = {"Card/c.png"};  // the XML form only
        area.cards = {card};
        area.cells = {Cell{}};
        area.cells.front().image = "Bg/town.png";  // the XML form only
        File item = dataFile(3, "剣");
        item.written.imagePaths = {"Card/sword.png"};  // the XML form only
        return {{"Area1.wid", area}, {"Item1.wid", item}};
    }

    void search(bool xml)
    {
        if (xml)
            WriteXmlScenario(folder.path().string(), {}, files());
        else
            WriteClassicScenario(folder.path().string(), {}, files());
        answer.clear();
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(folder.path().string());
        SearchContext context{*source, answer, sink, targets};
        SearchMaterials(context);
    }
};

TEST_F(MaterialSearchTest, EveryPathAContentNamesInBothFormsAndTheXmlFormsCardAndCellImages)
{
    const Rows both{
        "Bgm/town.ogg: |港|s[1]|s|BGM|;",
        "hit.wav: |港|s[1]|s|効果音|; |港|s[1]|s|効果|;",
        "Talk\\ruthia.bmp: |港|s[1]|s|話者画像|;",
    };
    search(false);
    EXPECT_EQ(everything(false), both);
    EXPECT_TRUE(sink.messages.empty());

    search(true);
    const Rows xml{
        "Bg/sea.png: |港|s[1]|s|背景|;",
        "Bg/town.png: |港|||セル画像|;",
        "Bgm/town.ogg: |港|s[1]|s|BGM|;",
        "Card/c.png: |c[1]|||画像|;",
        "Card/sword.png: ||||画像|;",
        "charge.wav: |港|s[1]|s|効果開始|;",
        "hit.wav: |港|s[1]|s|効果音|; |港|s[1]|s|効果|;",
        "Talk\\ruthia.bmp: |港|s[1]|s|話者画像|;",
    };
    EXPECT_EQ(everything(false), xml);
}

// The checks, over a scenario with files of its own beside its data.
class MaterialCheckTest : public MaterialSearchTest {
protected:
    void check(bool xml, void (*run)(SearchContext&), const std::string& archive = {})
    {
        if (xml)
            WriteXmlScenario(folder.path().string(), {}, files());
        else
            WriteClassicScenario(folder.path().string(), {}, files());
        for (const char* file :
             {"bgm/TOWN.ogg", "Material/hit.wav", "Card/c.png", "pic/old.png", "readme.txt", "Material/??Random"})
            WriteFile(folder.file(file), "material");
        WriteFile((folder.path().parent_path() / "outside.wav").string(), "not the scenario's");
        answer.clear();
        std::string path = folder.path().string();
        if (!archive.empty()) {
            path = (folder.path().parent_path() / archive).string();
            WriteArchive(path, EntriesOfFolder(folder.path().string(), "Scenario/"));
        }
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(path);
        SearchContext context{*source, answer, sink, targets};
        run(context);
    }
};

TEST_F(MaterialCheckTest, APathNoFileAnswersInFoldersAndArchivesOfBothForms)
{
    for (const bool xml : {false, true})
        for (const std::string archive : {"", "scenario.wsn"}) {
            check(xml, CheckMissingMaterials, archive);
            // Bgm/town.ogg answers to bgm/TOWN.ogg, hit.wav to Material/hit.wav, Card/c.png is there.
            const Rows expected = xml
                ? Rows{"Bg/sea.png: |港|s[1]|s|背景|;", "Bg/town.png: |港|||セル画像|;", "Card/sword.png: ||||画像|;",
                       "charge.wav: |港|s[1]|s|効果開始|;", "Talk\\ruthia.bmp: |港|s[1]|s|話者画像|;"}
                : Rows{"Talk\\ruthia.bmp: |港|s[1]|s|話者画像|;"};
            EXPECT_EQ(everything(false), expected) << xml << archive;
        }
}

TEST_F(MaterialCheckTest, AFileNoPathNamesIsListedByItsPath)
{
    for (const bool xml : {false, true}) {
        check(xml, CheckUnusedMaterials);
        // Not readme.txt, nor the data files; the card image only the XML form names.
        EXPECT_EQ(leftLines(), xml ? Rows{"pic/old.png"} : (Rows{"Card/c.png", "pic/old.png"}));
        EXPECT_EQ(rows(static_cast<int>(leftLines().size()) - 1), Rows{"pic/old.png||||素材|"});
    }
}

TEST_F(MaterialCheckTest, APathThatClimbsOutOfTheScenarioNeverAnswers)
{
    std::vector<NamedFile> climbing = files();
    climbing.front().file.events.front().starts.front().children.push_back(WithText(9, "../outside.wav"));
    WriteClassicScenario(folder.path().string(), {}, climbing);
    WriteFile((folder.path().parent_path() / "outside.wav").string(), "not the scenario's");
    const std::unique_ptr<ScenarioSource> source = ScenarioAt(folder.path().string());
    SearchContext context{*source, answer, sink, targets};
    CheckMissingMaterials(context);
    EXPECT_EQ(rowsOf("../outside.wav"), Rows{"Area1.wid|港|s[1]|s|効果音|"});
}

}  // namespace
}  // namespace quorvel::build
