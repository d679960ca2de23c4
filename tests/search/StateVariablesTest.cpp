#include "scenario/ContentKind.h"
#include "search/Commands.h"
#include "search/Scenarios.h"
#include "search/TextReferences.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/ScenarioFolder.h"

namespace quorvel::build {
namespace {

using Rows = std::vector<std::string>;
namespace xk = xml_only;

// Scenarios of the XML format's fourth revision: variants, the flags,
// steps and variants a card declares for its own events, and names shown
// inside texts. Written by the XML builder, searched as quorvel-cli does.
class StateVariablesTest : public ScenarioTest {
protected:
    // Flags "f" and "L", step "s", variant "v".
    static Summary summary()
    {
        Summary declared;
        declared.flags = {{"f", "on", "off"}, {"L", "global-on", "global-off"}};
        declared.steps = {{"s", {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}}};
        declared.variants = {{"v", "String", "x"}};
        return declared;
    }

    void runXml(const std::vector<NamedFile>& files, const char* command)
    {
        WriteXmlScenario(folder.path().string(), summary(), files);
        answer.clear();
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(folder.path().string());
        SearchContext context{*source, answer, sink, targets};
        RunCommand(*FindCommand(command), context);
    }

    static Content message(const std::string& text, std::vector<Content> choices = {})
    {
        Content talk = Node(6, "m", std::move(choices));
        talk.text2 = text;
        return talk;
    }
    static Content setting(std::int8_t target, const std::string& name, const std::string& expression)
    {
        Content set = Node(xk::SetVariant);
        set.option = target;  // 0 a variant, 1 a flag, 2 a step
        set.text = name;
        set.text2 = expression;
        return set;
    }
    static Content flagChange(const std::string& flag)
    {
        Content change = WithText(16, flag);
        change.option = 1;
        return change;
    }
    static Effect summoning(const std::string& name, std::vector<Event> events, CardDeclarations declared = {})
    {
        Effect effect;
        effect.type = 0x40808;
        effect.embedsCard = true;
        effect.embeddedName = name;
        effect.embeddedEvents = std::move(events);
        effect.embeddedDeclarations = std::move(declared);
        return effect;
    }

