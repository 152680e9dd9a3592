// The ranking run against local result-page servers: positions, pages that could not be
// searched, the report, the Temp files and the ranking history with its chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "RankingEngines.h"
#include "common/Files.h"
#include "ranking/RankingHistory.h"
#include "ranking/RankingRun.h"
#include "ranking/RankingTemplates.h"

using namespace mw;
using mwtest::RankingEngines;

namespace {

struct Runner {
  RankingEngines& e;
  std::string project = "Mein <Projekt> & \"Co\"";
  std::string stamp = "2026-03-14 09:05:00";
  std::vector<std::string> lines{};

  RankingRun::Outcome operator()(std::vector<std::string> engines, int pageLimit, std::string keyword = "gute seite") {
    RankingRun::Services services;
    services.fetch = [](const std::string& url) { return FetchURLAnswer(url, kRankingFetchTimeoutMs); };
    services.buildUrl = [t = e.dir.Templates()](const std::string& engine, int page, const std::string& kw) {
      return BuildRankingURL(t, engine, page, kw);
    };
    services.reportDate = [] { return std::string("14.03.26"); };
    services.timeStamp = [this] { return stamp; };
    RankingRun::View view;
    view.addLine = [this](const std::string& line) { lines.push_back(line); };
    RankingRun run(e.dir.Path() + "Temp/", e.dir.Path() + "reports/", project, services, view);
    RankingRun::Request request;
    request.engines = std::move(engines);
    request.keyword = std::move(keyword);
    request.searchAddress = mwtest::kSite;
    request.pageLimit = pageLimit;
    return run.Run(request);
  }
};

std::vector<std::string> Progress(const std::string& engine, int pages) {
  std::vector<std::string> lines{};
  for (int p = 1; p <= pages; ++p) lines.push_back("Durchsuche Page: " + std::to_string(p) + " / " + engine);
  return lines;
}

const std::vector<std::string> kReportHead = {
    "<html><head><title>Meldewerk</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=iso-8859-1\"></head>",
    "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\"><b><font "
    "size=\"5\" face=\"Arial, Helvetica, sans-serif\" color=\"#000099\">Meldewerk Ranking-Resultate "
    "14.03.26</font><br>",
    "<b><font size=\"4\" face=\"Arial, Helvetica, sans-serif\" color=\"#000000\">Projekt: Mein &lt;Projekt&gt; &amp; "
    "&quot;Co&quot;</font>",
    "<font size=\"3\" face=\"Arial, Helvetica, sans-serif\"><br></font></b><hr><br>",
    "<table width=\"100%\" border=\"0\" cellspacing=\"2\" cellpadding=\"1\" bgcolor=\"#ffffff\" ><tr "
    "bgcolor=\"#000099\"><td width=\"30%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, sans-serif\" "
    "size=\"2\">Ranking:",
    "</font></b></td><td width=\"70%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, sans-serif\" "
    "size=\"2\">Seite mit Suchergebnis starten:</font><font color=\"#000000\" face=\"Verdana, Arial, Helvetica, "
    "sans-serif\" size=\"2\">",
    "</font></b></td>",
    "  </tr>",
};

std::vector<std::string> EngineRows(const std::string& resultLine, const std::string& href) {
  return {"<tr bgcolor=\"#CCCCCC\">",
          "<td width=\"30%\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + resultLine + "</font></a></td>",
          "<td width=\"70%\"><a href=\"" + href +
              "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">Seite anzeigen</font></a></td>",
          "</tr>"};
}

template <typename... Parts>
std::vector<std::string> Concat(const Parts&... parts) {
  std::vector<std::string> all;
  (all.insert(all.end(), parts.begin(), parts.end()), ...);
  return all;
}

}  // namespace

