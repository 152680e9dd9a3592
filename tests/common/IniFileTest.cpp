#include <gtest/gtest.h>

#include "common/Files.h"
#include "common/IniFile.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(IniFile, ReadsKeysWithoutRegardToCaseBlanksAndQuotes) {
  IniFile ini;
  ini.SetText(
      "; comment\r\n[other]\r\nTitel=wrong\r\n[settings]\r\n  titel  =  \"Mein Projekt\"  \r\n"
      "EMail=a@b.de\nquoted=\"\"\"x\"\"\"\nbroken line\nempty=\n[SETTINGS2]\nPort=1\n");
  EXPECT_EQ(ini.ReadString("SETTINGS", "Titel"), "Mein Projekt");
  EXPECT_EQ(ini.ReadString("SETTINGS", "Email"), "a@b.de");
  EXPECT_EQ(ini.ReadString("SETTINGS", "quoted"), "\"\"x\"\"");  // one pair only
  EXPECT_EQ(ini.ReadString("SETTINGS", "empty", "d"), "");
  EXPECT_EQ(ini.ReadString("SETTINGS", "Port", "80"), "80");      // other section
  EXPECT_EQ(ini.ReadString("MISSING", "Titel", "def"), "def");
  EXPECT_EQ(ini.ReadInteger("SETTINGS2", "Port", 80), 1);
  EXPECT_EQ(ini.ReadInteger("SETTINGS", "Titel", 80), 80);        // not a number
}

TEST(IniFile, ValuesAreCutAt2047Characters) {
  IniFile ini;
  ini.SetText("[SETTINGS]\nBasicURL=" + std::string(10000, 'a') + "\n");
  EXPECT_EQ(ini.ReadString("SETTINGS", "BasicURL").size(), 2047u);
}

TEST(IniFile, MissingFileGivesDefaultsAndWritingKeepsOtherLines) {
  mwtest::TempProgramFolder dir;
  IniFile missing(dir.Path() + "none.ini");
  EXPECT_TRUE(missing.Load());
  EXPECT_EQ(missing.ReadString("SETTINGS", "Retrys", "x"), "x");

  const std::string path = dir.Write("Program.ini", "[Other]\r\nA=1\r\n[SETTINGS]\r\nretrys=5\r\nProductPage=http://h/\r\n");
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  ini.WriteString("SETTINGS", "Retrys", "7");
  ini.WriteString("SETTINGS", "Timeout", "30");
  ini.WriteString("New", "K", "v");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(dir.Read("Program.ini"),
            "[Other]\r\nA=1\r\n[SETTINGS]\r\nRetrys=7\r\nProductPage=http://h/\r\nTimeout=30\r\n\r\n[New]\r\nK=v\r\n");
}

TEST(IniFile, LineBreaksInAValueBecomeBlanksAndInjectNoKey) {
  const struct {
    std::string value, stored;
  } cases[] = {{"Titel\r\nProductPage=http://evil/", "Titel  ProductPage=http://evil/"},
               {"a\nb\rc", "a b c"},
               {"\r\n", ""}};  // blanks around a value are dropped when read
  for (const auto& c : cases) {
    IniFile ini;
    ini.SetText("[SETTINGS]\r\nProductPage=http://h/\r\n");
    ini.WriteString("SETTINGS", "Titel", c.value);
    IniFile reread;
    reread.SetText(ini.Text());
    EXPECT_EQ(reread.ReadString("SETTINGS", "Titel"), c.stored);
    EXPECT_EQ(reread.ReadString("SETTINGS", "ProductPage"), "http://h/");
    EXPECT_EQ(ini.Text().find("\r\nProductPage=http://evil"), std::string::npos);
  }
}

TEST(IniFile, BinaryContentIsReadWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += char((i * 131) % 256);
  IniFile ini;
  ini.SetText(junk);
  EXPECT_EQ(ini.ReadString("SETTINGS", "BasicURL", "d"), "d");
}
