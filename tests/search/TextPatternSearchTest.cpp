#include "search/TextPatternSearch.h"
#include "search/Scenarios.h"
#include "search/ScenariosBelow.h"

#include "tests/support/ScenarioTest.h"
#include "tools/builder/ScenarioFolder.h"

namespace quorvel::build {
namespace {

using Rows = std::vector<std::string>;

// The texts a pattern matches in a field, as UTF-8.
Rows matched(const std::string& pattern, const std::string& field, TextPatternOptions options = {})
{
    auto compiled = TextPattern::Compile(pattern, options);
    EXPECT_TRUE(std::holds_alternative<TextPattern>(compiled)) << pattern;
    const auto found = std::get<TextPattern>(compiled).find(field);
    Rows texts;
    for (const MatchSpan& span : std::get<std::vector<MatchSpan>>(found))
        texts.push_back(field.substr(span.begin, span.end - span.begin));
    return texts;
}

TEST(TextPatternTest, APlainPatternIgnoresCaseAndWidthAndGivesTheSpanAsStored)
{
    EXPECT_EQ(matched("ルシア", "ルシアとﾙｼｱとルーシア"), (Rows{"ルシア", "ﾙｼｱ"}));
    EXPECT_EQ(matched("ガラス", "ｶﾞﾗｽの靴"), Rows{"ｶﾞﾗｽ"});  // two half-width characters make one
    EXPECT_EQ(matched("abc", "xABCx ａｂｃ"), (Rows{"ABC", "ａｂｃ"}));
    EXPECT_EQ(matched("abc", "xABCx ａｂｃ abc", {.matchCase = true}), Rows{"abc"});
    EXPECT_EQ(matched("aa", "aaaaa"), (Rows{"aa", "aa"}));  // matches never overlap
}

TEST(TextPatternTest, FieldsOfAsciiAloneAnswerAsEveryOtherField)
{
    EXPECT_EQ(matched("ａｂｃ", "xABCx abc"), (Rows{"ABC", "abc"}));  // the pattern's width folds away
    EXPECT_EQ(matched("ABC", "abc ABC", {.matchCase = true}), Rows{"ABC"});
    EXPECT_EQ(matched("Abc", "ABC", {.wholeField = true}), Rows{"ABC"});
    EXPECT_TRUE(matched("Abc", "ABCD", {.wholeField = true}).empty());
    EXPECT_TRUE(matched("é", "e").empty());
    EXPECT_TRUE(matched("ｅ\u0301", "e").empty());
}

TEST(TextPatternTest, WholeFieldsAndJoinedLines)
{
    EXPECT_EQ(matched("港町", "港町", {.wholeField = true}), Rows{"港町"});
    EXPECT_TRUE(matched("港町", "港町へ", {.wholeField = true}).empty());
    EXPECT_TRUE(matched("銀貨を", "銀貨\nを渡す").empty());
    EXPECT_EQ(matched("銀貨を", "銀貨  \r\n  を渡す", {.joinLines = true}), Rows{"銀貨  \r\n  を"});
    EXPECT_EQ(matched("a b", "a b", {.joinLines = true}), Rows{"a b"});  // blanks without a break stay
}

TEST(TextPatternTest, RegularExpressionsAreCaseInsensitiveReportBadOnesAndStopRunawayOnes)
{
    EXPECT_EQ(matched("ルー?シア", "ルシア、ルーシア、ﾙｼｱ", {.regex = true}), (Rows{"ルシア", "ルーシア"}));
    EXPECT_EQ(matched("gold", "Gold GOLD", {.regex = true}), (Rows{"Gold", "GOLD"}));
    EXPECT_EQ(matched("gold", "Gold GOLD gold", {.matchCase = true, .regex = true}), Rows{"gold"});
    EXPECT_TRUE(matched("x*", "abc", {.regex = true}).empty());  // a match of nothing is no match

    const auto bad = TextPattern::Compile("ab(cd", {.regex = true});
    ASSERT_TRUE(std::holds_alternative<std::string>(bad));
    EXPECT_TRUE(std::get<std::string>(bad).starts_with("正規表現が正しくありません: 位置 "))
        << std::get<std::string>(bad);

    const auto runaway = std::get<TextPattern>(TextPattern::Compile("(a+)+b", {.regex = true}));
    EXPECT_TRUE(std::holds_alternative<PatternRanAway>(runaway.find(std::string(40, 'a') + "c")));
}

TEST(TextPatternTest, KindWordsAndTheirAsciiGroups)
{
    const auto cards = TextFieldsNamed("card");
    ASSERT_TRUE(cards);
    EXPECT_TRUE(cards->test(static_cast<std::size_t>(TextField::CardName)));
    EXPECT_TRUE(cards->test(static_cast<std::size_t>(TextField::CardDescription)));
    EXPECT_EQ(cards->count(), 2u);
    EXPECT_EQ(TextFieldsNamed("台詞")->count(), 1u);
    EXPECT_FALSE(TextFieldsNamed("cards"));
}

// The text search over scenarios written by both builders.
class TextPatternSearchTest : public ScenarioTest {
protected:
    static Summary summary()
    {
        Summary declared;
        declared.flags = {{Sjis("ルシアの鍵"), Sjis("開"), Sjis("閉")}};
        declared.steps = {{Sjis("進行"), {Sjis("ルシア登場"), "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9"}}};
        return declared;
    }

