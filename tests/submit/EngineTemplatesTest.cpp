#include <gtest/gtest.h>

#include <algorithm>

#include "submit/EngineTemplates.h"
#include "support/TempProgramFolder.h"

using namespace mw;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

TEST(EngineTemplates, NamesAndLanguageFlagsComeFromTheFileName) {
  EXPECT_EQ(EngineNameOf("Fireball_DE.ini"), "Fireball_DE");
  EXPECT_EQ(EngineNameOf("suche.at.backup.ini"), "suche");  // up to the first "."
  EXPECT_EQ(EngineNameOf("ohne"), "ohne");

  EXPECT_TRUE(IsGermanEngine("acoon_de"));
  EXPECT_TRUE(IsGermanEngine("Suche_AT"));
  EXPECT_TRUE(IsGermanEngine("search_ch_x"));
  EXPECT_FALSE(IsGermanEngine("Yahoo_COM"));
  EXPECT_TRUE(IsEnglishEngine("yahoo_com"));
  EXPECT_TRUE(IsGermanEngine("Both_DE_COM"));
  EXPECT_TRUE(IsEnglishEngine("Both_DE_COM"));
  EXPECT_FALSE(IsGermanEngine("Plain"));
  EXPECT_FALSE(IsEnglishEngine("Plain"));
}

TEST(EngineTemplates, ListingTakesIniFilesOfAnyCaseAndFindsThemAgain) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  folder.Write("Projects/templates/A_DE.ini", "[SETTINGS]\r\nBasicURL=http://a/?u=KLXURL\r\n");
  folder.Write("Projects/templates/B_COM.INI", "[settings]\r\nbasicurl=http://b/?u=KLXURL\r\n");
  folder.Write("Projects/templates/A_DE.ran", "[SETTINGS]\r\n");
  folder.Write("Projects/templates/old.ini.bak", "");
  folder.MakeFolder("Projects/templates/folder.ini");
  EXPECT_EQ(Sorted(EngineTemplateFiles(t)), (std::vector<std::string>{"A_DE.ini", "B_COM.INI"}));
  EXPECT_EQ(Sorted(EngineNames(t)), (std::vector<std::string>{"A_DE", "B_COM"}));
  EXPECT_EQ(BuildSubmitURL(t, "B_COM", "x", "", ""), "http://b/?u=x");
  EXPECT_TRUE(EngineTemplateFiles(t + "missing/").empty());
}

TEST(EngineTemplates, PageAddressIsMappedAndPlaceholdersFilledFirstOnlyInFixedOrder) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  const std::string page = "http://www.beispiel.de/a/b.html";

  folder.Write("Projects/templates/Plain.ini", "[SETTINGS]\nBasicURL=http://e/add?u=KLXURL&n=KLXNAME&m=KLXMAIL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Plain", page, "Hans Meier", "a+b&c@x.de"),
            "http://e/add?u=http://www.beispiel.de/a/b.html&n=Hans Meier&m=a+b&c@x.de");

  folder.Write("Projects/templates/Mapped.ini",
               "[SETTINGS]\nBasicURL=http://e/?u=KLXURL\nReplaceSlashInURL=%2F\n"
               "ReplaceDoppelpunktInURL=\" %3A \"\nReplacePunktInURL=\n");
  EXPECT_EQ(BuildSubmitURL(t, "Mapped", page, "", ""), "http://e/?u=http %3A %2F%2Fwwwbeispielde%2Fa%2Fbhtml");

  folder.Write("Projects/templates/Twice.ini", "[SETTINGS]\nBasicURL=KLXURL|KLXURL|KLXMAIL KLXMAIL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Twice", "p", "n", "m"), "p|KLXURL|m KLXMAIL");

  // The e-mail address goes in first, so a placeholder inside it is filled by the later steps.
  folder.Write("Projects/templates/Order.ini", "[SETTINGS]\nBasicURL=m=KLXMAIL;n=KLXNAME;u=KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Order", "P", "KLXURL", "xKLXNAMEx"), "m=xPx;n=KLXNAME;u=KLXURL");

  // Bytes above 127 go in as they are.
  EXPECT_EQ(BuildSubmitURL(t, "Plain",
                           "http://m\xfc"
                           "ller.de/",
                           "J\xfcrgen", "j@m.de"),
            "http://e/add?u=http://m\xfc"
            "ller.de/&n=J\xfcrgen&m=j@m.de");
}

