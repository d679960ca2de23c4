#include "app/Settings.h"
#include "app/History.h"
#include "app/ProfileFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quorvel {
namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ProfileInteger, DecimalHexadecimalAndNotANumber)
{
    EXPECT_EQ(ParseProfileInteger("120"), 120);
    EXPECT_EQ(ParseProfileInteger("-5000"), -5000);
    EXPECT_EQ(ParseProfileInteger("+7"), 7);
    EXPECT_EQ(ParseProfileInteger("0x20"), 32);
    EXPECT_EQ(ParseProfileInteger("0X1f"), 31);
    EXPECT_EQ(ParseProfileInteger("$10"), 16);
    EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseProfileInteger("0x"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("$"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("12abc"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger(""), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("4294967296"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
}

TEST(ProfileFile, ReadsTextsWithDefaultsAndTheLengthLimit)
{
    build::TempFolder folder("profile-read");
    const std::string path = folder.touch("q.ini",
                                          "[PATH]\r\nOpenPath=\r\nRireki1=C:\\\r\nlong=" + std::string(3000, 'x')
                                              + "\r\n[other]\r\nRireki2=no\r\n");
    const ProfileFile file(path);
    EXPECT_EQ(file.readText("PATH", "OpenPath", "C:\\"), "");
    EXPECT_EQ(file.readText("path", "rireki1", "default"), "C:\\");
    EXPECT_EQ(file.readText("PATH", "Rireki2", "C:\\"), "C:\\");
    EXPECT_EQ(file.readText("PATH", "long", "").size(), 2047u);
    EXPECT_EQ(file.readInteger("PATH", "Missing", 42), 42);
    EXPECT_EQ(ProfileFile(folder.file("absent.ini")).readInteger("WINSIZE", "Top", 124), 124);
}

TEST(ProfileFile, WritingOneValueKeepsEveryOtherLine)
{
    build::TempFolder folder("profile-write");
    const std::string path
        = folder.touch("q.ini", "; comment\r\n[WINSIZE]\r\nTop=1\r\nCustom=keep\r\n\r\n[Mine]\r\na=b\r\n");
    ProfileFile file(path);
    ASSERT_TRUE(file.writeInteger("WINSIZE", "Top", 99));
    ASSERT_TRUE(file.writeInteger("WINSIZE", "Left", 5));
    ASSERT_TRUE(file.writeText("PATH", "OpenPath", "C:\\"));
    EXPECT_EQ(contents(path),
              "; comment\r\n[WINSIZE]\r\nTop=99\r\nCustom=keep\r\nLeft=5\r\n\r\n[Mine]\r\na=b\r\n"
              "[PATH]\r\nOpenPath=C:\\\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ(ProfileFile(path).readText("PATH", "OpenPath", ""), "C:\\");
}

TEST(ProfileFile, AFailedWriteLeavesTheFileAsItWas)
{
    build::TempFolder folder("profile-fail");
    const std::string path = folder.touch("q.ini", "[A]\r\nk=1\r\n");
    std::filesystem::create_directories(path + ".tmp");  // the temporary file cannot be made
    ProfileFile file(path);
    EXPECT_FALSE(file.writeText("A", "k", "2"));
    EXPECT_EQ(contents(path), "[A]\r\nk=1\r\n");
}

TEST(Settings, PathReplacesTheProgramsExtension)
{
    EXPECT_EQ(SettingsPathFor("/opt/quorvel/quorvel"), "/opt/quorvel/quorvel.ini");
    EXPECT_EQ(SettingsPathFor("/opt/quorvel/quorvel.exe"), "/opt/quorvel/quorvel.ini");
    EXPECT_EQ(SettingsPathFor("/opt/v1.2/quorvel"), "/opt/v1.2/quorvel.ini");
}

TEST(Settings, LiveBesideTheProgramWhenTheyCanElseInTheUsersConfigFolder)
{
    build::TempFolder folder("settings-place");
    const std::string program = folder.file("bin/quorvel");
    bool writable = true;
    const SettingsPlaces places{[&](const std::string&) { return writable; }, folder.file("config")};
    EXPECT_EQ(ChooseSettingsPath(program, places), folder.file("bin/quorvel.ini"));

    writable = false;
    const std::string inConfig = folder.file("config/quorvel/quorvel.ini");
    EXPECT_EQ(ChooseSettingsPath(program, places), inConfig);
    SettingsValues values;
    values.paneLeft = 222;
    ASSERT_TRUE(SaveSettings(inConfig, values)) << "the folder is made on the first close";
    EXPECT_EQ(LoadSettings(inConfig).paneLeft, 222);

    folder.touch("bin/quorvel.ini", "[PANESIZE]\r\nLeft=150\r\n");
    EXPECT_EQ(ChooseSettingsPath(program, places), folder.file("bin/quorvel.ini")) << "an existing file is kept";

    EXPECT_FALSE(PlacesOfThisUser().folderIsWritable("/usr/bin"));
}

TEST(Settings, RoundTripAndDefaults)
{
    build::TempFolder folder("settings");
    const std::string path = folder.file("q.ini");
    const SettingsValues defaults = LoadSettings(path);
    EXPECT_EQ(defaults.left, 197);
    EXPECT_EQ(defaults.columnWidths[6], 90);
    EXPECT_EQ(defaults.history[2], "C:\\");

    SettingsValues changed;
    changed.top = -3000;
    changed.paneLeft = 200;
    changed.columnWidths[3] = 7;
    changed.openPath = "";
    changed.history[0] = "/home/a/Scenario/S/Area1.wid";
    ASSERT_TRUE(SaveSettings(path, changed));
    const SettingsValues back = LoadSettings(path);
    EXPECT_EQ(back.top, -3000);
    EXPECT_EQ(back.paneLeft, 200);
    EXPECT_EQ(back.columnWidths[3], 7);
    EXPECT_EQ(back.openPath, "") << "an empty OpenPath reads back empty, not as the default";
    EXPECT_EQ(back.history[0], changed.history[0]);
    EXPECT_EQ(back.history[1], "C:\\");
}

TEST(Settings, HexadecimalAndBrokenWidthsFromAHandEditedFile)
{
    build::TempFolder folder("settings-hex");
    const std::string path = folder.touch("q.ini", "[PANESIZE]\r\nWidth3=0x20\r\nWidth4=wide\r\nWidth5=$10\r\n");
    const SettingsValues v = LoadSettings(path);
    EXPECT_EQ(v.columnWidths[3], 32);
    EXPECT_EQ(v.columnWidths[4], 100);
    EXPECT_EQ(v.columnWidths[5], 16);
}

TEST(History, OpeningShiftsSlotsByFolder)
{
    const std::string a = "/s/Scenario/A/Area1.wid", b = "/s/Scenario/B/Area1.wid", c = "/s/Scenario/C/x.wid";
    HistorySlots slots = {EmptyHistorySlot, EmptyHistorySlot, EmptyHistorySlot};
    EXPECT_TRUE(RecordOpenedFile(slots, a));
    EXPECT_TRUE(RecordOpenedFile(slots, b));
    EXPECT_TRUE(RecordOpenedFile(slots, c));
    EXPECT_EQ(slots, (HistorySlots{c, b, a}));

    EXPECT_FALSE(RecordOpenedFile(slots, "/s/Scenario/C/other.wid")) << "slot 1's folder: nothing changes";
    EXPECT_EQ(slots[0], c);

    EXPECT_TRUE(RecordOpenedFile(slots, "/s/Scenario/A/Battle.wid"));  // slot 3's folder moves up
    EXPECT_EQ(slots, (HistorySlots{"/s/Scenario/A/Battle.wid", c, b}));

    EXPECT_TRUE(RecordOpenedFile(slots, "/s/Scenario/C/y.wid"));  // slot 2's folder
    EXPECT_EQ(slots, (HistorySlots{"/s/Scenario/C/y.wid", "/s/Scenario/A/Battle.wid", b}));

    EXPECT_TRUE(RecordOpenedFile(slots, "/s/Scenario/D/z.wid"));  // a fourth folder drops slot 3
    EXPECT_EQ(slots, (HistorySlots{"/s/Scenario/D/z.wid", "/s/Scenario/C/y.wid", "/s/Scenario/A/Battle.wid"}));

    EXPECT_TRUE(RecordOpenedFile(slots, "/s/scenario/d/z.wid")) << "folders compare with case";
}

TEST(History, AnArchiveIsASlotOfItsOwnShownByItsPath)
{
    const std::string a = "/s/Scenario/a.wsn", b = "/s/Scenario/b.ZIP", folder = "/s/Scenario/x.wid";
    HistorySlots slots = {EmptyHistorySlot, EmptyHistorySlot, EmptyHistorySlot};
    EXPECT_TRUE(RecordOpenedFile(slots, a));
    EXPECT_TRUE(RecordOpenedFile(slots, b)) << "two archives in one folder are two slots";
    EXPECT_TRUE(RecordOpenedFile(slots, folder)) << "and the folder they lie in a third";
    EXPECT_EQ(slots, (HistorySlots{folder, b, a}));
    EXPECT_FALSE(RecordOpenedFile(slots, "/s/Scenario/y.wid"));
    EXPECT_TRUE(RecordOpenedFile(slots, a));
    EXPECT_EQ(slots, (HistorySlots{a, folder, b}));
    EXPECT_EQ(HistoryCaption(a), "a.wsn");
    EXPECT_EQ(HistoryCaption("/elsewhere/c.lzh"), "/elsewhere/c.lzh");
}

TEST(History, MovingASlotToTheFront)
{
    HistorySlots slots = {"1", "2", "3"};
    EXPECT_FALSE(MoveSlotToFront(slots, 0));
    EXPECT_EQ(slots, (HistorySlots{"1", "2", "3"}));
    EXPECT_TRUE(MoveSlotToFront(slots, 2));
    EXPECT_EQ(slots, (HistorySlots{"3", "1", "2"}));
    EXPECT_TRUE(MoveSlotToFront(slots, 1));
    EXPECT_EQ(slots, (HistorySlots{"1", "3", "2"}));
}

TEST(History, Captions)
{
    EXPECT_EQ(HistoryCaption("/d/Game/Scenario/Sample/Area1.wid"), "Sample");
    EXPECT_EQ(HistoryCaption("/d/Game/Scenario/Series/Part1/Area1.wid"), "Series/Part1");
    EXPECT_EQ(HistoryCaption("/d/Game/Scenario/Area1.wid"), "");
    EXPECT_EQ(HistoryCaption("/d/Game/scenario/S/Area1.wid"), "/d/Game/scenario/S");
    EXPECT_EQ(HistoryCaption("/d/MyScenario/Scenario/S/A.wid"), "Scenario/S") << "the first occurrence counts";
}

}  // namespace
}  // namespace quorvel
