#include <gtest/gtest.h>

#include "scans/SiteScan.h"
#include "support/TempProgramFolder.h"

using namespace mw;

namespace {

struct ScanFixture : ::testing::Test {
  mwtest::TempProgramFolder dir;
  std::vector<std::string> shown;
  std::vector<std::string> stats;
  std::string status;
  SiteScan scan{dir.Folder(), SiteScan::View{[this](const std::string& l) { shown.push_back(l); },
                                             [this](const std::vector<std::string>& s) { stats = s; },
                                             [this](const std::string& s) { status = s; }}};
};

}  // namespace

TEST(SiteScanRules, PageTestSchemeAndStatisticsLabels) {
  for (const char* yes : {"http://a.de/x.html", "http://a.de/x.HTM", "http://a.de/i.php?x=1", "http://a.de/x.shtml",
                          "http://a.de/x.asp", "http://a.de/x.cfm", "http://a.de/x.jsp", "http://www.htm.de/"})
    EXPECT_TRUE(SiteScan::IsPageLike(yes)) << yes;
  for (const char* no : {"http://a.de/", "http://a.de/bild.png", "http://a.de/x.pl", "http://a.de/style.css"})
    EXPECT_FALSE(SiteScan::IsPageLike(no)) << no;
  EXPECT_EQ(SiteScan::WithScheme("www.a.de"), "http://www.a.de");
  EXPECT_EQ(SiteScan::WithScheme("HTTPS://a.de"), "HTTPS://a.de");
  const auto lines = SiteScan::StatsLines(1, 2, 3, 4, 5, 6);
  ASSERT_EQ(lines.size(), 6u);
  for (const auto& l : lines) EXPECT_EQ(l.find(':'), 22u) << l;  // label of 24 characters: text, ":", " "
  EXPECT_EQ(lines[1], "         Besuchte URLs: 4");
  EXPECT_EQ(lines[4], " Wiederholungsversuche: 5");
}

TEST_F(ScanFixture, DiscoveryStopsWhenTheListReachesTheLimit) {
  scan.Begin(ScanMode::Discovery, "http://a.de/", 20);
  int stopAt = 0;
  for (int i = 1; i <= 40 && !stopAt; ++i) {
    if (scan.PageReceived("http://a.de/p" + std::to_string(i) + (i % 3 ? ".html" : "/"), "20")) stopAt = i;
  }
  EXPECT_EQ(scan.ResultLines().size(), 20u);  // the start address and 19 found pages
  EXPECT_EQ(shown, scan.ResultLines());
  EXPECT_GT(stopAt, 19);

  scan.Begin(ScanMode::Discovery, "http://a.de/", 1);
  EXPECT_TRUE(scan.PageReceived("http://a.de/bild.png", "1"));  // the start address alone fills the limit

  // A limit edited into something that is no number keeps the one read at the start.
  scan.Begin(ScanMode::Discovery, "http://a.de/", 3);
  EXPECT_FALSE(scan.PageReceived("http://a.de/a.html", "drei"));
  EXPECT_TRUE(scan.PageReceived("http://a.de/b.html", ""));
  const auto end = scan.Finish("http://a.de/");
  EXPECT_EQ(end.newPages, (std::vector<std::string>{"http://a.de/", "http://a.de/a.html", "http://a.de/b.html"}));
  EXPECT_TRUE(end.summary.empty());
}

TEST_F(ScanFixture, BrokenLinksCountPagesNotPicturesAndNameTheReferrer) {
  scan.Begin(ScanMode::BrokenLinks, "http://a.de/");
  scan.Working(true);
  scan.PageReceived("http://a.de/");
  scan.PageReceived("http://a.de/ok.html");
  scan.Error("http://a.de/fehlt.png", "http://a.de/");
  scan.Error("http://a.de/fehlt.php", "http://a.de/ok.html");
  scan.Error("http://a.de/alt.htm");
  scan.StopRequested();
  const auto end = scan.Finish("http://a.de/");
  EXPECT_EQ(scan.ResultLines(),
            (std::vector<std::string>{"http://a.de/", "OK: http://a.de/", "OK: http://a.de/ok.html",
                                      "Broken Link ----- Die URL http://a.de/fehlt.php wird nicht gefunden! (verlinkt auf "
                                      "http://a.de/ok.html)",
                                      "Broken Link ----- Die URL http://a.de/alt.htm wird nicht gefunden!"}));
  EXPECT_EQ(end.summary, "Fertig: 2 Links sind OK. 2 Links sind defekt.");
  EXPECT_TRUE(end.offerSave);
  EXPECT_EQ(status, "   Working...    stopping...     Done.");
}

TEST_F(ScanFixture, MetaTagBlocksAndDeduplicatedKeywordFile) {
  scan.Begin(ScanMode::MetaTags, "http://a.de/");
  scan.MetaTag("http://a.de/", "TITLE", "Start", "");
  scan.MetaTag("http://a.de/", "meta", "keywords", "Haus, haus ,,Garten,");
  scan.MetaTag("http://a.de/", "META", "Keywords", "Boot");
  scan.MetaTag("http://a.de/", "META", "description", "Eine Seite");
  scan.MetaTag("http://a.de/b.html", "LINK", "stylesheet", "x.css");
  scan.MetaTag("http://a.de/", "META", "KEYWORDS", "GARTEN, Zaun");
  scan.PageReceived("http://a.de/c.html");  // adds nothing in this mode
  const auto end = scan.Finish("http://a.de/");
  EXPECT_EQ(scan.ResultLines(),
            (std::vector<std::string>{"http://a.de/", " ", " ", "URL: http://a.de/", "Title: Start",
                                      "Keywords: Haus, haus ,,Garten,", "Keywords: Boot", "Description: Eine Seite", " ",
                                      " ", "URL: http://a.de/b.html", " ", " ", "URL: http://a.de/",
                                      "Keywords: GARTEN, Zaun"}));
  EXPECT_EQ(scan.OkCount(), 3);
  EXPECT_EQ(end.summary, "Fertig: 3 Seiten wurden \xc3\xbc" "berpr\xc3\xbc" "ft!");
  EXPECT_EQ(end.keywordFile, dir.Path() + "keywords_httpxxxa_dex.txt");
  const std::string text = dir.Read("keywords_httpxxxa_dex.txt");
  EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
  std::vector<std::string> words;
  for (std::size_t s = 0, e; (e = text.find("\r\n", s)) != std::string::npos; s = e + 2) words.push_back(text.substr(s, e - s));
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[0], "Boot");
  EXPECT_TRUE(words[1] == "Garten" || words[1] == "GARTEN");
  EXPECT_TRUE(words[2] == "Haus" || words[2] == "haus");
  EXPECT_EQ(words[3], "Zaun");
}

TEST_F(ScanFixture, DedupKeepsOneLinePerKeyAcrossCase) {
  const std::string path = dir.Write("k.txt", "b;1\r\nA\r\n\r\na; 2\r\nB ;3\r\n\xdc" "ber\r\n\xfc" "ber\r\n");
  ASSERT_TRUE(SiteScan::DedupKeywordFile(path));
  const std::string text = dir.Read("k.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
}