TEST(EngineTemplates, TemplateIsReadAnewOnEveryCall) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  folder.Write("Projects/templates/E.ini", "[SETTINGS]\nBasicURL=http://one/KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "E", "p", "", ""), "http://one/p");
  folder.Write("Projects/templates/E.ini", "[SETTINGS]\nBasicURL=http://two/KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "E", "p", "", ""), "http://two/p");
}

TEST(EngineTemplates, BrokenOrMissingTemplatesGiveDefaultsNotCrashes) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  EXPECT_EQ(BuildSubmitURL(t, "Missing", "p", "n", "m"), "");

  folder.Write("Projects/templates/NoUrl.ini", "[SETTINGS]\nReplacePunktInURL=_\n");
  EXPECT_EQ(BuildSubmitURL(t, "NoUrl", "p", "n", "m"), "");

  folder.Write("Projects/templates/OtherSection.ini", "[OTHER]\nBasicURL=http://x/KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "OtherSection", "p", "n", "m"), "");

  folder.Write("Projects/templates/Static.ini", "[SETTINGS]\nBasicURL=http://fix/\n");
  EXPECT_EQ(BuildSubmitURL(t, "Static", "p", "n", "m"), "http://fix/");

  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += char((i * 37) % 256);
  folder.Write("Projects/templates/Binary.ini", binary);
  EXPECT_NO_THROW(BuildSubmitURL(t, "Binary", "p", "n", "m"));
  folder.Write("Projects/templates/Garbage.ini", "=\n[\n]]]\nBasicURL\n[SETTINGS\nx=KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Garbage", "p", "n", "m"), "");

  folder.Write("Projects/templates/Long.ini", "[SETTINGS]\nBasicURL=" + std::string(10000, 'a') + "KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Long", "p", "n", "m"), std::string(2047, 'a'));
}

TEST(EngineTemplates, PercentEncodeInsertsQueryComponentsFromUtf8) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"http://www.site.test/b.php?x=1&y=2", "http%3A%2F%2Fwww.site.test%2Fb.php%3Fx%3D1%26y%3D2"},
      {"gr\xfc\xdf"
       "e",
       "gr%C3%BC%C3%9Fe"},  // Windows-1252 "grüße"
      {"A-z_0.9~ +", "A-z_0.9~%20%2B"},
      {"\x80", "%E2%82%AC"},  // the euro sign
  };
  for (const auto& c : cases) EXPECT_EQ(PercentEncodeQueryComponent(c.in), c.out) << c.in;

  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  folder.Write("Projects/templates/IndexNow.ini",
               "[SETTINGS]\nBasicURL=https://e/indexnow?url=KLXURL&key=KLXKEY&m=KLXMAIL&n=KLXNAME&k=KLXKEY\n"
               "PercentEncode=true\nReplacePunktInURL=_\n");
  // Encoded in place of the replacement texts; the key after the address, first place only.
  EXPECT_EQ(BuildSubmitURL(t, "IndexNow", "http://s.de/a b", "J\xfcrgen M", "a+b@x.de", "0123abcd"),
            "https://e/indexnow?url=http%3A%2F%2Fs.de%2Fa%20b&key=0123abcd&m=a%2Bb%40x.de&n=J%C3%BCrgen%20M&k=KLXKEY");
  // A key placeholder inside the page address is filled by the key step, as with the others.
  folder.Write("Projects/templates/Plain.ini", "[SETTINGS]\nBasicURL=u=KLXURL\n");
  EXPECT_EQ(BuildSubmitURL(t, "Plain", "KLXKEY", "", "", "k"), "u=k");

  // Long and non-ASCII addresses are encoded without harm.
  const std::string longPage = "http://s.de/" + std::string(4000 - 12, '\xe9');
  const std::string built = BuildSubmitURL(t, "IndexNow", longPage, "", "", "k");
  EXPECT_EQ(built.size(), std::string("https://e/indexnow?url=&key=k&m=&n=&k=KLXKEY").size() + 20 + (4000 - 12) * 6);
}

TEST(EngineTemplates, ShippedTemplatesAreIndexNowEndpointsWithTheSharedOneImportant) {
  const std::string shipped = std::string(MELDEWERK_SOURCE_DIR) + "/data/Projects/templates/";
  const auto names = EngineNames(shipped);
  ASSERT_EQ(names.size(), 6u);
  for (const auto& name : names) {
    const EngineTemplate e = EngineTemplate::Read(TemplatePath(shipped, name, ".ini"));
    EXPECT_TRUE(e.percentEncode) << name;
    EXPECT_EQ(e.important, name == "IndexNow") << name;
    EXPECT_EQ(e.Fill("http://s.de/", "", "", "k").substr(e.basicUrl.rfind("/indexnow")),
              "/indexnow?url=http%3A%2F%2Fs.de%2F&key=k")
        << name;
  }
}