    // A skill that declares flag "L" (and "unused") for its own events, uses
    // "L" and summons a beast that declares flag "B" and uses "L" and "B".
    static File skillWithLocals()
    {
        File skill = dataFile(5, "Sk", {Event({Start("use", {flagChange("L"), WithText(15, "B")})})});
        skill.declarations.flags = {{"L", {"local-on", "local-off"}}, {"unused", {"a", "b"}}};
        Content summon = Node(11, "summon");
        CardDeclarations beastDeclares;
        beastDeclares.flags = {{"B", {"b-on", "b-off"}}};
        summon.effects
            = {summoning("beast", {Event({Start("b", {WithText(15, "L"), WithText(15, "B")})})}, beastDeclares)};
        skill.events.front().starts.front().children.push_back(summon);
        return skill;
    }
};

TEST_F(StateVariablesTest, ACardsOwnDeclarationIsALineOfItsOwnThatOnlyItsOwnEventsMean)
{
    File otherSkill = dataFile(5, "Sk2", {Event({Start("use", {WithText(15, "L")})})});
    otherSkill.declarations.flags = {{"L", {"on2", "off2"}}};
    File area = dataFile(0, "A", {Event({Start("a", {WithText(15, "L")})})});
    runXml({{"Area1.wid", area}, {"Skill1.wid", skillWithLocals()}, {"Skill2.wid", otherSkill}}, "flag");
    EXPECT_EQ(everything(),
              (Rows{"f:", "L: Area/Area1.xml|A|a[1]|a|分岐|; SkillCard/Skill1.xml|beast[召喚]|b[1]|b|分岐|;",
                    "未定義: SkillCard/Skill1.xml|Sk|use[1]|use|分岐|;",
                    "L [SkillCard/Skill1.xml]: SkillCard/Skill1.xml|Sk|use[1]|use|変更|local-on;",
                    "unused [SkillCard/Skill1.xml]:",
                    "B [SkillCard/Skill1.xml]: SkillCard/Skill1.xml|beast[召喚]|b[1]|b|分岐|;",
                    "L [SkillCard/Skill2.xml]: SkillCard/Skill2.xml|Sk2|use[1]|use|分岐|;"}))
        << "an embedded beast sees its own declarations, not those of the card embedding it";
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(StateVariablesTest, TheChecksNeverCallALocalUseUndefinedAndListUnusedLocalDeclarations)
{
    File cast = dataFile(2, "Cast", {});
    Card owned;
    owned.name = "owned";
    owned.events = {Event({Start("o", {WithText(15, "mine"), WithText(15, "??Player1")})})};
    owned.declarations.flags = {{"mine", {"t", "f"}}};
    Card linked = owned;
    linked.linkId = 3;  // stands for a card file: declares nothing, runs nothing here
    cast.skills = {owned, linked};
    File area = dataFile(
        0, "A",
        {Event({Start(
            "a", {WithText(15, "mine"), setting(0, "w", "VAR(\"v\")"), setting(1, "f", "1"), setting(2, "s", "1")})})});
    const std::vector<NamedFile> files{{"Area1.wid", area}, {"Mate1.wid", cast}, {"Skill1.wid", skillWithLocals()}};
    runXml(files, "check-undefined");
    EXPECT_EQ(
        everything(),
        (Rows{"フラグ: B: SkillCard/Skill1.xml|Sk|use[1]|use|分岐|;", "フラグ: mine: Area/Area1.xml|A|a[1]|a|分岐|;",
              "コモン: w: Area/Area1.xml|A|a[1]|a|式代入|VAR(\"v\");"}))
        << "a local name used outside its card means the scenario's; ??… names are the engine's";
    runXml(files, "check-unused");
    EXPECT_EQ(
        everything(),
        (Rows{"フラグ: unused [SkillCard/Skill1.xml]: SkillCard/Skill1.xml|Sk|||フラグ定義|;",
              "スキル: 1 Sk: SkillCard/Skill1.xml|Sk|||定義|;", "キャスト: 1 Cast: CastCard/Mate1.xml|Cast|||定義|;"}))
        << "the beast's use of L means the scenario's L";
}

TEST_F(StateVariablesTest, VariantsAreSetReadAndShownWhereverTheFormatNamesThem)
{
    Content talk = Node(40, "d");
    talk.dialogueEntries = {{"", "@v@ and @w@ and @v"}};
    File area
        = dataFile(0, "A",
                   {Event({Start("a",
                                 {setting(0, "v", "VAR(\"v\") ~ @\"v\" ~ VAR(\"v\" ~ \"\")"), setting(1, "v", "0"),
                                  setting(0, "", "1"), message("value: @v@", {Node(10, Sjis("@v@を選ぶ"))}), talk})})});
    runXml({{"Area1.wid", area}}, "variant");
    const std::string expression = "VAR(\"v\") ~ @\"v\" ~ VAR(\"v\" ~ \"\")";
    EXPECT_EQ(everything(),
              (Rows{"v: Area/Area1.xml|A|a[1]|a|式代入|" + expression + "; Area/Area1.xml|A|a[1]|a|式参照|" + expression
                        + "; Area/Area1.xml|A|a[1]|a|式参照|" + expression
                        + "; Area/Area1.xml|A|a[1]|a|テキスト参照|value: @v@; Area/Area1.xml|A|a[1]|a|テキスト参照|"
                          "@v@を選ぶ; Area/Area1.xml|A|a[1]|a|テキスト参照|@v@ and @w@ and @v;",
                    "未定義: Area/Area1.xml|A|a[1]|a|式代入|1;"}))
        << "an undeclared name in a text is no use; a flag setting is not a variant's";
}

TEST_F(StateVariablesTest, NamesInsideTextsAreUsesOfDeclaredNamesInTheClassicFormatToo)
{
    Content talk = Node(40, "d");
    talk.dialogueEntries = {{"", Sjis("$s$に%f%")}};
    File area = dataFile(
        0, "A", {Event({Start("a", {message(Sjis("%f%は50%引き%"), {Node(10, "%f%"), Node(10, "%f")}), talk})})});
    add("Area1.wid", area);
    addBytes("Summary.wsm", EncodeSummary(summary()));
    RunCommand(*FindCommand("flag"), context());
    EXPECT_EQ(rowsOf("f"),
              (Rows{"Area1.wid|A|a[1]|a|テキスト参照|%f%は50%引き%", "Area1.wid|A|a[1]|a|テキスト参照|%f%",
                    "Area1.wid|A|a[1]|a|テキスト参照|$s$に%f%"}));
    EXPECT_EQ(leftLines(), (Rows{"f", "L"})) << "a percent sign in prose names nothing";
    RunCommand(*FindCommand("step"), context());
    EXPECT_EQ(rowsOf("s"), (Rows{"Area1.wid|A|a[1]|a|テキスト参照|$s$に%f%"}));
}

TEST(TextReferences, ANameStandsBetweenTwoMarkersOnOneLineAndNeverInsideADoubleByteCharacter)
{
    const auto namesIn = [](const Text& text, char marker) {
        Rows names;
        ForEachTextReference(text, marker, [&](const Text& name) { names.emplace_back(name.bytes()); });
        return names;
    };
    EXPECT_EQ(namesIn(Text::Unicode("%a%%b%% c\n%d\ne% %%"), '%'), (Rows{"a", "b", " "}));
    // "ァ" is 0x83 0x40: its trail byte is no '@'.
    EXPECT_EQ(namesIn(Text::ShiftJis("\x83\x40@x@\x83\x40"), '@'), (Rows{"x"}));
    EXPECT_EQ(namesIn(Text::Stored(std::string("%a%") + '\0'), '%'), (Rows{"a"}));
}

}  // namespace
}  // namespace quorvel::build
