#include <gtest/gtest.h>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/HttpTransfer.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionRun.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

using namespace mw;

namespace {

const std::string kToday = "07.12.26";

// Three local engines; "Beta" cannot reach pages whose address holds "b.html".
struct EngineSite {
  mwtest::TestHttpServer server;
  int closedPort = 0;
  EngineSite() {
    mwtest::TestHttpServer closed;
    closedPort = closed.Port();
    closed.Stop();
    for (const char* e : {"/alpha", "/beta", "/gamma"}) server.Set(e, {200, "text/html", std::string("ok ") + e, 0, {}});
  }
  std::string Build(const std::string& engine, const std::string& page) const {
    if (engine == "Beta_DE" && page.find("b.html") != std::string::npos)
      return "http://127.0.0.1:" + std::to_string(closedPort) + "/beta?url=" + page;
    return server.Url("/" + LowerCase(engine.substr(0, engine.find('_')))) + "?url=" + page;
  }
};

std::string Fetch(const std::string& url) {
  HttpRequest r;
  r.url = url;
  r.userAgent = "Browser";
  r.proxy = ProxyChoice::Direct;
  const HttpResult result = PerformHttpGet(r);
  return result.Responded() ? result.body : "::ERROR:: " + url;
}

struct Recorder {
  std::vector<std::string> done, messages;
  std::vector<int> percents;
  std::vector<std::size_t> shown;
  int cancelAfter = -1;  // cancel once this many pages were attempted
  int attempts = 0;

  SubmissionRun::View View() {
    SubmissionRun::View v;
    v.showEngine = [this](std::size_t i, const std::vector<PageListEntry>&) { shown.push_back(i); };
    v.addDoneLine = [this](const std::string& l) { done.push_back(l); };
    v.progress = [this](int, int, int percent) { percents.push_back(percent); };
    v.processEvents = [this] { return ++attempts == cancelAfter; };
    v.information = [this](const std::string& m) { messages.push_back(m); };
    return v;
  }
};

class SubmissionRunTest : public ::testing::Test {
 protected:
  mwtest::TempProgramFolder dir;
  EngineSite site;
  Recorder rec;
  const std::vector<SubmissionEngine> engines{{"Alpha_DE", true}, {"Beta_DE", true}, {"Gamma_COM", true}};
  const std::vector<PageListEntry> shown{{"00.00.00", "http://a.de/a.html", true},
                                         {"01.01.05", "http://a.de/x.html", false},
                                         {"00.00.00", "http://a.de/b.html?x=1&y=2", true}};

  SubmissionRun MakeRun(const std::string& project = "Mein Projekt") {
    dir.MakeFolder("Projects/Project_0001");
    dir.MakeFolder("reports");
    SubmissionRun::Services services;
    services.buildSubmitUrl = [this](const std::string& e, const std::string& p) { return site.Build(e, p); };
    services.fetch = Fetch;
    services.today = [] { return kToday; };
    services.reportDate = [] { return std::string("07.12.2026"); };
    return SubmissionRun(dir.Path() + "Projects/Project_0001", dir.Path() + "reports", project, services, rec.View());
  }
  std::string List(const std::string& engine) { return dir.Read("Projects/Project_0001/" + engine + ".ser"); }
};

}  // namespace

TEST_F(SubmissionRunTest, FullRunSubmitsEveryMarkedPageToEveryMarkedEngine) {
  auto run = MakeRun();
  const auto out = run.Run(engines, "Alpha_DE", shown);
  EXPECT_TRUE(out.error.empty()) << out.error;
  EXPECT_EQ(out.total, 6);
  EXPECT_EQ(out.successes, 5);
  EXPECT_EQ(rec.percents.back(), 83);
  EXPECT_FALSE(out.cancelled);
  ASSERT_EQ(rec.done.size(), 6u);
  EXPECT_EQ(rec.done[0], "Alpha_DE ---> http://a.de/a.html ---> Seite angemeldet!");
  EXPECT_EQ(rec.done[3], "Beta_DE ---> http://a.de/b.html?x=1&y=2 ---> Seite nicht erreichbar!");
  EXPECT_EQ(rec.messages, (std::vector<std::string>{"Anmeldung fertig! Es wurden 5 Seite(n) angemeldet.",
                                                    "Suchmaschineneintrag erfolgreich durchgef\xc3\xbchrt!"}));
  const std::string expected =
      "07.12.26 | http://a.de/a.html | FALSE\r\n01.01.05 | http://a.de/x.html | FALSE\r\n"
      "07.12.26 | http://a.de/b.html?x=1&y=2 | FALSE\r\n";
  for (const auto& e : engines) EXPECT_EQ(List(e.name), expected) << e.name;
  EXPECT_EQ(out.shownEngine, 0u);
  EXPECT_EQ(rec.shown.front(), 0u);

  // Kept answers: the engine's page, or the marker for the unreachable one.
  EXPECT_EQ(dir.Read("reports/" + ResponseFileName("Gamma_COM", "http://a.de/a.html")), "ok /gamma");
  EXPECT_EQ(dir.Read("reports/" + ResponseFileName("Beta_DE", "http://a.de/b.html?x=1&y=2")).rfind("::ERROR:: ", 0), 0u);
  EXPECT_EQ(site.server.CountFor("/alpha"), 2u);
  EXPECT_EQ(site.server.CountFor("/beta"), 1u);

  // The report: head, four lines per attempt, end; foreign text escaped.
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(dir.Path() + "reports/mein_projekt.html", report));
  ASSERT_EQ(report.size(), 8u + 6 * 4 + 1);
  EXPECT_EQ(report[1].substr(report[1].size() - 31), "Resultate 07.12.2026</font><br>");
  EXPECT_EQ(report[8], "<tr bgcolor=\"#CCCCCC\">");
  EXPECT_EQ(report[9],
            "<td width=\"30%\"><a href=\"Alpha_DE_httpxxxa_dexa_html.html\"><font size=\"1\" face=\"Arial, Helvetica, "
            "sans-serif\">Alpha_DE</font></a></td>");
  const std::string b = site.Build("Alpha_DE", "http://a.de/b.html?x=1&amp;y=2");
  EXPECT_EQ(report[14], "<td width=\"70%\"><a href=\"" + b + "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + b +
                            "</font></a></td>");
  EXPECT_EQ(report.back(), "</table></body></html>");
}

