#include <gtest/gtest.h>

#include <filesystem>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "store/PageList.h"
#include "submit/EngineTemplates.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionRun.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

using namespace mw;

namespace {

const std::string kA = "http://a.de/a.html", kX = "http://a.de/x.html", kB = "http://a.de/b.html?x=1&y=2";

// Local engines: Alpha accepts everything with 202; Beta accepts with 200 but rejects pages
// whose address holds "b.html" with 403; Gamma cannot be reached for those pages.
struct EngineSite {
  mwtest::TestHttpServer server;
  int closedPort = 0;
  EngineSite() {
    mwtest::TestHttpServer closed;
    closedPort = closed.Port();
    closed.Stop();
    server.Set("/alpha", {202, "text/plain", "", 0, {}});
    server.Set("/beta", {200, "text/html", "ok beta", 0, {}});
    server.Set("/beta-b", {403, "text/html", "verboten", 0, {}});
    server.Set("/gamma", {200, "text/html", "ok gamma", 0, {}});
  }
  std::string Build(const std::string& engine, const std::string& page) const {
    const bool b = page.find("b.html") != std::string::npos;
    if (engine == "Gamma_COM" && b) return "http://127.0.0.1:" + std::to_string(closedPort) + "/gamma";
    std::string path = "/" + LowerCase(engine.substr(0, engine.find('_')));
    if (engine == "Beta_DE" && b) path += "-b";
    return server.Url(path) + "?url=" + PercentEncodeQueryComponent(page);
  }
};

struct Recorder {
  std::vector<std::string> done, messages;
  std::vector<int> percents;
  int cancelAfter = -1;  // cancel once this many pages were attempted
  int attempts = 0;

