#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "store/ProductFacts.h"
#include "store/ProgramFolder.h"
#include "store/ShippedData.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(ShippedData, ALaterVersionAddsItsNewFilesAndKeepsWhatTheUserChanged) {
  mwtest::TempProgramFolder dir;
  dir.Write("v1/ver.ini", "Meldewerk 1.0\r\n");
  dir.Write("v1/Projects/templates/Mine.ini", "[SETTINGS]\r\nBasicURL=v1\r\n");
  dir.Write("v1/Projects/templates/Gone.ini", "v1\r\n");
  dir.Write("v1/Projects/templates/Kept.ran", "v1\r\n");
  std::filesystem::permissions(dir.Write("v1/meldewerk",
                                         "\x7f"
                                         "ELF"),
                               std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);

  ShippedData::Outcome first = ShippedData::Seed(dir.Path() + "v1", dir.Path() + "home");
  EXPECT_EQ(first.added, 4);
  EXPECT_EQ(first.error, "");
  EXPECT_FALSE(dir.Exists("home/meldewerk"));
  EXPECT_EQ(dir.Read("home/Projects/templates/Gone.ini"), "v1\r\n");

  // The user edits one template, deletes another, spells the templates folder differently and
  // brings a list file of their own that a later version also ships.
  dir.Write("home/Projects/templates/Mine.ini", "[SETTINGS]\r\nBasicURL=meine\r\n");
  std::filesystem::remove(dir.Path() + "home/Projects/templates/Gone.ini");
  std::filesystem::rename(dir.Path() + "home/Projects/templates", dir.Path() + "home/Projects/Templates");
  dir.Write("home/OpenEngines.ini", "meine|Liste\r\n");

  for (const char* name :
       {"ver.ini", "Projects/templates/Mine.ini", "Projects/templates/Gone.ini", "Projects/templates/Kept.ran"})
    dir.Write(std::string("v2/") + name, std::string(name) == "Projects/templates/Kept.ran" ? "v1\r\n" : "v2\r\n");
  dir.Write("v2/Projects/templates/New_DE.ini", "v2\r\n");
  dir.Write("v2/OpenEngines.ini", "v2|Liste\r\n");
  dir.Write("v2/pagetopic.ini", "v2|Thema\r\n");

  const ShippedData::Outcome second = ShippedData::Seed(dir.Path() + "v2", dir.Path() + "home");
  EXPECT_EQ(second.added, 2);
  EXPECT_EQ(second.updated, 1);
  const struct {
    const char* name;
    const char* content;  // nullptr: must not exist
  } expected[] = {
      {"ver.ini", "v2\r\n"},                                                // unchanged by the user: updated
      {"Projects/Templates/Mine.ini", "[SETTINGS]\r\nBasicURL=meine\r\n"},  // the user's edit stays
      {"Projects/Templates/Gone.ini", nullptr},                             // deleted by the user: stays deleted
      {"Projects/Templates/Kept.ran", "v1\r\n"},
      {"Projects/Templates/New_DE.ini", "v2\r\n"},  // new: into the user's spelling
      {"Projects/templates", nullptr},
      {"OpenEngines.ini", "meine|Liste\r\n"},  // the user's own file of that name
      {"pagetopic.ini", "v2|Thema\r\n"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(dir.Exists(std::string("home/") + e.name), e.content != nullptr);
    if (e.content) {
      EXPECT_EQ(dir.Read(std::string("home/") + e.name), e.content);
    }
  }

  const std::string list = dir.Read("home/Shipped.lst");
  const ShippedData::Outcome again = ShippedData::Seed(dir.Path() + "v2", dir.Path() + "home");
  EXPECT_EQ(again.added + again.updated, 0);
  EXPECT_EQ(dir.Read("home/Shipped.lst"), list);
}

TEST(ShippedData, AFileThatCouldNotBeCopiedIsReportedAndTriedAgainNextTime) {
  mwtest::TempProgramFolder dir;
  dir.Write("shipped/ver.ini", "Meldewerk 1.0\r\n");
  dir.Write("shipped/recom/about.jpg", "jpg");
  dir.Write("home/recom", "a file where the folder belongs");

  const ShippedData::Outcome blocked = ShippedData::Seed(dir.Path() + "shipped", dir.Path() + "home");
  EXPECT_EQ(blocked.added, 1);
  EXPECT_NE(blocked.error.find("about.jpg"), std::string::npos) << blocked.error;

  std::filesystem::remove(dir.Path() + "home/recom");
  const ShippedData::Outcome retried = ShippedData::Seed(dir.Path() + "shipped", dir.Path() + "home");
  EXPECT_EQ(retried.added, 1);
  EXPECT_EQ(retried.error, "");
  EXPECT_EQ(dir.Read("home/recom/about.jpg"), "jpg");
}

TEST(ProgramFolder, AnInstalledProgramWorksInTheUserFolderSeededFromShareEvenWhenWritable) {
  mwtest::TempProgramFolder dir;
  dir.MakeFolder("usr/bin");
  dir.Write("usr/share/meldewerk/ver.ini", "Meldewerk 1.0\r\n");
  dir.Write("usr/share/meldewerk/Projects/templates/IndexNow.ini", "[SETTINGS]\r\n");

  const ProgramFolder::Location where = ProgramFolder::Locate(dir.Path() + "usr/bin", dir.Path() + "data");
  EXPECT_EQ(where.work, dir.Path() + "data/Meldewerk/");
  EXPECT_EQ(where.shipped, dir.Path() + "usr/share/meldewerk/");
  EXPECT_FALSE(dir.Exists("data/Meldewerk")) << "locating alone writes nothing";

  std::string error = "stale";
  const ProgramFolder folder = ProgramFolder::Choose(dir.Path() + "usr/bin", dir.Path() + "data", &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(folder.Path(), where.work);
  EXPECT_EQ(ProductFacts::Load(folder).version, "Meldewerk 1.0");
  EXPECT_TRUE(dir.Exists("data/Meldewerk/Projects/templates/IndexNow.ini"));
  ASSERT_TRUE(folder.CreateWorkFolders());
  EXPECT_FALSE(dir.Exists("usr/share/meldewerk/Temp") || dir.Exists("usr/share/meldewerk/Shipped.lst"));
}

TEST(ProgramFolder, UserDataHomeFollowsXdgOnlyForAnAbsolutePath) {
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  const char* savedXdg = std::getenv("XDG_DATA_HOME");
  const std::string xdg = savedXdg ? savedXdg : "";
  ::setenv("HOME", "/home/erika", 1);
  for (const auto& [value, expected] : {std::pair{"/daten", "/daten"}, std::pair{"daten", "/home/erika/.local/share"},
                                        std::pair{"", "/home/erika/.local/share"}}) {
    ::setenv("XDG_DATA_HOME", value, 1);
    EXPECT_EQ(UserDataHome(), expected) << value;
  }
  ::setenv("HOME", savedHome.c_str(), 1);
  if (savedXdg)
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}
