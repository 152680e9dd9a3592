// Engine lists and the page list of the shown engine: the rules without a window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "submit/EngineSelection.h"
#include "submit/EngineTemplates.h"
#include "support/TempProgramFolder.h"

using mw::EngineChoice;

TEST(EngineSelection, ListIsSortedWithoutRegardToCaseAndNamedUpToTheFirstDot) {
  mwtest::TempProgramFolder dir;
  for (const char* name : {"zeta_DE.ini", "Alpha_COM.INI", "beta.old.ini", "notes.txt", "Gamma_CH.ini"})
    dir.Write(std::string("Projects/templates/") + name, "");
  EXPECT_EQ(mw::EngineListFromTemplates(dir.Templates()),
            (std::vector<std::string>{"Alpha_COM", "beta", "Gamma_CH", "zeta_DE"}));
  EXPECT_TRUE(mw::EngineListFromTemplates(dir.Path() + "missing/").empty());
}

TEST(EngineSelection, QuickChoicesAndFlags) {
  const std::vector<std::string> engines = {"Abacho_DE", "Google_DE",    "Google_COM",
                                            "Lycos_AT",  "Mixed_DE_COM", "Plain"};
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::Important),
            (std::vector<bool>{true, true, false, false, false, false}));
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::German),
            (std::vector<bool>{true, true, false, true, true, false}));
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::English),
            (std::vector<bool>{false, false, true, false, true, false}));
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::AllButGoogle),
            (std::vector<bool>{true, false, false, true, true, true}));
  EXPECT_EQ(mw::ChooseEngines({"Other_DE"}, EngineChoice::Important), std::vector<bool>{false});
  const auto mixed = mw::FlagsOf("mixed_de_com");  // the English flag is drawn over the German one
  EXPECT_TRUE(mixed.german && mixed.english);
  const auto plain = mw::FlagsOf("Plain");
  EXPECT_FALSE(plain.german || plain.english);
}

TEST(EngineSelection, ShownListKeepsRowsAndLinesTogether) {
  mwtest::TempProgramFolder dir;
  const std::string project = dir.Path() + "Projects/P/";
  dir.Write("Projects/P/E.ser",
            "http://bare.de/\r\n01.02.05 | http://a.de/ | true\r\n00.00.00 | http://b.de/ | TRUE\r\n");
  mw::ShownPageList list;
  ASSERT_TRUE(list.Load(project, "E"));
  EXPECT_EQ(list.Rows(), (std::vector<std::string>{"00.00.00     http://bare.de/", "01.02.05     http://a.de/",
                                                   "00.00.00     http://b.de/"}));
  EXPECT_EQ(list.Marks(), (std::vector<bool>{true, false, true}));
  ASSERT_TRUE(list.Save(project, {false, true, true}));
  EXPECT_EQ(
      dir.Read("Projects/P/E.ser"),
      "00.00.00 | http://bare.de/ | FALSE\r\n01.02.05 | http://a.de/ | TRUE\r\n00.00.00 | http://b.de/ | TRUE\r\n");

  // Without a project nothing is written; a missing list shows empty and stays missing.
  ASSERT_TRUE(list.Load(project, "Neu"));
  EXPECT_TRUE(list.Rows().empty());
  ASSERT_TRUE(list.Save(project, {}));
  EXPECT_FALSE(dir.Exists("Projects/P/Neu.ser"));
  mw::ShownPageList none;
  EXPECT_TRUE(none.Save("", {}));
  std::string error;
  ASSERT_TRUE(list.Load(project, "E"));
  EXPECT_FALSE(list.Save(dir.Path() + "Projects/Weg/", {}, &error));
  EXPECT_NE(error.find("kann nicht"), std::string::npos);
}