  SubmissionRun::View View() {
    SubmissionRun::View v;
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
  int day = 6;  // each call of `today` is a new day, as a pass over midnight would see it
  // Delta is not ticked; it knows page A from an earlier run and page B not at all.
  const std::vector<SubmissionEngine> engines{
      {"Alpha_DE", true}, {"Beta_DE", true}, {"Delta_DE", false}, {"Gamma_COM", true}};
  const std::vector<PageListEntry> shown{{"00.00.00", kA, true}, {"01.01.05", kX, false}, {"00.00.00", kB, true}};

  void SetUp() override {
    dir.MakeFolder("reports");
    dir.MakeFolder("Projects/Project_0001");
    for (const char* e : {"Alpha_DE", "Beta_DE", "Gamma_COM"}) PageList::Write(ListPath(e), shown);
    PageList::Write(ListPath("Delta_DE"), {{"03.03.03", kA, false}, {"05.05.05", kX, false}});
  }
  std::string ListPath(const std::string& engine) const {
    return dir.Path() + "Projects/Project_0001/" + engine + ".ser";
  }
  SubmissionRun MakeRun(std::function<FetchAnswer(const std::string&)> fetch = {}) {
    SubmissionRun::Services services;
    services.buildSubmitUrl = [this](const std::string& e, const std::string& p) { return site.Build(e, p); };
    services.fetch = fetch ? fetch : [](const std::string& url) { return FetchURLAnswer(url, kMainFetchTimeoutMs); };
    services.today = [this] { return PadLeft(std::to_string(++day), 2, '0') + ".12.26"; };
    services.reportDate = [] { return std::string("07.12.2026"); };
    return SubmissionRun(dir.Path() + "Projects/Project_0001", dir.Path() + "reports", "Mein Projekt", services,
                         rec.View());
  }
  std::string List(const std::string& engine) { return dir.Read("Projects/Project_0001/" + engine + ".ser"); }
  static std::string Line(const std::string& date, const std::string& url, bool marked) {
    return FormatPageListLine({date, url, marked}) + "\r\n";
  }
};

}  // namespace

TEST_F(SubmissionRunTest, AcceptedRejectedAndUnreachableAttemptsAreToldApartEverywhere) {
  const auto out = MakeRun().Run(engines, shown);
  EXPECT_TRUE(out.error.empty()) << out.error;
  EXPECT_EQ(out.total, 6);
  EXPECT_EQ(out.successes, 4);
  EXPECT_EQ(out.failures, 2);
  EXPECT_EQ(rec.percents.back(), 67);
  EXPECT_EQ(rec.done, (std::vector<std::string>{
                          "Alpha_DE ---> " + kA + " ---> Seite angemeldet!",
                          "Alpha_DE ---> " + kB + " ---> Seite angemeldet!",
                          "Beta_DE ---> " + kA + " ---> Seite angemeldet!",
                          "Beta_DE ---> " + kB + " ---> Seite abgelehnt (HTTP 403)!",
                          "Gamma_COM ---> " + kA + " ---> Seite angemeldet!",
                          "Gamma_COM ---> " + kB + " ---> Seite nicht erreichbar!",
                      }));
  EXPECT_EQ(rec.messages,
            (std::vector<std::string>{"Anmeldung fertig! Es wurden 4 Seite(n) angemeldet.",
                                      "Anmeldung beendet: 4 von 6 Seiten angemeldet. Nicht angenommene Seiten bleiben "
                                      "markiert."}));

  // Each engine dates what it accepted, each page with the date of its own answer; B, which
  // two engines did not take, stays marked in every list; Delta's dates never change.
  EXPECT_EQ(List("Alpha_DE"), Line("07.12.26", kA, false) + Line("01.01.05", kX, false) + Line("08.12.26", kB, true));
  EXPECT_EQ(List("Beta_DE"), Line("09.12.26", kA, false) + Line("01.01.05", kX, false) + Line("00.00.00", kB, true));
  EXPECT_EQ(List("Gamma_COM"), Line("10.12.26", kA, false) + Line("01.01.05", kX, false) + Line("00.00.00", kB, true));
  EXPECT_EQ(List("Delta_DE"), Line("03.03.03", kA, false) + Line("05.05.05", kX, false) + Line("00.00.00", kB, true));
  EXPECT_EQ(out.shownEngine, 0u);

  // Kept answers: the rejection's body too, the marker for the unreachable page.
  EXPECT_EQ(dir.Read("reports/" + ResponseFileName("Beta_DE", kB)), "verboten");
  EXPECT_EQ(dir.Read("reports/" + ResponseFileName("Gamma_COM", kB)).rfind("::ERROR:: ", 0), 0u);

  // The report marks the two failures in the engine cell; accepted lines are as before.
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(dir.Path() + "reports/mein_projekt.html", report));
  ASSERT_EQ(report.size(), 8u + 6 * 4 + 1);
  const auto cell = [](const std::string& engine, const std::string& page, const std::string& text) {
    return "<td width=\"30%\"><a href=\"" + HtmlEscape(ResponseFileName(engine, page)) +
           "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + text + "</font></a></td>";
  };
  EXPECT_EQ(report[9], cell("Alpha_DE", kA, "Alpha_DE"));
  EXPECT_EQ(report[21], cell("Beta_DE", kB, "Beta_DE (abgelehnt, HTTP 403)"));
  EXPECT_EQ(report[29], cell("Gamma_COM", kB, "Gamma_COM (nicht erreichbar)"));
  const std::string b = HtmlEscape(site.Build("Alpha_DE", kB));
  EXPECT_EQ(report[14], "<td width=\"70%\"><a href=\"" + b +
                            "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + b + "</font></a></td>");
  EXPECT_EQ(report.back(), "</table></body></html>");
}

TEST_F(SubmissionRunTest, EveryAttemptAcceptedUnmarksEveryPageAndSaysSo) {
  const std::vector<SubmissionEngine> alphaOnly{{"Alpha_DE", true}, {"Beta_DE", false}};
  const auto out = MakeRun().Run(alphaOnly, shown);
  EXPECT_EQ(out.failures, 0);
  EXPECT_EQ(rec.messages.back(), kAllAcceptedText);
  EXPECT_EQ(List("Beta_DE"), Line("00.00.00", kA, false) + Line("01.01.05", kX, false) + Line("00.00.00", kB, false));
}

TEST_F(SubmissionRunTest, CancelDuringTheSecondEngineKeepsTheThirdAsWrittenAtTheStart) {
  rec.cancelAfter = 3;  // the first page of the second engine
  const auto out = MakeRun().Run(engines, shown);
  EXPECT_TRUE(out.cancelled);
  EXPECT_EQ(out.successes, 3);
  EXPECT_EQ(out.shownEngine, 1u);
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(List("Gamma_COM"), Line("00.00.00", kA, true) + Line("01.01.05", kX, false) + Line("00.00.00", kB, true));
  EXPECT_EQ(List("Beta_DE"), Line("09.12.26", kA, false) + Line("01.01.05", kX, false) + Line("00.00.00", kB, true));
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(out.reportPath, report));
  EXPECT_EQ(report.size(), 8u + 3 * 4 + 1);
}

