#include <gtest/gtest.h>

#include "submit/ResultReport.h"
#include "submit/SubmissionReport.h"

using namespace mw;

TEST(ResultReport, EscapesOutsideTextsAndKeepsFixedLines) {
  EXPECT_EQ(HtmlEscape("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d'");
  ResultReport report("<script>alert(1)</script>", "07.12.2026");
  report.AddAttempt("E_DE", "http://x/\"><script>", "http://e/?u=\"><script>");
  report.Finish();
  const auto& l = report.Lines();
  ASSERT_EQ(l.size(), 13u);
  EXPECT_EQ(l[0],
            "<html><head><title>Meldewerk</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=iso-8859-1\"></head>");
  EXPECT_EQ(l[2], "<b><font size=\"4\" face=\"Arial, Helvetica, sans-serif\" color=\"#000000\">Projekt: "
                  "&lt;script&gt;alert(1)&lt;/script&gt;</font>");
  EXPECT_EQ(l[7], "  </tr>");
  for (const auto& line : l) EXPECT_EQ(line.find("<script"), std::string::npos) << line;
}

TEST(ResultReport, ResponseFileNamesFitTheFileSystem) {
  EXPECT_EQ(ResponseFileName("Google_DE", "http://www.a.de/"), "Google_DE_httpxxxwww_a_dex.html");
  EXPECT_EQ(ResponseFileName("E", "192.168.1.1/"), "E_x92_168_1_1x.html");
  const std::string a = ResponseFileName("E", "http://a.de/?q=" + std::string(400, 'a'));
  const std::string b = ResponseFileName("E", "http://a.de/?q=" + std::string(400, 'a') + "b");
  EXPECT_EQ(a.size(), 255u);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a.ends_with(".html"));
  EXPECT_EQ(ResultReportFileName("Mein Projekt!"), "mein_projekt_.html");
  // A title of 300 bytes still gives a report that can be written.
  const std::string longTitle = ResultReportFileName(std::string(300, 'T'));
  EXPECT_EQ(longTitle.size(), 255u);
  EXPECT_TRUE(longTitle.ends_with(".html"));
}

TEST(SubmissionReport, HeadThenPerEngineBlock) {
  const std::vector<PageListEntry> pages{{"00.00.00", "http://a/", false}, {"07.12.26", "http://b/", true},
                                         {"00.00.00", "http://c/", true}};
  const auto lines = SubmissionReportLines("P", {{"A_DE", pages}, {"B_COM", pages}});
  ASSERT_EQ(lines.size(), 8u + 2 * (4 + 3 + 3));
  EXPECT_EQ(lines[2], "Meldewerk Anmeldebericht");
  EXPECT_EQ(lines[4], "Projekt: P");
  EXPECT_EQ(lines[5], std::string(61, '_'));
  EXPECT_EQ(lines[8], "Suchmaschine: A_DE");
  EXPECT_EQ(lines[10], "Datum         Page ");
  EXPECT_EQ(lines[11], std::string(61, '-'));
  EXPECT_EQ(lines[13], "07.12.26     http://b/");
  EXPECT_EQ(PrintedReportLines("07.12.2026", {}).size(), 3u);
}
