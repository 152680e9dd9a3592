#include <gtest/gtest.h>

#include "store/PageList.h"
#include "support/TempProgramFolder.h"

using namespace mw;

TEST(PageList, ReadsEveryLineForm) {
  const auto full = ParsePageListLine(" 14.03.05 | http://a.de/x.html |  TRUE ");
  EXPECT_EQ(full, (PageListEntry{"14.03.05", "http://a.de/x.html", true}));
  EXPECT_FALSE(ParsePageListLine("00.00.00 | http://a.de/ | true").marked);  // exact "TRUE" only
  EXPECT_FALSE(ParsePageListLine("00.00.00 | http://a.de/").marked);         // absent third word
  EXPECT_EQ(ParsePageListLine("||00.00.00|||http://a.de/||TRUE||"),
            (PageListEntry{"00.00.00", "http://a.de/", true}));
  // The older one-field form: a bare address, never submitted and marked.
  EXPECT_EQ(ParsePageListLine("  http://a.de/alt.html  "), (PageListEntry{"00.00.00", "http://a.de/alt.html", true}));
  EXPECT_EQ(PageListDisplayText(full), "14.03.05     http://a.de/x.html");
}

TEST(PageList, RoundTripWritesThreeFieldsWithCrLf) {
  mwtest::TempProgramFolder dir;
  const std::string path =
      dir.Write("Google.ser", "http://a.de/\n00.00.00 | http://b.de/ | FALSE   \n\n  \n|||\n | | \n14.03.05|http://c.de/|TRUE\n");
  std::vector<PageListEntry> entries;
  ASSERT_TRUE(PageList::Read(path, entries));
  ASSERT_EQ(entries.size(), 3u);
  entries[0].marked = false;
  ASSERT_TRUE(PageList::Write(path, entries));
  EXPECT_EQ(dir.Read("Google.ser"),
            "00.00.00 | http://a.de/ | FALSE\r\n00.00.00 | http://b.de/ | FALSE\r\n14.03.05 | http://c.de/ | TRUE\r\n");
}

TEST(PageList, MissingFileIsEmptyAndHugeLinesAreRead) {
  mwtest::TempProgramFolder dir;
  std::vector<PageListEntry> entries{{}};
  EXPECT_TRUE(PageList::Read(dir.Path() + "none.ser", entries));
  EXPECT_TRUE(entries.empty());
  const std::string longUrl = "http://a.de/" + std::string(100000, 'x');
  const std::string path = dir.Write("long.ser", "00.00.00 | " + longUrl + " | TRUE");
  ASSERT_TRUE(PageList::Read(path, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].url, longUrl);
  EXPECT_TRUE(entries[0].marked);
}

TEST(PageList, UnreadableListGivesAGermanError) {
  mwtest::TempProgramFolder dir;
  dir.MakeFolder("folder.ser");
  std::vector<PageListEntry> entries;
  std::string error;
  EXPECT_FALSE(PageList::Read(dir.Path() + "folder.ser", entries, &error));
  EXPECT_EQ(error.rfind("Datei ", 0), 0u);
}