    // Content texts are given to the builder as the classic form stores them.
    static std::vector<NamedFile> files()
    {
        Content talk = Node(6, Sjis("m"), {Node(3, Sjis("ルシアに従う")), Node(3, Sjis("断る"))});
        talk.text = "Ruthia.bmp";
        talk.text2 = Sjis("ルシア: こんにちは");
        Content dialogue = Node(40, "d");
        dialogue.dialogueEntries = {{Sjis("ルシアの友"), Sjis("ﾙｼｱだよ")}, {"", Sjis("ルーシア")}};
        File area = dataFile(
            0, "ルシアの家",
            {Event({Start(Sjis("ルシア"),
                          {talk, dialogue, WithText(16, Sjis("ルシアの鍵")), WithText(32, Sjis("ルシアの友")),
                           WithText(61, Sjis("ルシアの噂")), WithText(9, std::string(40, 'a'))})})});
        Card card;
        card.name = Sjis("ルシア");
        card.flag = Sjis("ルシアの鍵");
        area.cards = {card};
        return {{"Area1.wid", area}};
    }

    void search(bool xml, const std::string& pattern, TextPatternOptions options = {},
                std::bitset<TextFieldCount> fields = std::bitset<TextFieldCount>().set())
    {
        write(xml, summary(), files());
        searchWritten(pattern, options, fields);
    }

    void write(bool xml, const Summary& declared, const std::vector<NamedFile>& written)
    {
        if (xml)
            WriteXmlScenario(folder.path().string(), declared, written);
        else
            WriteClassicScenario(folder.path().string(), declared, written);
    }