TEST(RankingRun, PositionsAndPagesThatCouldNotBeSearched) {
  RankingEngines e;
  Runner run{e};
  const auto out = run({"Found_DE", "Never_COM", "Down_DE", "Blocked_DE"}, 5);
  ASSERT_EQ(out.error, "");
  EXPECT_TRUE(out.AnyFound());
  EXPECT_EQ(
      run.lines,
      Concat(Progress("Found_DE", 3), std::vector<std::string>{"Position: Found_DE / Page 3"}, Progress("Never_COM", 5),
             std::vector<std::string>{"Position: Never_COM / nicht gefunden"}, Progress("Down_DE", 5),
             std::vector<std::string>{"Position: Down_DE / nicht gefunden (5 von 5 Seiten nicht abrufbar)"},
             Progress("Blocked_DE", 5),
             std::vector<std::string>{"Position: Blocked_DE / nicht gefunden (2 von 5 Seiten nicht abrufbar)"}));
  // Pages 4 and 5 of the engine that found the site are not fetched.
  EXPECT_EQ(e.server.CountFor("/found"), 3u);
  EXPECT_TRUE(e.dir.Exists("Temp/Found_DE3.html"));
  EXPECT_FALSE(e.dir.Exists("Temp/Found_DE4.html"));
  EXPECT_EQ(e.dir.Read("Temp/Blocked_DE1.html"), "Zu viele Anfragen von www.meine-seite.de");
  EXPECT_TRUE(IsFetchError(e.dir.Read("Temp/Down_DE5.html")));

  // The report, line by line: the found engine links to the page it was found on, the others
  // to the last page searched; inserted texts are escaped.
  const std::string found = e.server.Url("/found") + "?q=gute+seite&amp;p=2";
  const std::string down = "http://127.0.0.1:" + std::to_string(e.closedPort) + "/s?q=gute+seite&amp;p=4";
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(out.reportPath, report));
  EXPECT_EQ(out.reportPath, e.dir.Path() + "reports/Ranking_mein_xprojektx_a__co_.html");
  EXPECT_EQ(report,
            Concat(kReportHead, EngineRows("Position: Found_DE / Page 3", found),
                   EngineRows("Position: Never_COM / nicht gefunden", e.server.Url("/never") + "?q=gute+seite&amp;p=4"),
                   EngineRows("Position: Down_DE / nicht gefunden (5 von 5 Seiten nicht abrufbar)", down),
                   EngineRows("Position: Blocked_DE / nicht gefunden (2 von 5 Seiten nicht abrufbar)",
                              e.server.Url("/blocked") + "?q=gute+seite&amp;p=4"),
                   std::vector<std::string>{"</table></body></html>"}));
}

TEST(RankingRun, NothingToSearchStillGivesAReport) {
  RankingEngines e;
  struct Case {
    std::vector<std::string> engines;
    int pageLimit;
    std::vector<std::string> lines{};
    std::size_t reportLines;
  };
  for (const auto& c : std::vector<Case>{{{"Found_DE", "Down_DE"},
                                          0,
                                          {"Position: Found_DE / nicht gefunden", "Position: Down_DE / nicht gefunden"},
                                          17},
                                         {{"Found_DE"}, -3, {"Position: Found_DE / nicht gefunden"}, 13},
                                         {{}, 5, {}, 9}}) {
    Runner run{e};
    const auto out = run(c.engines, c.pageLimit);
    EXPECT_EQ(run.lines, c.lines) << c.pageLimit;
    EXPECT_FALSE(out.AnyFound());
    std::vector<std::string> report;
    ASSERT_TRUE(ReadLineFile(out.reportPath, report));
    ASSERT_EQ(report.size(), c.reportLines);
    if (!c.engines.empty()) {
      EXPECT_EQ(report[10], EngineRows("", "")[2]) << "an engine not searched links nowhere";
    }
  }
  EXPECT_EQ(e.server.RequestCount(), 0u);
}

TEST(RankingRun, HistoryGrowsByOneRowPerEngineAndRun) {
  RankingEngines e;
  Runner run{e};
  run({"Found_DE", "Blocked_DE"}, 5, "gute, \"seite\"");
  run.stamp = "2026-03-15 10:00:00";
  e.Template("Found_DE", e.server.Url("/never") + "?q=KLXKEYWORD&p=KLXPOS");  // the site dropped out
  run({"Found_DE", "Blocked_DE"}, 2, "gute, \"seite\"");

  const std::string csv = e.dir.Path() + "reports/Ranking_mein_xprojektx_a__co_.csv";
  std::vector<std::string> lines{};
  ASSERT_TRUE(ReadLineFile(csv, lines));
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                kRankingHistoryHeader, "2026-03-14 09:05:00,\"gute, \"\"seite\"\"\",www.meine-seite.de,Found_DE,3,0,3",
                "2026-03-14 09:05:00,\"gute, \"\"seite\"\"\",www.meine-seite.de,Blocked_DE,,2,5",
                "2026-03-15 10:00:00,\"gute, \"\"seite\"\"\",www.meine-seite.de,Found_DE,,0,2",
                "2026-03-15 10:00:00,\"gute, \"\"seite\"\"\",www.meine-seite.de,Blocked_DE,,2,2"}));
  std::vector<RankingHistoryRow> rows;
  ASSERT_TRUE(ReadRankingHistory(csv, rows));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].keyword, "gute, \"seite\"");
  EXPECT_EQ(rows[3].failedPages, 2);

  // The chart page: one chart and one table per keyword and engine, two runs on each line,
  // the second Found_DE run drawn on the "nicht gefunden" line; nothing loaded from outside.
  const std::string chartPath = e.dir.Path() + "reports/" + RankingChartFileName(run.project);
  ASSERT_TRUE(WriteRankingChart(csv, chartPath, run.project));
  const std::string chart = e.dir.Read("reports/RankingVerlauf_mein_xprojektx_a__co_.html");
  const auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (auto at = chart.find(what); at != std::string::npos; at = chart.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<svg"), 2u);
  EXPECT_EQ(count("<table"), 2u);
  EXPECT_EQ(count("<circle"), 4u);
  EXPECT_EQ(count("<script"), 0u);
  EXPECT_EQ(count("src="), 0u);
  EXPECT_EQ(count("href"), 0u);
  EXPECT_NE(chart.find("Projekt: Mein &lt;Projekt&gt; &amp; &quot;Co&quot;"), std::string::npos);
  EXPECT_NE(chart.find("Suchbegriff: gute, &quot;seite&quot;"), std::string::npos);
  EXPECT_NE(chart.find("nicht gefunden (2 von 5 Seiten nicht abrufbar)"), std::string::npos);
  // Page 1 at the top, "nicht gefunden" below page 3, the last page searched for Found_DE.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(chart, m, std::regex("points=\"\\d+,(\\d+) \\d+,(\\d+)\"")));
  const std::regex label("y=\"(\\d+)\" text-anchor=\"end\">nicht gefunden<");
  std::smatch bottom;
  ASSERT_TRUE(std::regex_search(chart, bottom, label));
  EXPECT_LT(std::stoi(m[1]), std::stoi(m[2]));
  EXPECT_EQ(std::stoi(m[2]) + 4, std::stoi(bottom[1]));

  EXPECT_FALSE(WriteRankingChart(e.dir.Path() + "reports/none.csv", chartPath, run.project));
}