TEST_F(SubmissionRunTest, ACancelWhileARequestIsUnderWayLeavesThatPageAsItWas) {
  int calls = 0;
  const auto out = MakeRun([&](const std::string& url) {
                     if (++calls == 2) return FetchAnswer{"::ERROR:: " + url, 0, true};
                     return FetchURLAnswer(url, kMainFetchTimeoutMs);
                   }).Run(engines, shown);
  EXPECT_TRUE(out.cancelled);
  EXPECT_EQ(rec.done.size(), 1u);
  EXPECT_EQ(List("Alpha_DE"), Line("07.12.26", kA, false) + Line("01.01.05", kX, false) + Line("00.00.00", kB, true));
  EXPECT_FALSE(dir.Exists("reports/" + ResponseFileName("Alpha_DE", kB)));
  std::vector<std::string> report;
  ASSERT_TRUE(ReadLineFile(out.reportPath, report));
  EXPECT_EQ(report.size(), 8u + 1 * 4 + 1);
}

TEST_F(SubmissionRunTest, NoEngineMarkedSendsAndWritesNothing) {
  const std::string before = List("Beta_DE");
  const std::vector<SubmissionEngine> none{{"Alpha_DE", false}, {"Beta_DE", false}};
  const auto out = MakeRun().Run(none, {{"00.00.00", kA, false}});
  EXPECT_TRUE(out.noEngine);
  EXPECT_EQ(site.server.RequestCount(), 0u);
  EXPECT_EQ(rec.messages, std::vector<std::string>{"Es ist keine Suchmaschine ausgew\xc3\xa4hlt!"});
  EXPECT_FALSE(dir.Exists("reports/mein_projekt.html"));
  EXPECT_EQ(List("Beta_DE"), before);
}

TEST_F(SubmissionRunTest, AListThatCannotBeReadEndsTheRunBeforeAnyListIsWritten) {
  const std::string before = List("Alpha_DE");
  std::filesystem::remove(ListPath("Beta_DE"));
  dir.MakeFolder("Projects/Project_0001/Beta_DE.ser");  // a folder where the list should be
  const auto out = MakeRun().Run(engines, {{"00.00.00", kA, true}});
  EXPECT_NE(out.error.find("Beta_DE.ser"), std::string::npos) << out.error;
  EXPECT_FALSE(out.reportWritten);
  EXPECT_EQ(site.server.RequestCount(), 0u);
  EXPECT_EQ(List("Alpha_DE"), before);
}

TEST_F(SubmissionRunTest, HttpThatCannotStartEndsTheRunWithoutAReport) {
  const auto out = MakeRun([](const std::string&) -> FetchAnswer {
                     throw std::runtime_error("Unable to initialize Wininet");
                   }).Run(engines, shown);
  EXPECT_EQ(out.error, "Unable to initialize Wininet");
  EXPECT_FALSE(dir.Exists("reports/mein_projekt.html"));
}

TEST_F(SubmissionRunTest, MarkChoicesForScriptedRuns) {
  // Alpha dated A; Beta still has B marked from a run that Beta did not accept it in.
  PageList::Write(ListPath("Alpha_DE"), {{"07.12.26", kA, false}, {"00.00.00", kX, false}, {"00.00.00", kB, false}});
  PageList::Write(ListPath("Beta_DE"), {{"00.00.00", kA, false}, {"00.00.00", kX, false}, {"00.00.00", kB, true}});
  const std::vector<SubmissionEngine> ticked{{"Alpha_DE", true}, {"Beta_DE", true}, {"Delta_DE", false}};
  const struct {
    MarkChoice choice;
    std::vector<bool> marks;
  } cases[] = {{MarkChoice::AsListed, {true, false, true}},
               {MarkChoice::All, {true, true, true}},
               {MarkChoice::New, {false, true, true}},  // Delta's date of X does not count: it is not ticked
               {MarkChoice::Failed, {false, false, true}}};
  for (const auto& c : cases) {
    std::vector<PageListEntry> entries = shown;
    ASSERT_TRUE(ApplyMarkChoice(dir.Path() + "Projects/Project_0001", ticked, c.choice, entries));
    std::vector<bool> marks;
    for (const auto& e : entries) marks.push_back(e.marked);
    EXPECT_EQ(marks, c.marks) << int(c.choice);
  }
}

TEST(SubmissionRunRules, PercentAndClosingMessage) {
  EXPECT_EQ(SubmissionRun::Percent(5, 6), 83);
  EXPECT_EQ(SubmissionRun::Percent(1, 8), 12);  // 12.5
  EXPECT_EQ(SubmissionRun::Percent(3, 8), 38);  // 37.5
  EXPECT_EQ(SubmissionRun::Percent(0, 0), 0);
  EXPECT_EQ(TodayStamp().size(), 8u);
  EXPECT_EQ(ClosingMessage(6, 6), kAllAcceptedText);
  EXPECT_EQ(ClosingMessage(0, 2),
            "Anmeldung beendet: 0 von 2 Seiten angemeldet. Nicht angenommene Seiten bleiben markiert.");
}
