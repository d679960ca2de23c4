#include "scenario/XmlReader.h"
#include "scenario/ContentKind.h"

#include "tests/support/Bytes.h"
#include "tests/support/TextEquality.h"
#include "tools/builder/Encoding.h"
#include "tools/builder/XmlBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

using namespace std::literals;

std::optional<DataFile> read(const std::string& xml, FileKind kind = FileKind::Area)
{
    return ReadXmlDataFile("Area/a.xml", kind, build::BytesOf(xml));
}

// An area whose one event has these contents in its <Contents>.
std::string areaWith(const std::string& contents, const std::string& more = {})
{
    return "<Area><Property><Id>3</Id><Name>町</Name></Property><Events><Event><Contents>" + contents
        + "</Contents></Event></Events>" + more + "</Area>";
}

TEST(XmlValues, NumbersBooleansAndEscapedTextsAsTheFormatWritesThem)
{
    EXPECT_EQ(XmlNumber(" 42\n"), 42);
    EXPECT_EQ(XmlNumber("+7"), 7);
    EXPECT_EQ(XmlNumber("3.0"), 3);
    EXPECT_EQ(XmlNumber("3.7"), 3);
    EXPECT_EQ(XmlNumber("-2.5"), -2);
    EXPECT_EQ(XmlNumber(".5"), 0);
    EXPECT_EQ(XmlNumber("-2147483648"), INT32_MIN);
    for (const char* notANumber :
         {"", " ", "1e3", "0x10", "abc", "2147483648", "-2147483649", "1.2.3", ".", "-", "1 2"})
        EXPECT_FALSE(XmlNumber(notANumber).has_value()) << notANumber;
    for (const char* yes : {"true", "True", "TRUE", " 1 ", "tRuE"})
        EXPECT_TRUE(XmlBoolean(yes)) << yes;
    for (const char* no : {"", "false", "0", "yes", "2"})
        EXPECT_FALSE(XmlBoolean(no)) << no;
    EXPECT_EQ(UnescapedXmlText("a\\nb\\\\c\\d"), "a\nb\\cd");
    EXPECT_EQ(UnescapedXmlText("end\\"), "end") << "a backslash at the very end is dropped";
}

TEST(XmlReader, ReadsTitleIdAndTheContentsOfTheirClassicKinds)
{
    const std::optional<DataFile> file = read(
        areaWith(R"(<Start name="s"><Contents><Get type="Item" name="g" id="5" number="2" targets="Backpack"/>)"
                 R"(<Set type="Step" name="" step="段" value="3"/><Branch type="Coupon" coupon="c" targets="Field"/>)"
                 R"(<Check type="Step" step="x" value="1" comparison="&lt;&gt;"/></Contents></Start>)"));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->title, "町");
    EXPECT_EQ(file->title.encoding(), TextEncoding::Unicode);
    EXPECT_EQ(file->id, 3) << "no offset";
    const Content& start = file->events[0].starts[0];
    EXPECT_EQ(start.name, "s");
    ASSERT_EQ(start.children.size(), 4u);
    const ContentDetail& gain = start.children[0].detail;
    EXPECT_EQ(start.children[0].kind, 27);
    EXPECT_EQ(gain.number, 5);
    EXPECT_EQ(gain.amount, 2);
    EXPECT_EQ(gain.option, 3);
    EXPECT_EQ(start.children[1].detail.text, "段");
    EXPECT_EQ(start.children[1].detail.number, 3);
    EXPECT_EQ(start.children[2].detail.option, 3) << "the coupon branch's own table";
    EXPECT_EQ(start.children[3].detail.option, 1);
}