TEST(RankingRun, AFileThatCannotBeWrittenEndsTheRunAndKeepsTheHistory) {
  RankingEngines e;
  Runner run{e};
  run({"Never_COM"}, 1);
  const std::string csv = e.dir.Read("reports/Ranking_mein_xprojektx_a__co_.csv");
  ASSERT_NE(csv, "");
  std::filesystem::remove_all(e.dir.Path() + "Temp");
  e.dir.Write("Temp", "a file where the folder belongs");
  const auto out = run({"Never_COM"}, 1);
  EXPECT_NE(out.error, "");
  EXPECT_FALSE(out.reportWritten);
  EXPECT_EQ(e.dir.Read("reports/Ranking_mein_xprojektx_a__co_.csv"), csv);
}

TEST(RankingSearch, AddressAndPageRules) {
  for (const auto& [typed, address] :
       std::vector<std::pair<std::string, std::string>>{{"HTTP://www.Meine-Seite.DE/", "www.meine-seite.de"},
                                                        {"http://www.a.de/sub/Seite.html", "seite.html"},
                                                        {"www.a.de", "www.a.de"},
                                                        {"", ""}}) {
    EXPECT_EQ(RankingSearchAddress(typed), address) << typed;
  }
  EXPECT_TRUE(PageNamesSite("x\r\nauf WWW.A.DE/ steht", "www.a.de"));
  EXPECT_FALSE(PageNamesSite("www.a.de", ""));  // an empty address is never found
  EXPECT_FALSE(PageNamesSite("www.a\r\n.de", "www.a.de"));
  std::string big(10 << 20, '\0');
  big.replace(big.size() - 8, 8, "www.a.de");
  EXPECT_TRUE(PageNamesSite(big, "www.a.de"));

  std::string message;
  EXPECT_FALSE(CheckRankingInput("  ", "www.a.de", message));
  EXPECT_EQ(message, kNoKeywordText);
  EXPECT_FALSE(CheckRankingInput("wort", " www. ", message));
  EXPECT_EQ(message, kNoSiteText);
  EXPECT_TRUE(CheckRankingInput("wort ", "", message));
}

TEST(RankingRun, TemplatesAndKeywordsThatCannotGiveAPageCountAsNotSearched) {
  RankingEngines e;
  e.dir.Write("Projects/templates/NoUrl_DE.ran", "[SETTINGS]\r\nOffset=0\r\n");
  Runner run{e};
  const auto out = run({"NoUrl_DE", "Found_DE"}, 2, std::string(10000, 'k'));
  ASSERT_EQ(out.error, "");
  ASSERT_EQ(out.results.size(), 2u);
  EXPECT_EQ(out.results[0].ResultLine(), "Position: NoUrl_DE / nicht gefunden (2 von 2 Seiten nicht abrufbar)");
  // The local server refuses an address this long (414), as real engines do.
  EXPECT_EQ(out.results[1].ResultLine(), "Position: Found_DE / nicht gefunden (2 von 2 Seiten nicht abrufbar)");
  EXPECT_TRUE(out.reportWritten);
}