TEST(EngineSelection, AListThatFailedToLoadIsNeverSaved) {
  mwtest::TempProgramFolder dir;
  const std::string project = dir.Path() + "Projects/P/";
  dir.MakeFolder("Projects/P");
  ASSERT_EQ(::symlink("E.ser", (project + "E.ser").c_str()), 0);  // a loop: it cannot be opened
  mw::ShownPageList list;
  std::string error;
  EXPECT_FALSE(list.Load(project, "E", &error));
  EXPECT_NE(error.find(project + "E.ser"), std::string::npos) << error;
  EXPECT_TRUE(list.Rows().empty());
  EXPECT_TRUE(list.Save(project, {}));  // at an engine switch or close: nothing is written
  struct stat st {};
  ASSERT_EQ(::lstat((project + "E.ser").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));

  dir.Write("Projects/P/F.ser", "00.00.00 | http://a.de/ | FALSE\r\n");
  ASSERT_TRUE(list.Load(project, "F"));  // a readable list is saved again
  ASSERT_TRUE(list.Save(project, {true}));
  EXPECT_EQ(dir.Read("Projects/P/F.ser"), "00.00.00 | http://a.de/ | TRUE\r\n");
}

TEST(EngineSelection, SearchMarksBySubstringIncludingTheDate) {
  const std::vector<std::string> rows = {"00.00.00     http://a.de/kontakt.html", "14.03.05     http://b.de/"};
  EXPECT_EQ(mw::MarkRowsContaining(rows, {false, false}, "KONTAKT"), (std::vector<bool>{true, false}));
  EXPECT_EQ(mw::MarkRowsContaining(rows, {false, false}, "14.03"), (std::vector<bool>{false, true}));
  EXPECT_EQ(mw::MarkRowsContaining(rows, {true, false}, ""), (std::vector<bool>{true, false}));
  EXPECT_EQ(mw::MarkRowsContaining(rows, {false, true}, "nirgends"), (std::vector<bool>{false, true}));
}

TEST(EngineSelection, ARowWithoutAddressRemovesOnlyItself) {
  mwtest::TempProgramFolder dir;
  const std::string project = dir.Path() + "Projects/P/";
  dir.Write("Projects/P/E.ser", "00.00.00 |  | FALSE\r\n00.00.00 | http://a.de/ | TRUE\r\n");
  dir.Write("Projects/P/F.ser", "00.00.00 | http://a.de/ | FALSE\r\n");
  mw::ShownPageList list;
  ASSERT_TRUE(list.Load(project, "E"));
  std::vector<bool> ticks = list.Marks();
  const std::string url = list.RemovePage(0, ticks);
  EXPECT_EQ(url, "");
  EXPECT_EQ(list.Rows(), std::vector<std::string>{"00.00.00     http://a.de/"});
  EXPECT_EQ(ticks, std::vector<bool>{true});
  ASSERT_TRUE(mw::RemovePageFromProject(project, url));
  EXPECT_EQ(dir.Read("Projects/P/F.ser"), "00.00.00 | http://a.de/ | FALSE\r\n");
  EXPECT_EQ(list.RemovePage(5, ticks), "");
}

TEST(EngineSelection, TheMostImportantIncludeEveryTemplateMarkedWichtig) {
  mwtest::TempProgramFolder dir;
  dir.Write("Projects/templates/IndexNow.ini", "[SETTINGS]\nBasicURL=x\nWichtig=true\n");
  dir.Write("Projects/templates/Bing_COM.ini", "[SETTINGS]\nBasicURL=x\nWichtig=false\n");
  dir.Write("Projects/templates/Plain.ini", "[SETTINGS]\nBasicURL=x\n");
  const std::vector<std::string> engines = {"Bing_COM", "Google_DE", "IndexNow", "Plain"};
  const auto important = mw::EnginesMarkedImportant(dir.Templates(), engines);
  EXPECT_EQ(important, (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::Important, important),
            (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(mw::ChooseEngines(engines, EngineChoice::German, important),
            (std::vector<bool>{false, true, false, false}));
}
