#include <gtest/gtest.h>
#include <sys/stat.h>

#include "store/ProductFacts.h"
#include "store/ProgramFolder.h"
#include "store/ProgramSettings.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(ProgramSettings, MissingFileGivesEmptyTextsAndCrawlerFallbacks) {
  mwtest::TempProgramFolder dir;
  ProgramSettings s;
  ASSERT_TRUE(s.Load(dir.Folder().ProgramIni()));
  EXPECT_EQ(s.retries, "");
  EXPECT_EQ(s.proxyChoice, 1);
  EXPECT_EQ(s.CrawlerRetries(), 3);
  EXPECT_EQ(s.CrawlerTimeout(), 300);
  EXPECT_EQ(s.CrawlerProxyPort(), 80);
  s.proxyPort = "8080";
  s.timeout = "zehn";
  EXPECT_EQ(s.CrawlerProxyPort(), 8080);
  EXPECT_EQ(s.CrawlerTimeout(), 300);
}

TEST(ProgramSettings, SaveAndLoadRoundTripKeepsOtherKeys) {
  mwtest::TempProgramFolder dir;
  dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=http://127.0.0.1:1/\r\n");
  ProgramSettings s{"5", "60", 0, "10.0.0.1", "3128", "user", "geheim \xe4"};
  ASSERT_TRUE(s.Save(dir.Folder().ProgramIni()));
  const std::string text = dir.Read("Program.ini");
  for (const char* line : {"Retrys=5\r\n", "Timeout=60\r\n", "ProxyRadioGroupBox=0\r\n", "IpAdress=10.0.0.1\r\n",
                           "Port=3128\r\n", "UserName=user\r\n", "Password=geheim \xe4\r\n", "ProductPage=http://127.0.0.1:1/\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  ProgramSettings back;
  ASSERT_TRUE(back.Load(dir.Folder().ProgramIni()));
  EXPECT_EQ(back.retries, "5");
  EXPECT_EQ(back.proxyChoice, 0);
  EXPECT_EQ(back.proxyPassword, "geheim \xe4");
  const ProductFacts facts = ProductFacts::Load(dir.Folder());
  EXPECT_EQ(facts.productPage, "http://127.0.0.1:1/");
  EXPECT_TRUE(facts.productPageFromSettings);
}

TEST(ProgramFolder, WorkFoldersAndFallbackForAReadOnlyInstallation) {
  mwtest::TempProgramFolder dir;
  const ProgramFolder folder(dir.Path() + "inst");
  dir.Write("inst/ver.ini", "1.0 Test\r\n");
  dir.Write("inst/Projects/templates/A.ini", "[SETTINGS]\r\n");
  EXPECT_EQ(folder.Path(), dir.Path() + "inst/");
  ASSERT_TRUE(folder.CreateWorkFolders());
  EXPECT_TRUE(dir.Exists("inst/Temp") && dir.Exists("inst/reports"));
  EXPECT_EQ(ProductFacts::Load(folder).version, "1.0 Test");
  EXPECT_EQ(ProgramFolder::Choose(dir.Path() + "inst", dir.Path() + "home").Path(), folder.Path());

  if (::geteuid() == 0) return;  // root may write anywhere, so there is no read-only case
  ::chmod((dir.Path() + "inst").c_str(), 0555);
  const ProgramFolder user = ProgramFolder::Choose(dir.Path() + "inst", dir.Path() + "home");
  ::chmod((dir.Path() + "inst").c_str(), 0755);
  EXPECT_EQ(user.Path(), dir.Path() + "home/Meldewerk/");
  EXPECT_TRUE(dir.Exists("home/Meldewerk/Projects/templates/A.ini"));
}
