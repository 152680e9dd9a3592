#include <gtest/gtest.h>

#include "common/Cp1252.h"
#include "common/SafeFileName.h"
#include "common/Text.h"

using namespace mw;

TEST(Words, RunsOfDelimitersSeparateOnceAndEndsGiveNoEmptyWord) {
  EXPECT_EQ(WordCount("", "|"), 0);
  EXPECT_EQ(WordCount("|||", "|"), 0);
  EXPECT_EQ(WordCount("||a||b|", "|"), 2);
  EXPECT_EQ(ExtractWord(1, "||a||b|", "|"), "a");
  EXPECT_EQ(ExtractWord(2, "||a||b|", "|"), "b");
  EXPECT_EQ(ExtractWord(3, "||a||b|", "|"), "");
  EXPECT_EQ(ExtractWord(0, "a|b", "|"), "");
  EXPECT_EQ(ExtractWord(-1, "a|b", "|"), "");
  EXPECT_EQ(ExtractWord(2, "a, b;c", ",; "), "b");
  EXPECT_EQ(WordCount("a, b;c", ",; "), 3);
}

TEST(Paths, TrailingSlashFolderPartAndPadding) {
  EXPECT_EQ(IncludeTrailingSlash(""), "");
  EXPECT_EQ(IncludeTrailingSlash("/"), "/");
  EXPECT_EQ(IncludeTrailingSlash("/opt/mw"), "/opt/mw/");
  EXPECT_EQ(IncludeTrailingSlash("/opt/mw/"), "/opt/mw/");
  EXPECT_EQ(ExtractFilePath("/opt/mw/meldewerk"), "/opt/mw/");
  EXPECT_EQ(ExtractFilePath("/meldewerk"), "/");
  EXPECT_EQ(ExtractFilePath("meldewerk"), "");
  EXPECT_EQ(PadLeft("7", 4, '0'), "0007");
  EXPECT_EQ(PadLeft("12345", 4, '0'), "12345");
}

TEST(Text, IntegerConversionFollowsTheOriginalRules) {
  int v = 0;
  EXPECT_TRUE(TryStrToInt("42", v));
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(TryStrToInt("  -7", v));
  EXPECT_EQ(v, -7);
  EXPECT_TRUE(TryStrToInt("0x1F", v));
  EXPECT_EQ(v, 31);
  EXPECT_TRUE(TryStrToInt("$10", v));
  EXPECT_EQ(v, 16);
  for (const char* bad : {"", " ", "12 ", "1.5", "abc", "9999999999", "+", "0x"}) EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
  EXPECT_EQ(StrToIntDef("x", 300), 300);
  EXPECT_EQ(NotAnIntegerMessage("abc"), "'abc' ist kein g\xc3\xbcltiger Integerwert");
}

TEST(Text, CaseRulesAreAsciiOnly) {
  EXPECT_EQ(UpperCase("abc\xe4"), "ABC\xe4");
  EXPECT_EQ(LowerCase("ABC\xc4"), "abc\xc4");
  EXPECT_TRUE(SameText("Project.INI", "project.ini"));
  EXPECT_FALSE(SameText("\xe4", "\xc4"));
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
}

TEST(SafeFileName, FoldsAddressesAndTitles) {
  EXPECT_EQ(SafeFileName("http://www.a.de/"), "httpxxxwww_a_dex");
  EXPECT_EQ(SafeFileName("A&B (neu)*?"), "aab_xneuxx_");
  EXPECT_EQ(SafeFileName("a'b.c-d!e$f%g=h\"i,j"), "a_b_c_d_e_f_g_h_i_j");
  EXPECT_EQ(SafeFileName("x\\y>z<"), "xxyxzx");
  // Section sign, acute and grave accent become "_".
  EXPECT_EQ(SafeFileName("a\xa7" "b\xb4" "c`d"), "a_b_c_d");
  // German letters in Windows-1252 are spelled out, then ASCII lower-cased.
  EXPECT_EQ(SafeFileName("M\xfcller \xc4rger \xd6l \xdc" "ber Stra\xdf" "e \xe4\xf6"), "mueller_aerger_oel_ueber_strasse_aeoe");
  // Other bytes above 127 stay as they are.
  EXPECT_EQ(SafeFileName("Caf\xe9"), "caf\xe9");
  // A leading digit becomes "X" and then lower case.
  EXPECT_EQ(SafeFileName("192.168.0.1/index.html"), "x92_168_0_1xindex_html");
  EXPECT_EQ(SafeFileName(""), "");
  // Every byte below 32, NUL included, becomes "_".
  std::string controls;
  for (int c = 0; c < 32; ++c) controls += char(c);
  EXPECT_EQ(SafeFileName("a" + controls + "b"), "a" + std::string(32, '_') + "b");
}

TEST(SafeFileName, FittingNamesStayWithinTheFileSystemLimitAndApart) {
  const std::string longText = "http://a.de/?q=" + std::string(400, 'a');
  struct Case {
    std::string prefix, text, extension;
  } cases[] = {
      {"keywords_", longText, ".txt"},
      {"E_", longText, ".html"},
      {"", std::string(300, 'T'), ".html"},
      {std::string(300, 'p'), "x", ".txt"},  // even an overlong prefix is cut
  };
  for (const auto& c : cases) {
    const std::string name = FittingFileName(c.prefix, c.text, c.extension);
    EXPECT_EQ(name.size(), kMaxFileNameBytes) << c.text;
    EXPECT_TRUE(name.ends_with(c.extension)) << name;
    EXPECT_NE(name, FittingFileName(c.prefix, c.text + "b", c.extension));
  }
  EXPECT_EQ(FittingFileName("keywords_", "http://a.de/", ".txt"), "keywords_httpxxxa_dex.txt");
  const std::string exact(kMaxFileNameBytes - 4, 'a');
  EXPECT_EQ(FittingFileName("", exact, ".txt"), exact + ".txt");
}

TEST(Cp1252, RoundTripsEveryByteAndMapsTheHighRange) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += char(c);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\xe4"), "\xc3\xa4");
  EXPECT_EQ(Utf8ToCp1252("\xe2\x82\xac\xc3\xbc"), "\x80\xfc");
  EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad"), "?");    // no Windows-1252 form
  EXPECT_EQ(Utf8ToCp1252("a\xc3"), "a\xc3");       // cut-off sequence kept as a byte
}
