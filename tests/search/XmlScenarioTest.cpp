#include "search/Commands.h"
#include "search/Expressions.h"
#include "search/Scenarios.h"

#include "tests/support/RecordingSink.h"
#include "tests/support/TempFolder.h"
#include "tools/builder/Encoding.h"
#include "tools/builder/WidBuilder.h"

#include <gtest/gtest.h>

namespace quorvel::build {
namespace {

using Rows = std::vector<std::string>;

// An XML scenario in a folder, searched as quorvel-cli searches it.
class XmlScenarioTest : public ::testing::Test {
protected:
    TempFolder folder{"xml-scenario"};
    RecordingSink sink;
    Answer answer;

    void put(const std::string& path, const std::string& text) { WriteFile(folder.file(path), text); }

    // A summary declaring flags f1, f2 and steps s1 (old value names) and s2 (new ones).
    void summary()
    {
        put("Summary.xml",
            "<Summary><Property><StartAreaId>1</StartAreaId></Property><Flags>"
            "<Flag><Name>f1</Name><True>開</True><False>閉</False></Flag>"
            "<Flag><Name>f2</Name><True>on</True><False>off</False></Flag>"
            "<Flag><Name>火🔥</Name><True>t</True><False>f</False></Flag></Flags><Steps>"
            "<Step><Name>s1</Name><Value0>零</Value0><Value1>一</Value1></Step>"
            "<Step><Name>s2</Name><Value>a</Value><Value/><Value>c</Value></Step></Steps></Summary>");
    }

    // An area of these events (their <Event> elements) and more elements after them.
    static std::string area(const std::string& title, const std::string& events, const std::string& more = {})
    {
        return "<Area><Property><Id>1</Id><Name>" + title + "</Name></Property><Events>" + events + "</Events>" + more
            + "</Area>";
    }
    static std::string event(const std::string& start, const std::string& contents)
    {
        return "<Event><Contents><Start name=\"" + start + "\"><Contents>" + contents
            + "</Contents></Start></Contents></Event>";
    }

    void run(const char* command)
    {
        answer.clear();
        sink.messages.clear();
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(folder.path().string());
        const TargetWordTable targets = DefaultTargetWords();
        SearchContext context{*source, answer, sink, targets};
        RunCommand(*FindCommand(command), context);
    }

    Rows lines() const
    {
        Rows out;
        for (const KeptText& line : answer.leftLines())
            out.emplace_back(line.shown());
        return out;
    }