    void searchWritten(const std::string& pattern, TextPatternOptions options = {},
                       std::bitset<TextFieldCount> fields = std::bitset<TextFieldCount>().set())
    {
        answer.clear();
        const std::unique_ptr<ScenarioSource> source = ScenarioAt(folder.path().string());
        SearchContext context{*source, answer, sink, targets};
        TextQuery query{std::get<TextPattern>(TextPattern::Compile(pattern, options)), fields};
        SearchTextPattern(context, query);
    }
};

TEST_F(TextPatternSearchTest, EveryFieldKindInBothFormatsGivesOneRowPerMatchUnderTheTextAsStored)
{
    const Rows expected{
        "ルシア: ||||フラグ|ルシアの鍵; ||||ステップ値|ルシア登場; ||||エリア名|ルシアの家; "
        "|ルシアの家|ルシア[1]|ルシア|フラグ|ルシアの鍵; |ルシアの家|ルシア[1]|ルシア|メッセージ|ルシア: こんにちは; "
        "|ルシアの家|ルシア[1]|ルシア|選択肢|ルシアに従う; |ルシアの家|ルシア[1]|ルシア|スタート|ルシア; "
        "|ルシアの家|ルシア[1]|ルシア|称号|ルシアの友; |ルシアの家|ルシア[1]|ルシア|称号|ルシアの友; "
        "|ルシアの家|ルシア[1]|ルシア|ゴシップ|ルシアの噂; |ルシア[1]|||カード名|ルシア; "
        "|ルシア[1]|||フラグ|ルシアの鍵;",
        "ﾙｼｱ: |ルシアの家|ルシア[1]|ルシア|台詞|ﾙｼｱだよ;",
    };
    for (const bool xml : {false, true}) {
        search(xml, "ﾙｼｱ");
        EXPECT_EQ(everything(false), expected) << (xml ? "XML" : "classic");
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST_F(TextPatternSearchTest, TheSummaryAndCardDescriptionsKeyCodesAndImagePathsOfTheXmlForm)
{
    Summary declared = summary();
    declared.name = Sjis("ルシアの旅");
    declared.author = Sjis("ルシア");
    declared.description = Sjis("ルシアは\\n旅に\n出る");  // an escaped backslash stays one
    std::vector<NamedFile> written = files();
    written[0].file.cards[0].written
        = {Sjis("ルシアの絵"), {"x", Sjis("ルシアの鍵")}, {"A/ruthia1.bmp", "A/ruthia2.bmp"}};
    File item = dataFile(3, "剣");
    item.written = {Sjis("ルシアが使う"), {}, {"ruthia.png"}};
    File cast = dataFile(2, "ルシア");
    Card owned;
    owned.name = Sjis("指輪");
    owned.written = {Sjis("ルシアの指輪"), {}, {}};
    cast.cards = {owned};
    written.push_back({"Item1.wid", item});
    written.push_back({"Mate1.wid", cast});

    write(true, declared, written);
    searchWritten("ルシア", {}, *TextFieldsNamed("summary") | *TextFieldsNamed("解説") | *TextFieldsNamed("keycode"));
    EXPECT_EQ(everything(false),
              Rows{"ルシア: ||||貼紙|ルシアは\\n旅に\n出る; ||||シナリオ名|ルシアの旅; ||||作者|ルシア; "
                   "|ルシア[1]|||解説|ルシアの絵; |ルシア[1]|||キーコード|ルシアの鍵; "
                   "|所有アイテム[1]|||解説|ルシアの指輪; ||||解説|ルシアが使う;"});
    searchWritten("ruthia", {}, *TextFieldsNamed("file"));
    EXPECT_EQ(
        rowsOf("ruthia"),
        (Rows{"Area/Area1.xml|ルシア[1]|||ファイル名|A/ruthia1.bmp",
              "Area/Area1.xml|ルシア[1]|||ファイル名|A/ruthia2.bmp", "ItemCard/Item1.xml||||ファイル名|ruthia.png"}));

    write(false, declared, written);  // the classic form keeps none of them where Quorvel reads
    searchWritten("ルシア", {}, *TextFieldsNamed("summary") | *TextFieldsNamed("解説") | *TextFieldsNamed("keycode"));
    EXPECT_TRUE(answer.leftLines().empty());
}

TEST_F(TextPatternSearchTest, TheCellNamesAndCardGroupsXmlContentsName)
{
    Content replace = Node(xml_only::ReplaceBgImage, "r");
    replace.cellName = Sjis("ルシアの窓");
    Content move = Node(xml_only::UnknownContent, "m");
    move.cardGroup = Sjis("ルシアの仲間");
    write(true, summary(), {{"Area1.wid", dataFile(0, "家", {Event({Start("s", {replace, move})})})}});
    searchWritten("ルシア", {}, *TextFieldsNamed("cell"));
    EXPECT_EQ(everything(false),
              Rows{"ルシア: |家|s[1]|s|セル名称|ルシアの窓; |家|s[1]|s|カードグループ|ルシアの仲間;"});
}

TEST_F(TextPatternSearchTest, OnlyTheKindsAskedForAndOnlyTheSpellingAsked)
{
    search(false, "ルシア", {.matchCase = true}, *TextFieldsNamed("dialogue") | *TextFieldsNamed("choice"));
    EXPECT_EQ(everything(false), Rows{"ルシア: |ルシアの家|ルシア[1]|ルシア|選択肢|ルシアに従う;"});
    search(true, "ル[ー]?シア$", {.regex = true}, *TextFieldsNamed("dialogue"));
    EXPECT_EQ(everything(false), Rows{"ルーシア: |ルシアの家|ルシア[1]|ルシア|台詞|ルーシア;"});
}

TEST_F(TextPatternSearchTest, ARunawayExpressionAnswersNothingButSaysSo)
{
    search(true, "(.+)+x", {.regex = true});
    EXPECT_TRUE(answer.leftLines().empty());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages.front().first, "正規表現の照合に時間がかかりすぎるため中止しました");
}

TEST_F(TextPatternSearchTest, AFolderOfScenariosIsSearchedScenarioByScenarioAndAnUnreadableOneIsOneMessage)
{
    const auto root = folder.path();
    WriteClassicScenario((root / "b" / "classic").string(), summary(), files());
    WriteXmlScenario((root / "a" / "xml").string(), summary(), files());
    WriteFile((root / "a" / "broken.wsn").string(), "not an archive");
    WriteFile((root / "b" / "classic" / "deeper" / "ignored.wsn").string(), "inside a scenario: not looked at");

    const std::vector<std::string> places = ScenariosBelow(root.string());
    ASSERT_EQ(places, (Rows{"a/broken.wsn", "a/xml", "b/classic"}));
    const std::vector<std::unique_ptr<ScenarioSource>> scenarios = OpenScenariosBelow(root.string());
    std::vector<const ScenarioSource*> searched;
    for (const std::unique_ptr<ScenarioSource>& scenario : scenarios)
        searched.push_back(scenario.get());
    SearchContext context{*searched.front(), answer, sink, targets};
    TextQuery query{std::get<TextPattern>(TextPattern::Compile("ﾙｼｱの家", {})), *TextFieldsNamed("title")};
    SearchTextPatternIn(context, searched, query);
    EXPECT_EQ(rowsOf("ルシアの家"),
              (Rows{"a/xml/Area/Area1.xml||||エリア名|ルシアの家", "b/classic/Area1.wid||||エリア名|ルシアの家"}));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages.front().first, "a/broken.wsnの読み込みに失敗しました");
}

}  // namespace
}  // namespace quorvel::build
