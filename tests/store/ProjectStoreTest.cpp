#include <gtest/gtest.h>
#include <cstdlib>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "common/Files.h"
#include "store/ProjectStore.h"
#include "support/TempProgramFolder.h"

using namespace mw;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<std::string> ListedNames(const ProjectStore& store) {
  std::vector<std::string> names;
  for (const auto& p : store.ListProjects()) names.push_back(p.folderName);
  return Sorted(names);
}

}  // namespace

TEST(ProjectStore, NumbersCountEveryFolderButListOnlyRealProjects) {
  mwtest::TempProgramFolder dir;
  ProjectStore store(dir.Folder());
  EXPECT_FALSE(store.ProjectExists());
  EXPECT_EQ(store.NextProjectFolderName(), "Project_0001");

  dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Erstes\r\n");
  dir.Write("Projects/Modell_0003/Project.ini", "[SETTINGS]\r\nTitel=Modell\r\n");  // "DEL" inside
  dir.Write("Projects/Project_0002.bak/Project.ini", "");                           // has a dot
  dir.MakeFolder("Projects/Project_0004");                                          // no Project.ini
  dir.MakeFolder("Projects/Project_abc");                                           // not a number
  dir.Write("Projects/Project_0099", "a file, not a folder");
  EXPECT_EQ(ListedNames(store), std::vector<std::string>{"Project_0001"});
  EXPECT_TRUE(store.ProjectExists());
  EXPECT_EQ(store.NextProjectFolderName(), "Project_0005");
  dir.MakeFolder("Projects/Project_0007");
  EXPECT_EQ(store.NextProjectFolderName(), "Project_0008");
  dir.MakeFolder("Projects/Project_12345");
  EXPECT_EQ(store.NextProjectFolderName(), "Project_12346");
  EXPECT_EQ(store.ListProjects()[0].DisplayText(), "Project_0001 Erstes");
}

TEST(ProjectStore, CreateWritesSettingsAndOneEmptyListPerTemplate) {
  mwtest::TempProgramFolder dir;
  dir.Write("Projects/templates/Google_DE.ini", "[SETTINGS]\r\n");
  dir.Write("Projects/templates/Yahoo_COM.INI", "[SETTINGS]\r\n");
  dir.Write("Projects/templates/Rank.ran", "");
  ProjectStore store(dir.Folder());
  const ProjectSettings settings{"Mein Titel", "Hans", "h@x.de", "http://www."};
  ASSERT_TRUE(store.CreateProject("Project_0001", settings));
  EXPECT_EQ(Sorted(store.PageListFiles("Project_0001")), (std::vector<std::string>{"Google_DE.ser", "Yahoo_COM.ser"}));
  EXPECT_EQ(FileSizeOf(store.PageListPath("Project_0001", "Google_DE")), 0);
  ProjectSettings read;
  ASSERT_TRUE(store.ReadProjectSettings("Project_0001", read));
  EXPECT_EQ(read, settings);
  EXPECT_NE(dir.Read("Projects/Project_0001/Project.ini").find("Email=h@x.de\r\n"), std::string::npos);
  EXPECT_FALSE(store.ReadProjectSettings("Project_0002", read));
  EXPECT_TRUE(store.SaveProjectSettings("", settings));  // no project open: nothing written
}

TEST(ProjectStore, CreateMakesAMissingProjectsFolder) {
  mwtest::TempProgramFolder dir;
  std::filesystem::remove_all(dir.Path() + "Projects");
  ProjectStore store(dir.Folder());
  ASSERT_TRUE(store.CreateProject("Project_0001", {"T", "", "", ""}));
  EXPECT_EQ(ListedNames(store), std::vector<std::string>{"Project_0001"});
}

TEST(ProjectStore, TemplatesFolderSpelledInCapitalsIsFound) {
  mwtest::TempProgramFolder dir;
  std::filesystem::remove_all(dir.Path() + "Projects/templates");
  dir.Write("Projects/Templates/Bing_COM.ini", "");
  ProjectStore store(dir.Folder());
  ASSERT_TRUE(store.CreateProject("Project_0001", {}));
  EXPECT_EQ(store.PageListFiles("Project_0001"), std::vector<std::string>{"Bing_COM.ser"});
}