    Rows rowsOf(const std::string& name) const
    {
        Rows out;
        for (std::size_t line = 0; line < answer.leftLines().size(); ++line) {
            if (answer.leftLines()[line].shown() != name)
                continue;
            for (const HitRow& row : answer.rowsOf(line)) {
                std::string joined;
                for (const KeptText& text : row.texts)
                    joined.append(joined.empty() ? "" : "|").append(text.shown());
                out.push_back(joined);
            }
            return out;
        }
        ADD_FAILURE() << "no line " << name;
        return out;
    }
};

TEST_F(XmlScenarioTest, DataFilesLieInKindFoldersAtAnyDepthBesideClassicFilesAtTheTop)
{
    summary();
    put("Area/b.xml", area("B", event("s", "<Set type=\"Flag\" flag=\"f1\" value=\"True\"/>")));
    put("more/AREA/a.xml", area("A", event("s", "<Set type=\"Flag\" flag=\"f1\" value=\"False\"/>")));
    put("Material/notes.xml", area("N", event("s", "<Set type=\"Flag\" flag=\"f1\"/>")));
    put("Area/readme.txt", "not a data file");
    File classic;
    classic.kind = 0;
    classic.title = "C";
    classic.events = {Event({Start("s", {WithText(15, "f1")})})};
    WriteFile(folder.file("Area1.wid"), Encode(classic));
    run("flag");
    EXPECT_EQ(lines(), (Rows{"f1", "f2", "火🔥"}));
    EXPECT_EQ(rowsOf("f1"),
              (Rows{"Area/b.xml|B|s[1]|s|変更|開", "Area1.wid|C|s[1]|s|分岐|", "more/AREA/a.xml|A|s[1]|s|変更|閉"}))
        << "in the order of their paths, a name of a classic file finding its declaration in Summary.xml";

    put("Summary.wsm", "any");
    run("flag");
    EXPECT_EQ(sink.messages, (Messages{{"Summary.wsmの読み込みに失敗しました", "I'm sorry!"}}))
        << "a folder with Summary.wsm is classic";
}

TEST_F(XmlScenarioTest, TwoSummariesOrABrokenOneCannotBeRead)
{
    put("Area/a.xml", area("A", event("s", "")));
    put("Summary.xml", "<Summary/>");
    put("SUMMARY.XML", "<Summary/>");
    run("flag");
    EXPECT_EQ(sink.messages, (Messages{{"Summary.xmlの読み込みに失敗しました", "I'm sorry!"}}));
    std::filesystem::remove(folder.file("SUMMARY.XML"));
    put("Summary.xml", "<Summary><Flags>");
    run("step");
    EXPECT_EQ(sink.messages, (Messages{{"Summary.xmlの読み込みに失敗しました", "I'm sorry!"}}));
    put("Area/broken.xml", "<Area>");
    run("item");
    EXPECT_EQ(sink.messages, (Messages{{"Area/broken.xmlの読み込みに失敗しました", "I'm sorry!"}}));
}

TEST_F(XmlScenarioTest, StepValuesAreNamedByPositionAndANameOutsideShiftJisIsFoundExactly)
{
    summary();
    put("Area/a.xml",
        area("A",
             event("s",
                   "<Set type=\"Step\" step=\"s2\" value=\"2\"/><Set type=\"Step\" step=\"s2\" value=\"1\"/>"
                   "<Set type=\"Step\" step=\"s2\" value=\"5\"/><Check type=\"Step\" step=\"s1\" value=\"1\" "
                   "comparison=\"&gt;\"/><Check type=\"Step\" step=\"s1\" value=\"0\" comparison=\"~\"/>"
                   "<Branch type=\"Flag\" flag=\"火🔥\"/>")));
    run("step");
    EXPECT_EQ(rowsOf("s2"),
              (Rows{"Area/a.xml|A|s[1]|s|変更|c", "Area/a.xml|A|s[1]|s|変更|", "Area/a.xml|A|s[1]|s|変更|5"}));
    EXPECT_EQ(rowsOf("s1"), (Rows{"Area/a.xml|A|s[1]|s|判定|＜一", "Area/a.xml|A|s[1]|s|判定|~零"}))
        << "a comparison no code stands for, as written";
    run("flag");
    EXPECT_EQ(rowsOf("火🔥"), (Rows{"Area/a.xml|A|s[1]|s|分岐|"}));
}

TEST_F(XmlScenarioTest, ContentsOnlyTheXmlFormatHasGiveRowsInPassesAfterTheClassicOnes)
{
    summary();
    const std::string contents
        = "<Set type=\"Variant\" flag=\"f2\"><Expression>FLAGVALUE(\"f1\")</Expression></Set>"
          "<Set type=\"Variant\" step=\"s1\"><Expression>STEPMAX(\"s2\") + 1</Expression></Set>"
          "<Branch type=\"Variant\"><Expression>flagtext ( \"f2\" , TRUE) ~ FLAGVALUE(\"a\" ~ \"b\")</Expression>"
          "<Contents><Start name=\"○\"/><Start name=\"○\"/><Start name=\"×\"/></Contents></Branch>"
          "<Check type=\"Variant\"><Expression>FLAGVALUE(\"f1\") $</Expression></Check>"
          "<Replace type=\"BgImage\"><BgImages><BgImage><Flag>f1</Flag></BgImage><TextCell><Flag/></TextCell>"
          "<ColorCell><Flag>f2</Flag></ColorCell></BgImages></Replace>"
          "<Set type=\"Flag\" flag=\"f1\" value=\"true\"/>"
          "<Branch type=\"Coupon\" coupon=\"c1\" targets=\"Party\"><Coupons><Coupon>c2</Coupon><Coupon/>"
          "<Coupon>c1</Coupon><Coupon>c3</Coupon></Coupons></Branch>"
          "<Branch type=\"Select\" method=\"Valued\"><Coupons><Coupon value=\"-3\">c4</Coupon></Coupons></Branch>"
          "<Branch type=\"MultiCoupon\" targets=\"Random\"><Contents><Start name=\"c5\"/><Start name=\"\"/></Contents>"
          "</Branch><Get type=\"Coupon\" coupon=\"c6\" holdingcoupon=\"c7\" targets=\"Selected\"/>"
          "<Effect sound=\"a.wav\" initialsound=\"Material/b.wav\"/>";
    put("Area/a.xml", area("A", event("s", contents)));
    run("flag");
    EXPECT_EQ(rowsOf("f1"),
              (Rows{"Area/a.xml|A|s[1]|s|変更|開", "Area/a.xml|A|s[1]|s|背景置換[0]|",
                    "Area/a.xml|A|s[1]|s|式参照|FLAGVALUE(\"f1\")"}))
        << "the expression with a character no token takes names nothing";
    EXPECT_EQ(rowsOf("f2"),
              (Rows{"Area/a.xml|A|s[1]|s|背景置換[2]|", "Area/a.xml|A|s[1]|s|式代入|FLAGVALUE(\"f1\")",
                    "Area/a.xml|A|s[1]|s|式参照|flagtext ( \"f2\" , TRUE) ~ FLAGVALUE(\"a\" ~ \"b\")"}));
    run("step");
    EXPECT_EQ(rowsOf("s1"), (Rows{"Area/a.xml|A|s[1]|s|式代入|STEPMAX(\"s2\") + 1"}));
    EXPECT_EQ(rowsOf("s2"), (Rows{"Area/a.xml|A|s[1]|s|式参照|STEPMAX(\"s2\") + 1"}));
    run("coupon");
    EXPECT_EQ(lines(), (Rows{"c1", "c2", "c3", "c4", "c5", "c6", "c7"}));
    EXPECT_EQ(rowsOf("c1"), (Rows{"Area/a.xml|A|s[1]|s|分岐|全員"}));
    EXPECT_EQ(rowsOf("c3"), (Rows{"Area/a.xml|A|s[1]|s|分岐|全員"}));
    EXPECT_EQ(rowsOf("c4"), (Rows{"Area/a.xml|A|s[1]|s|評価|-3"}));
    EXPECT_EQ(rowsOf("c5"), (Rows{"Area/a.xml|A|s[1]|s|多岐分岐|誰か"}));
    EXPECT_EQ(rowsOf("c7"), (Rows{"Area/a.xml|A|s[1]|s|所持称号|"}));
    run("sound");
    EXPECT_EQ(lines(), (Rows{"a.wav", "Material/b.wav"}));
    EXPECT_EQ(rowsOf("Material/b.wav"), (Rows{"Area/a.xml|A|s[1]|s|効果開始|"}));
    run("check-branch");
    EXPECT_EQ(rowsOf("チェック！"), (Rows{"Area/a.xml|A|s[1]|s|式分岐|"}));
}

// An empty or missing word is a word as written, not the word of code 0;
// the starting score of a valued selection is @initialValue, so every
// <Coupon> is a coupon, an empty first one too.
TEST_F(XmlScenarioTest, EmptyOrMissingWordsStayAsWrittenAndEveryScoredCouponIsACoupon)
{
    summary();
    put("Area/a.xml",
        area("A",
             event("s",
                   "<Get type=\"Item\" id=\"1\" number=\"1\" targets=\"\"/><Lose type=\"Item\" id=\"1\" number=\"2\"/>"
                   "<Lose type=\"Coupon\" coupon=\"c\" targets=\"\"/><Check type=\"Step\" step=\"s1\" value=\"1\" "
                   "comparison=\"\"/><Check type=\"Step\" step=\"s1\" value=\"0\"/>"
                   "<Talk type=\"Dialog\" targetm=\"Valued\" initialValue=\"5\"><Coupons><Coupon value=\"2\"/>"
                   "<Coupon value=\"3\">c</Coupon></Coupons></Talk>"
                   "<Branch type=\"Select\" method=\"Valued\" initialValue=\"1\"><Coupons><Coupon value=\"4\"></Coupon>"
                   "</Coupons></Branch>")));
    run("item");
    EXPECT_EQ(rowsOf("未定義"), (Rows{"Area/a.xml|A|s[1]|s|入手|1:", "Area/a.xml|A|s[1]|s|喪失|2:"}));
    run("step");
    EXPECT_EQ(rowsOf("s1"), (Rows{"Area/a.xml|A|s[1]|s|判定|一", "Area/a.xml|A|s[1]|s|判定|零"}));
    run("coupon");
    EXPECT_EQ(lines(), (Rows{"", "c"}));
    EXPECT_EQ(rowsOf(""), (Rows{"Area/a.xml|A|s[1]|s|評価|2", "Area/a.xml|A|s[1]|s|評価|4"}));
    EXPECT_EQ(rowsOf("c"), (Rows{"Area/a.xml|A|s[1]|s|削除|", "Area/a.xml|A|s[1]|s|評価|3"}));
}

TEST_F(XmlScenarioTest, ThePartysCardsComeAfterTheCardsAndBeforeTheCellsOfAnArea)
{
    summary();
    put("Area/a.xml",
        area("A", event("s", "<Set type=\"Flag\" flag=\"f1\"/>"),
             "<MenuCards><MenuCard><Property><Name>扉</Name><Flag>f1</Flag></Property><Events>"
                 + event("d", "<Branch type=\"Flag\" flag=\"f1\"/>")
                 + "</Events></MenuCard></MenuCards><BgImages><BgImage><Flag>f1</Flag></BgImage></BgImages>"
                   "<PlayerCardEvents><Events>"
                 + event("p", "<Reverse type=\"Flag\" flag=\"f1\"/>") + "</Events></PlayerCardEvents>"));
    run("flag");
    EXPECT_EQ(rowsOf("f1"),
              (Rows{"Area/a.xml|A|s[1]|s|変更|閉", "Area/a.xml|扉[1]|||カードフラグ|", "Area/a.xml|扉[1]|d[1]|d|分岐|",
                    "Area/a.xml|プレイヤーカード|p[1]|p|反転|", "Area/a.xml|A|||エリアセル[0]|"}));
}

TEST(Expressions, ACallCountsWhenItsOnlyArgumentIsOneStringLiteral)
{
    const std::vector<std::string_view> flags = {"FLAGVALUE", "FLAGTEXT"};
    EXPECT_EQ(NamesCalledWith("FLAGVALUE(\"a\"\"b\") and flagText(\"c\", 1)", flags),
              (std::vector<std::string>{"a\"b", "c"}));
    EXPECT_TRUE(NamesCalledWith("FLAGVALUE(\"a\" ~ \"b\")", flags).empty()) << "a computed name";
    EXPECT_TRUE(NamesCalledWith("FLAGVALUE(@\"v\")", flags).empty()) << "a variant, not a literal";
    EXPECT_TRUE(NamesCalledWith("FLAGVALUE(\"a\") # 1", flags).empty()) << "a character no token takes";
    EXPECT_TRUE(NamesCalledWith("FLAGVALUE(\"open", flags).empty());
    EXPECT_EQ(NamesCalledWith("x <= 1.5 and FLAGVALUE\n(\t\"z\"\r\n)", flags), (std::vector<std::string>{"z"}));
}

}  // namespace
}  // namespace quorvel::build
