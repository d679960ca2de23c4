#include "search/ScenarioFileList.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(MatchesPattern, WildcardsAndLetterCase)
{
    EXPECT_TRUE(MatchesPattern("Area1.wid", "Area*.wid"));
    EXPECT_TRUE(MatchesPattern("AREA1.WID", "Area*.wid"));
    EXPECT_TRUE(MatchesPattern("Area.wid", "Area*.wid"));
    EXPECT_FALSE(MatchesPattern("Area1.wid.bak", "Area*.wid"));
    EXPECT_FALSE(MatchesPattern("MyArea1.wid", "Area*.wid"));
    EXPECT_TRUE(MatchesPattern("Item12.wid", "Item??.wid"));
    EXPECT_FALSE(MatchesPattern("Item1.wid", "Item??.wid"));
    EXPECT_TRUE(MatchesPattern("Summary", "*.*"));
    EXPECT_TRUE(MatchesPattern("a.b.wid", "*.wid"));
}

TEST(ScenarioFileList, ListsMatchingOrdinaryFilesInCaseInsensitiveOrder)
{
    build::TempFolder folder("filelist");
    for (const char* name :
         {"item2.wid", "Area1.wid", "Battle1.wid", "area2.WID", ".Area0.wid", "Area3.txt", "Summary.wsm", "Mate1.wid"})
        folder.touch(name);
    std::filesystem::create_directories(folder.path() / "Area9.wid");  // a folder

    ScenarioFileList list;
    list.setFolder(folder.path().string());
    EXPECT_EQ(list.names("Item*.wid;Area*.wid;Battle*.wid"),
              (std::vector<std::string>{"Area1.wid", "area2.WID", "Battle1.wid", "item2.wid"}));
    EXPECT_EQ(list.fullPath("Area1.wid"), folder.file("Area1.wid"));

    list.setFolder(folder.path().string() + "/");
    EXPECT_EQ(list.fullPath("Area1.wid"), folder.file("Area1.wid")) << "no doubled separator";
}

TEST(ScenarioFileList, ReadsTheFolderWhenSetOrRefreshedAndMasksPickFromIt)
{
    build::TempFolder folder("reread");
    folder.touch("Area1.wid");
    folder.touch("Summary.wsm");
    ScenarioFileList list;
    list.setFolder(folder.path().string());
    ASSERT_EQ(list.names("Area*.wid").size(), 1u);

    folder.touch("Area2.wid");
    EXPECT_EQ(list.names("Summary.wsm"), (std::vector<std::string>{"Summary.wsm"}));
    list.setFolder(folder.path().string());
    EXPECT_EQ(list.names("area*.wid"), (std::vector<std::string>{"Area1.wid"})) << "a mask picks from what was read";

    std::string upper = folder.path().string();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    list.setFolder(upper);
    EXPECT_EQ(list.names("area*.wid").size(), 1u) << "folders compare ignoring case";

    list.refresh();
    EXPECT_EQ(list.names("area*.wid"), (std::vector<std::string>{"Area1.wid", "Area2.wid"}));
    EXPECT_EQ(list.names("*.*").size(), 3u);
}

TEST(ScenarioFileList, MissingFolderListsNothing)
{
    ScenarioFileList list;
    list.setFolder("/nonexistent/quorvel");
    EXPECT_TRUE(list.names("*.wid").empty());
}

}  // namespace
}  // namespace quorvel
