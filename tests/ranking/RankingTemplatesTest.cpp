#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "ranking/RankingTemplates.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(RankingTemplates, ListingTakesRanFilesOnly) {
  mwtest::TempProgramFolder folder;
  folder.Write("Projects/templates/Acoon_DE.ran", "[SETTINGS]\n");
  folder.Write("Projects/templates/Acoon_DE.ini", "[SETTINGS]\n");
  folder.Write("Projects/templates/Web_COM.RAN", "[SETTINGS]\nBasicURL=http://w/?q=KLXKEYWORD\n");
  auto names = RankingEngineNames(folder.Templates());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Acoon_DE", "Web_COM"}));
  EXPECT_EQ(BuildRankingURL(folder.Templates(), "Web_COM", 0, "a b"), "http://w/?q=a+b");
}

TEST(RankingTemplates, KeywordIsMappedAndPositionsFollowTheOffset) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  folder.Write("Projects/templates/Def.ran", "[SETTINGS]\nBasicURL=http://s/?q=KLXKEYWORD&start=KLXPOS\n");
  EXPECT_EQ(BuildRankingURL(t, "Def", 0, "suche nach seiten"), "http://s/?q=suche+nach+seiten&start=10");
  EXPECT_EQ(BuildRankingURL(t, "Def", 1, "\"ganz genau\""), "http://s/?q=\"ganz+genau\"&start=20");
  EXPECT_EQ(BuildRankingURL(t, "Def", 2, " M\xfcnchen "), "http://s/?q=+M\xfcnchen+&start=30");

  folder.Write("Projects/templates/Zero.ran",
               "[SETTINGS]\nBasicURL=KLXPOS/KLXKEYWORD/KLXPOS/KLXKEYWORD\nOffset=0\n"
               "ReplaceSlashInURL=%20\nReplaceAnfuehrungszeichen=%22\n");
  EXPECT_EQ(BuildRankingURL(t, "Zero", 0, "\"a b\""), "0/%22a%20b%22/KLXPOS/KLXKEYWORD");
  EXPECT_EQ(BuildRankingURL(t, "Zero", 2, "x"), "20/x/KLXPOS/KLXKEYWORD");

  for (const auto& [value, first] : std::vector<std::pair<std::string, std::string>>{
           {"1", "1"}, {"0x0A", "10"}, {"0x14", "20"}, {"zehn", "10"}, {"", "10"}, {"-5", "-5"}}) {
    folder.Write("Projects/templates/Off.ran", "[SETTINGS]\nBasicURL=KLXPOS\nOffset=" + value + "\n");
    EXPECT_EQ(BuildRankingURL(t, "Off", 0, "k"), first) << "Offset=" << value;
  }

  folder.Write("Projects/templates/NoPos.ran", "[SETTINGS]\nBasicURL=http://n/?q=KLXKEYWORD\n");
  EXPECT_EQ(BuildRankingURL(t, "NoPos", 0, "k"), BuildRankingURL(t, "NoPos", 5, "k"));

  // Wide arithmetic for a huge offset rather than a wrapped position.
  folder.Write("Projects/templates/Huge.ran", "[SETTINGS]\nBasicURL=KLXPOS\nOffset=2147483647\n");
  EXPECT_EQ(BuildRankingURL(t, "Huge", 1, "k"), "2147483657");
}

TEST(RankingTemplates, MissingTemplateOrUrlGivesAnEmptyAddress) {
  mwtest::TempProgramFolder folder;
  EXPECT_EQ(BuildRankingURL(folder.Templates(), "Missing", 0, "k"), "");
  folder.Write("Projects/templates/NoUrl.ran", "[SETTINGS]\nOffset=3\n");
  EXPECT_EQ(BuildRankingURL(folder.Templates(), "NoUrl", 0, "k"), "");
}

TEST(RankingTemplates, EncodeKeywordSendsUtf8AsAQueryComponent) {
  mwtest::TempProgramFolder folder;
  const std::string t = folder.Templates();
  const std::string keyword = "M\xfcnchen \"a+b\" 100%/&";
  folder.Write("Projects/templates/Enc.ran",
               "[SETTINGS]\nBasicURL=http://e/?q=KLXKEYWORD&s=KLXPOS\nEncodeKeyword=TRUE\nStep=1\nOffset=1\n");
  EXPECT_EQ(BuildRankingURL(t, "Enc", 2, keyword), "http://e/?q=M%C3%BCnchen+%22a%2Bb%22+100%25%2F%26&s=3");
  // The template's own replacements still apply to blanks and double quotes.
  folder.Write(
      "Projects/templates/Own.ran",
      "[SETTINGS]\nBasicURL=KLXKEYWORD\nEncodeKeyword=true\nReplaceSlashInURL=%20\nReplaceAnfuehrungszeichen=\n");
  EXPECT_EQ(BuildRankingURL(t, "Own", 0, keyword), "M%C3%BCnchen%20a%2Bb%20100%25%2F%26");
  // Without the key (or with another value) the keyword goes out as before; a Step of 0 keeps 10.
  folder.Write("Projects/templates/Plain.ran", "[SETTINGS]\nBasicURL=KLXKEYWORD/KLXPOS\nEncodeKeyword=ja\nStep=0\n");
  EXPECT_EQ(BuildRankingURL(t, "Plain", 1, keyword), "M\xfcnchen+\"a+b\"+100%/&/20");
}