TEST(ProjectStore, AddPagesComparesWithTheOldLinesAsSubstrings) {
  mwtest::TempProgramFolder dir;
  dir.Write("Projects/P_0001/Project.ini", "");
  dir.Write("Projects/P_0001/A.ser", "14.03.05 | http://www.a.de/sub/page.html | TRUE\r\n");
  dir.Write("Projects/P_0001/B.ser", "");
  ProjectStore store(dir.Folder());

  ASSERT_TRUE(store.AddPages("P_0001", {"http://www.a.de/", "http://www.a.de/neu.html", "http://www.a.de/neu.html"}));
  // The site root is a substring of the existing line, so it is not added; the duplicate in the
  // new list is compared only with the old lines and so appended twice.
  EXPECT_EQ(dir.Read("Projects/P_0001/A.ser"),
            "14.03.05 | http://www.a.de/sub/page.html | TRUE\r\n"
            "00.00.00 | http://www.a.de/neu.html | FALSE\r\n"
            "00.00.00 | http://www.a.de/neu.html | FALSE\r\n");
  EXPECT_EQ(dir.Read("Projects/P_0001/B.ser"),
            "00.00.00 | http://www.a.de/ | FALSE\r\n"
            "00.00.00 | http://www.a.de/neu.html | FALSE\r\n"
            "00.00.00 | http://www.a.de/neu.html | FALSE\r\n");
}

TEST(ProjectStore, AskingDependsOnTheFirstListOnly) {
  mwtest::TempProgramFolder dir;
  dir.Write("Projects/P_0001/Only.ser", "");
  ProjectStore store(dir.Folder());
  EXPECT_FALSE(store.HasPagesAlready("P_0001"));
  dir.Write("Projects/P_0001/Only.ser", "x\r\n");
  EXPECT_TRUE(store.HasPagesAlready("P_0001"));
  EXPECT_FALSE(store.HasPagesAlready("P_0002"));
}

TEST(ProjectStore, DeleteMovesTheFolderToATrashMadeWhereTheDesktopLooks) {
  mwtest::TempProgramFolder dir;
  // No data folder yet, as on a fresh account without ~/.local/share.
  const std::string dataHome = dir.Path() + "home/.local/share";
  const std::string oldDataHome = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
  ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Weg\r\n");
  ProjectStore store(dir.Folder());
  const bool deleted = store.DeleteProject("Project_0001");
  ::setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
  ASSERT_TRUE(deleted);
  EXPECT_FALSE(dir.Exists("Projects/Project_0001"));
  EXPECT_TRUE(dir.Exists("home/.local/share/Trash/files/Project_0001/Project.ini"));
  EXPECT_TRUE(dir.Exists("home/.local/share/Trash/info/Project_0001.trashinfo"));
  struct stat st {};
  ASSERT_EQ(::stat((dataHome + "/Trash").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_FALSE(FolderExists("files"));  // nothing in the current folder
  EXPECT_FALSE(FolderExists("info"));
  EXPECT_FALSE(store.DeleteProject("Project_0001"));  // gone: no longer a folder
}

TEST(ProjectStore, DeleteNeverActsOnTheProjectsFolderOrOutsideIt) {
  mwtest::TempProgramFolder dir;
  dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Bleibt\r\n");
  dir.Write("outside/keep.txt", "x");
  ProjectStore store(dir.Folder());
  for (const char* name : {"", "   ", ".", "..", " .. ", "../outside", "Project_0001/..", "templates/.."})
    EXPECT_FALSE(store.DeleteProject(name)) << "'" << name << "'";
  EXPECT_TRUE(dir.Exists("Projects/Project_0001/Project.ini"));
  EXPECT_TRUE(FolderExists(dir.Templates()));
  EXPECT_TRUE(dir.Exists("outside/keep.txt"));
}