TEST_F(SubmissionRunTest, CancelDuringTheSecondEngineKeepsTheThirdAsWrittenAtTheStart) {
  rec.cancelAfter = 3;  // the first page of the second engine
  auto run = MakeRun();
  const auto out = run.Run(engines, "Alpha_DE", shown);
  EXPECT_TRUE(out.cancelled);
  EXPECT_EQ(out.successes, 3);
  EXPECT_EQ(out.shownEngine, 1u);
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(List("Gamma_COM"),
            "00.00.00 | http://a.de/a.html | TRUE\r\n01.01.05 | http://a.de/x.html | FALSE\r\n"
            "00.00.00 | http://a.de/b.html?x=1&y=2 | TRUE\r\n");
  EXPECT_EQ(List("Beta_DE"),
            "07.12.26 | http://a.de/a.html | FALSE\r\n01.01.05 | http://a.de/x.html | FALSE\r\n"
            "00.00.00 | http://a.de/b.html?x=1&y=2 | TRUE\r\n");
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(out.reportPath, report));
  EXPECT_EQ(report.size(), 8u + 3 * 4 + 1);
}

TEST_F(SubmissionRunTest, NoEngineMarkedWritesTheHeadOnlyAndRewritesEveryList) {
  auto run = MakeRun();
  const std::vector<SubmissionEngine> none{{"Alpha_DE", false}, {"Beta_DE", false}};
  const auto out = run.Run(none, "Alpha_DE", shown);
  EXPECT_EQ(out.total, 0);
  EXPECT_EQ(site.server.RequestCount(), 0u);
  EXPECT_EQ(rec.messages, std::vector<std::string>{"Suchmaschineneintrag erfolgreich durchgef\xc3\xbchrt!"});
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(out.reportPath, report));
  EXPECT_EQ(report.size(), 9u);
  EXPECT_EQ(List("Beta_DE"), List("Alpha_DE"));
  EXPECT_NE(List("Beta_DE").find("| TRUE"), std::string::npos);
}

TEST_F(SubmissionRunTest, AListThatCannotBeWrittenEndsTheRunWithAGermanError) {
  auto run = MakeRun();
  dir.MakeFolder("Projects/Project_0001/Beta_DE.ser");  // a folder where the list should be
  const auto out = run.Run(engines, "Alpha_DE", shown);
  EXPECT_NE(out.error.find("kann nicht ge\xc3\xb6" "ffnet werden."), std::string::npos);
  EXPECT_FALSE(out.reportWritten);
  EXPECT_EQ(site.server.RequestCount(), 0u);
  EXPECT_EQ(List("Alpha_DE").substr(0, 8), "00.00.00");  // written whole before the failure
}

TEST_F(SubmissionRunTest, HttpThatCannotStartEndsTheRunWithoutAReport) {
  dir.MakeFolder("Projects/Project_0001");
  dir.MakeFolder("reports");
  SubmissionRun::Services services;
  services.buildSubmitUrl = [](const std::string&, const std::string& p) { return p; };
  services.fetch = [](const std::string&) -> std::string { throw std::runtime_error("Unable to initialize Wininet"); };
  SubmissionRun run(dir.Path() + "Projects/Project_0001", dir.Path() + "reports", "P", services, rec.View());
  const auto out = run.Run(engines, "Alpha_DE", shown);
  EXPECT_EQ(out.error, "Unable to initialize Wininet");
  EXPECT_FALSE(dir.Exists("reports/p.html"));
}

TEST(SubmissionRunRules, PercentRoundsHalfToEven) {
  EXPECT_EQ(SubmissionRun::Percent(5, 6), 83);
  EXPECT_EQ(SubmissionRun::Percent(1, 8), 12);   // 12.5
  EXPECT_EQ(SubmissionRun::Percent(3, 8), 38);   // 37.5
  EXPECT_EQ(SubmissionRun::Percent(0, 0), 0);
  EXPECT_EQ(SubmissionRun::Percent(6, 6), 100);
  EXPECT_EQ(TodayStamp().size(), 8u);
}