TEST(XmlReader, AContentsLineIsTheSameTreeAsNestedContents)
{
    const std::optional<DataFile> nested
        = read(areaWith(R"(<Start name="s"><Contents><Branch type="Flag" name="" flag="F"><Contents>)"
                        R"(<Talk type="Message" name="○"/><End name="×"/></Contents></Branch></Contents></Start>)"));
    const std::optional<DataFile> line
        = read(areaWith(R"(<ContentsLine><Start name="s"/><Branch type="Flag" name="" flag="F"><Contents>)"
                        R"(<Talk type="Message" name="○"/><End name="×"/></Contents></Branch></ContentsLine>)"));
    ASSERT_TRUE(nested && line);
    for (const DataFile* file : {&*nested, &*line}) {
        const Content& start = file->events[0].starts[0];
        ASSERT_EQ(start.children.size(), 1u);
        const Content& branch = start.children[0];
        EXPECT_EQ(branch.kind, 15);
        EXPECT_EQ(branch.detail.text, "F");
        ASSERT_EQ(branch.children.size(), 2u);
        EXPECT_EQ(branch.children[0].name, "○");
        EXPECT_EQ(branch.children[1].kind, 3);
    }
    const std::optional<DataFile> empty = read(areaWith("<ContentsLine/><Start name=\"t\"/>"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->events[0].starts.size(), 1u) << "an empty line stands for nothing";
}

TEST(XmlReader, UnknownThingsAreNoFailureAndTheFirstOfRepeatedElementsCounts)
{
    const std::optional<DataFile> file
        = read("<System><Property><Name>一</Name><Id>x</Id></Property><Property><Name>二</Name></Property>"
               "<Unknown><Deep/></Unknown><Events><Event><Contents><Start name=\"s\"><Contents>"
               "<Future type=\"Thing\" name=\"f\"><Contents><Get type=\"Gossip\" gossip=\"g\"/></Contents></Future>"
               "</Contents></Start></Contents></Event></Events></System>");
    ASSERT_TRUE(file.has_value()) << "an unexpected root is read by the folder's kind";
    EXPECT_EQ(file->title, "一");
    EXPECT_EQ(file->id, -1) << "an id that is not a number";
    const Content& unknown = file->events[0].starts[0].children[0];
    EXPECT_EQ(unknown.kind, xml_only::UnknownContent);
    ASSERT_EQ(unknown.children.size(), 1u) << "its children are kept";
    EXPECT_EQ(unknown.children[0].detail.text, "g");
    EXPECT_EQ(read("<Area/>")->id, -1) << "no id at all";
}

TEST(XmlReader, ControlBytesAreRemovedOnlyWhenTheFileDoesNotParseWithThem)
{
    const std::string broken = areaWith("<Start name=\"a\x01"
                                        "b\x7F\"/>");
    const std::optional<DataFile> cleaned = read(broken);
    ASSERT_TRUE(cleaned.has_value());
    EXPECT_EQ(cleaned->events[0].starts[0].name, "ab");
    const std::optional<DataFile> kept = read(areaWith("<Start name=\"a\x7F\"/>"));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->events[0].starts[0].name, "a\x7F") << "a well-formed file keeps its 0x7F";
    EXPECT_FALSE(read(areaWith("<Start name=\"\xff\"/>")).has_value()) << "invalid UTF-8";
    EXPECT_FALSE(read(areaWith("<Start name=\"a\" name=\"b\"/>")).has_value()) << "an attribute twice";
    EXPECT_FALSE(read("<Area>").has_value());
    EXPECT_FALSE(read("").has_value());
}

TEST(XmlReader, CardsByReferenceHaveNoEventsAndThePartysCardsHaveTheirOwn)
{
    const std::string events = "<Events><Event><Contents><Start name=\"e\"/></Contents></Event></Events>";
    const std::optional<DataFile> area
        = read("<Area><MenuCards><MenuCard><Property><Name>扉</Name><Flag>f</Flag><LinkId>0</LinkId></Property>"
               + events + "</MenuCard><MenuCard><Property><Name>像</Name><LinkId>4</LinkId></Property>" + events
               + "</MenuCard></MenuCards><PlayerCardEvents>" + events + "</PlayerCardEvents></Area>");
    ASSERT_TRUE(area.has_value());
    ASSERT_EQ(area->cards.size(), 2u);
    EXPECT_EQ(area->cards[0].events.size(), 1u);
    EXPECT_EQ(area->cards[0].flag, "f");
    EXPECT_TRUE(area->cards[1].events.empty()) << "searched in the file it names";
    EXPECT_EQ(area->cards[1].number, 1);
    EXPECT_EQ(area->playerCardEvents.size(), 1u);
    const std::optional<DataFile> cast
        = ReadXmlDataFile("CastCard/c.xml", FileKind::Mate,
                          build::BytesOf("<CastCard><ItemCards><ItemCard><Property><Id>7</Id><Name>剣</Name></Property>"
                                         + events + "</ItemCard></ItemCards></CastCard>"));
    ASSERT_TRUE(cast.has_value());
    EXPECT_EQ(cast->cards[0].number, 7);
}

TEST(XmlReader, TreesOfAnyDepthAreReadWithoutRecursion)
{
    std::string deep;
    constexpr int Depth = 100000;
    for (int i = 0; i < Depth; ++i)
        deep += "<Branch type=\"Flag\" flag=\"f\"><Contents>";
    for (int i = 0; i < Depth; ++i)
        deep += "</Contents></Branch>";
    const std::optional<DataFile> file = read(areaWith("<Start name=\"s\"><Contents>" + deep + "</Contents></Start>"));
    ASSERT_TRUE(file.has_value());
    const Content* content = &file->events[0].starts[0];
    int depth = 0;
    while (!content->children.empty()) {
        content = &content->children[0];
        ++depth;
    }
    EXPECT_EQ(depth, Depth);
}

TEST(XmlReader, EveryCutOfAWrittenFileFailsCleanlyOrLoads)
{
    build::File area;
    area.kind = 0;
    area.title = build::Sjis("港町");
    build::Content talk = build::Node(40, build::Sjis("話"));
    talk.dialogueEntries = {{"", "a\r\nb"}, {"c", "d"}};
    area.events = {build::Event({build::Start("s", {build::Gain(27, 1, 2, 3), talk, build::WithText(15, "f")})})};
    area.cards = {{"card", 40001, 0, "flag", {build::Event({build::Start("c")})}, {}}};
    area.cells = {{{1, 2, 3, 4}, "", "cell"}};
    for (const bool lines : {false, true}) {
        const std::string xml = build::EncodeXml(area, {lines, true});
        ASSERT_TRUE(read(xml).has_value());
        std::size_t loaded = 0;
        for (std::size_t cut = 0; cut < xml.size(); ++cut)
            loaded += read(xml.substr(0, cut)).has_value();
        EXPECT_LE(loaded, 2u) << "only cuts in the white space after the root";
    }
}

}  // namespace
}  // namespace quorvel
