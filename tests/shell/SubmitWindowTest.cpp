// Step 4 in the window: the submission run against local engines, cancelling, the start
// checks, and the two reports of the "Berichte" menu.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>

#include "MainFormHarness.h"
#include "common/Files.h"
#include "platform/FetchURL.h"
#include "platform/TextPrinter.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionRun.h"
#include "submit/fMeldebericht.h"
#include "support/TestHttpServer.h"

using mwtest::MainFormHarness;

namespace {

// Three engines on one local server. Alpha and Gamma take the page as a parameter; Beta's
// template sends the request to the page's own address, so a page on a closed port cannot be
// reached there, and a page address with a query gets a second "?".
struct Engines {
  mwtest::TestHttpServer server;
  int closedPort = 0;
  std::string pageA, pageX, pageB;

  explicit Engines(bool queryInA) {
    mwtest::TestHttpServer closed;
    closedPort = closed.Port();
    closed.Stop();
    server.SetPage("/product", "<html>Meldewerk</html>");
    server.SetPage("/alpha", "danke alpha");
    server.SetPage("/gamma", "danke gamma");
    server.SetPage("/a.html", "danke beta");
    pageA = server.Url(queryInA ? "/a.html?x=1+2&y=3" : "/a.html");
    pageX = "http://www.beispiel.de/x.html";
    pageB = "http://127.0.0.1:" + std::to_string(closedPort) + "/b.html";
  }
  void Templates(const MainFormHarness& h) const {
    const auto write = [&](const std::string& engine, const std::string& basicUrl) {
      h.dir.Write("Projects/templates/" + engine + ".ini", "[SETTINGS]\r\nBasicURL=" + basicUrl + "\r\n");
    };
    write("Alpha_DE", server.Url("/alpha") + "?url=KLXURL&name=KLXNAME&mail=KLXMAIL");
    write("Beta_DE", "KLXURL?engine=beta");
    write("Gamma_COM", server.Url("/gamma") + "?url=KLXURL&name=KLXNAME&mail=KLXMAIL");
  }
};

// A window with a project "Mein Projekt & Co", the three engines ticked and the pages A, X, B
// in every list; step 4 is shown with A and B ticked.
struct Step4 {
  Engines engines;
  MainFormHarness h;
  mw::TMainForm* m = nullptr;

  explicit Step4(bool queryInA = true) : engines(queryInA) {
    engines.Templates(h);
    h.Build();
    h.context.facts.productPage = engines.server.Url("/product");
    m = &h.Main();
    h.CreateProject("Mein Projekt & Co");
    m->BitBtn3->click();  // every engine
    m->ErgMemo->setPlainText(QString::fromStdString(engines.pageA + "\n" + engines.pageX + "\n" + engines.pageB));
    m->AddPagesToProject();
    h.UserSelectsTab(4);
    m->CheckListBox1->item(0)->setCheckState(Qt::Checked);
    m->CheckListBox1->item(2)->setCheckState(Qt::Checked);
    h.dialogs.Clear();
  }
  std::string List(const std::string& engine) const { return h.ProjectFile(engine + ".ser"); }
  std::string Line(const std::string& date, const std::string& url, bool marked) const {
    return date + " | " + url + (marked ? " | TRUE\r\n" : " | FALSE\r\n");
  }
  std::vector<std::string> Targets() const {
    std::vector<std::string> targets;
    for (const auto& r : engines.server.Requests()) targets.push_back(r.target);
    return targets;
  }
};

std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  for (const QString& l : memo->toPlainText().split(QLatin1Char('\n'))) lines.push_back(l.toStdString());
  return lines;
}

// Queues a click on the main thread, as a user's click arriving while a request runs.
void QueueClick(QPushButton* button) {
  QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
}

// Holds a server's answer back until the test opens it (or a generous bound passes), so a
// request is certainly under way when the window acts.
class Gate {
 public:
  ~Gate() { Open(); }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    cv_.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool open_ = false;
};

bool WaitFor(const std::function<bool()>& done, int boundMs = 10000) {
  QEventLoop loop;
  QTimer poll, bound;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(20);
  bound.start(boundMs);
  if (!done()) loop.exec();
  return done();
}

}  // namespace

TEST(SubmitWindow, FullRunSubmitsDatesKeepsAnswersAndReports) {
  Step4 s(false);
  auto& m = *s.m;
  // A second click while the first request is under way must not start a second run.
  s.engines.server.Handle("/alpha", [&](const httplib::Request&, httplib::Response& res) {
    QueueClick(m.AlleAnmeldenBitBtn);
    res.set_content("danke alpha", "text/html");
  });
  m.AlleAnmeldenBitBtn->click();
  const std::string a = s.engines.pageA, x = s.engines.pageX, b = s.engines.pageB;

  const std::string contact = "&name=Erika%20Muster&mail=erika@example.org";
  EXPECT_EQ(s.Targets(), (std::vector<std::string>{"/product", "/alpha?url=" + a + contact, "/alpha?url=" + b + contact,
                                                   "/a.html?engine=beta", "/gamma?url=" + a + contact,
                                                   "/gamma?url=" + b + contact}));
  EXPECT_EQ(m.SubmitLabel->text(), QStringLiteral("Angemeldet: 5 von 6"));
  EXPECT_EQ(m.ProgressBar1->value(), 83);
  EXPECT_EQ(s.h.dialogs.Texts(),
            (std::vector<std::string>{"Anmeldung fertig! Es wurden 5 Seite(n) angemeldet.",
                                      "Anmeldung beendet: 5 von 6 Seiten angemeldet. Nicht angenommene Seiten bleiben "
                                      "markiert."}));
  EXPECT_EQ(MemoLines(m.DoneMemo),
            (std::vector<std::string>{
                "Angemeldete Seiten:", "Alpha_DE ---> " + a + " ---> Seite angemeldet!",
                "Alpha_DE ---> " + b + " ---> Seite angemeldet!", "Beta_DE ---> " + a + " ---> Seite angemeldet!",
                "Beta_DE ---> " + b + " ---> Seite nicht erreichbar!",
                "Gamma_COM ---> " + a + " ---> Seite angemeldet!", "Gamma_COM ---> " + b + " ---> Seite angemeldet!"}));

  // Each list dates what its engine accepted; B, which Beta could not take, stays marked.
  const std::string today = mw::TodayStamp();
  const std::string dated = s.Line(today, a, false) + s.Line("00.00.00", x, false) + s.Line(today, b, true);
  for (const char* engine : {"Alpha_DE", "Gamma_COM"}) EXPECT_EQ(s.List(engine), dated) << engine;
  EXPECT_EQ(s.List("Beta_DE"), s.Line(today, a, false) + s.Line("00.00.00", x, false) + s.Line("00.00.00", b, true));

  // End state: the first engine's list loaded but the result lines still shown.
  EXPECT_EQ(m.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(m.ShownList().Engine(), "Alpha_DE");
  ASSERT_EQ(m.CheckListBox1->count(), 3);
  EXPECT_EQ(m.CheckListBox1->item(0)->text().toStdString(), today + "     " + a);
  EXPECT_EQ(m.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(m.CheckListBox1->item(2)->checkState(), Qt::Checked);
  EXPECT_TRUE(m.CheckListBox1->isHidden());
  EXPECT_FALSE(m.DoneMemo->isHidden());
  EXPECT_TRUE(m.ResultatBitBtn->isEnabled());
  EXPECT_TRUE(m.AbortBitBtn->isEnabled());
  EXPECT_TRUE(m.AlleAnmeldenBitBtn->isEnabled());
  EXPECT_TRUE(m.MayClose);

  // Kept answers, one per engine and page.
  EXPECT_TRUE(s.h.dir.Exists("reports/" + mw::ResponseFileName("Alpha_DE", a)));
  EXPECT_EQ(s.h.dir.Read("reports/" + mw::ResponseFileName("Alpha_DE", b)), "danke alpha");
  EXPECT_EQ(s.h.dir.Read("reports/" + mw::ResponseFileName("Beta_DE", b)), "::ERROR:: " + b + "?engine=beta");
  EXPECT_EQ(s.h.dir.Read("reports/" + mw::ResponseFileName("Gamma_COM", b)), "danke gamma");

  // The result report, line by line; the project name and the addresses are escaped.
  std::vector<std::string> expected = {
      "<html><head><title>Meldewerk</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=iso-8859-1\"></head>",
      "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\"><b><font "
      "size=\"5\" face=\"Arial, Helvetica, sans-serif\" color=\"#000099\">Meldewerk Resultate " +
          mw::ShortDateText() + "</font><br>",
      "<b><font size=\"4\" face=\"Arial, Helvetica, sans-serif\" color=\"#000000\">Projekt: Mein Projekt &amp; "
      "Co</font>",
      "<font size=\"3\" face=\"Arial, Helvetica, sans-serif\"><br></font></b><hr><br>",
      "<table width=\"100%\" border=\"0\" cellspacing=\"2\" cellpadding=\"1\" bgcolor=\"#ffffff\" ><tr "
      "bgcolor=\"#000099\"><td width=\"30%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, Helvetica, "
      "sans-serif\" size=\"2\">Resultatseite",
      "      der Suchmaschine:</font></b></td><td width=\"70%\"><b><font color=\"#FFFFFF\" face=\"Verdana, Arial, "
      "Helvetica, sans-serif\" size=\"2\">Meldelink:</font><font color=\"#000000\" face=\"Verdana, Arial, "
      "Helvetica, sans-serif\" size=\"2\">",
      "      <font face=\"Arial, Helvetica, sans-serif\"> <font size=\"1\"> <font color=\"#FFFFFF\">Bitte nicht "
      "klicken da dieser Link Ihre Seite nochmals anmeldet!</font></font></font></font></b></td>",
      "  </tr>"};
  const std::string escapedContact = "&amp;name=Erika Muster&amp;mail=erika@example.org";
  const std::string escA = s.engines.server.Url("/a.html");
  const auto attempt = [&](const std::string& engine, const std::string& page, const std::string& submit,
                           const std::string& note = {}) {
    expected.push_back("<tr bgcolor=\"#CCCCCC\">");
    expected.push_back("<td width=\"30%\"><a href=\"" + mw::ResponseFileName(engine, page) +
                       "\"><font size=\"1\" face=\"Arial, Helvetica, sans-serif\">" + engine + note +
                       "</font></a></td>");
    expected.push_back("<td width=\"70%\"><a href=\"" + submit +
                       "\"><font size=\"1\" face=\"Arial, Helvetica, "
                       "sans-serif\">" +
                       submit + "</font></a></td>");
    expected.push_back("</tr>");
  };
  for (const char* engine : {"Alpha", "Beta", "Gamma"}) {
    const std::string name = std::string(engine) + (engine[0] == 'G' ? "_COM" : "_DE");
    if (engine[0] == 'B') {
      attempt(name, a, escA + "?engine=beta");
      attempt(name, b, b + "?engine=beta", " (nicht erreichbar)");
      continue;
    }
    const std::string base = s.engines.server.Url(std::string("/") + char(engine[0] + 32) + (engine + 1)) + "?url=";
    attempt(name, a, base + escA + escapedContact);
    attempt(name, b, base + b + escapedContact);
  }
  expected.push_back("</table></body></html>");
  std::vector<std::string> report;
  ASSERT_TRUE(mw::ReadLineFile(s.h.dir.Path() + "reports/mein_projekt_a_co.html", report));
  ASSERT_EQ(report.size(), expected.size());
  for (std::size_t i = 0; i < report.size(); ++i) EXPECT_EQ(report[i], expected[i]) << "line " << i;

  // "Resultate ansehen" opens it in the desktop; a desktop without browser gets the message.
  m.ResultatBitBtn->click();
  ASSERT_EQ(s.h.opener.opened.size(), 1u);
  EXPECT_EQ(s.h.opener.opened[0], "file://" + s.h.dir.Path() + "reports/mein_projekt_a_co.html");
  s.h.opener.succeed = false;
  m.Resultate1->trigger();
  EXPECT_EQ(s.h.dialogs.LastText().rfind("Datei " + s.h.dir.Path() + "reports/mein_projekt_a_co.html kann nicht "
                                         "ge\xc3\xb6"
                                         "ffnet werden. ",
                                         0),
            0u)
      << s.h.dialogs.LastText();
  EXPECT_EQ(s.h.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  m.ProjektNameEdit->setText(QStringLiteral("Neuer Name"));
  m.Resultate1->trigger();
  EXPECT_EQ(s.h.dialogs.LastText(), "Noch kein Bericht vorhanden!");

  // Leaving step 4 resets the counter; coming back shows the page list again.
  s.h.UserSelectsTab(3);
  EXPECT_TRUE(m.SubmitLabel->text().isEmpty());
  EXPECT_EQ(m.ProgressBar1->value(), 0);
  EXPECT_FALSE(m.ResultatBitBtn->isEnabled());
  s.h.UserSelectsTab(4);
  EXPECT_FALSE(m.CheckListBox1->isHidden());
  EXPECT_TRUE(m.DoneMemo->isHidden());
}

TEST(SubmitWindow, CancelEndsTheRequestUnderWayAndKeepsLaterEnginesAsWrittenAtTheStart) {
  Step4 s(false);
  auto& m = *s.m;
  const std::string a = s.engines.pageA, x = s.engines.pageX, b = s.engines.pageB;
  // The user presses "Anmeldung abbrechen" while Beta's first request is under way; the
  // engine would answer only much later.
  Gate gate;
  s.engines.server.Handle("/a.html", [&](const httplib::Request&, httplib::Response& res) {
    QueueClick(m.AbortBitBtn);
    gate.Wait();
    res.set_content("danke beta", "text/html");
  });
  m.AlleAnmeldenBitBtn->click();
  gate.Open();

  EXPECT_EQ(s.h.dialogs.Texts(), std::vector<std::string>{"Abbruch durch den Benutzer!"});
  EXPECT_EQ(s.engines.server.CountFor("/gamma"), 0u);
  const std::string asAtStart =
      s.Line("00.00.00", a, true) + s.Line("00.00.00", x, false) + s.Line("00.00.00", b, true);
  EXPECT_EQ(s.List("Gamma_COM"), asAtStart);
  // The page whose request was cut off is left as it was, without a kept answer.
  EXPECT_EQ(s.List("Beta_DE"), asAtStart);
  EXPECT_FALSE(s.h.dir.Exists("reports/" + mw::ResponseFileName("Beta_DE", a)));
  const std::string today = mw::TodayStamp();
  EXPECT_EQ(s.List("Alpha_DE"), s.Line(today, a, false) + s.Line("00.00.00", x, false) + s.Line(today, b, false));
  EXPECT_EQ(m.ComboBox1->currentIndex(), 1);
  EXPECT_EQ(m.SubmitLabel->text(), QStringLiteral("Angemeldet: 2 von 6"));
  EXPECT_TRUE(m.ResultatBitBtn->isEnabled());
  std::vector<std::string> report;
  ASSERT_TRUE(mw::ReadLineFile(s.h.dir.Path() + "reports/mein_projekt_a_co.html", report));
  EXPECT_EQ(report.size(), 8u + 2 * 4 + 1);

  // For two seconds the window refuses to close.
  EXPECT_FALSE(m.MayClose);
  EXPECT_EQ(m.CloseTimer->interval(), 2000);
  QCloseEvent refused;
  QApplication::sendEvent(&m, &refused);
  EXPECT_FALSE(refused.isAccepted());
  EXPECT_TRUE(WaitFor([&] { return m.MayClose; }));
}

TEST(SubmitWindow, DuringARunOnlyCancelClosingAndOtherWindowsStayPossible) {
  Step4 s(false);
  auto& m = *s.m;
  std::map<std::string, bool> enabled;
  int tabsEnabled = 0;
  bool ranDuringRequest = false;
  std::string openedFolder;
  s.engines.server.Handle("/alpha", [&](const httplib::Request&, httplib::Response& res) {
    QMetaObject::invokeMethod(
        &m,
        [&] {
          if (ranDuringRequest) return;  // the first request is enough
          for (QAction* a : {m.NeuesProjekt1, m.ProjektOeffnen1, m.ProjektLoeschen1, m.Einstellungen1,
                             m.Anmeldebericht1, m.BrokenLinks1, m.Beenden1, m.RankingAnalyse1, m.Hilfedatei1})
            enabled[a->objectName().toStdString()] = a->isEnabled();
          for (QWidget* w : std::initializer_list<QWidget*>{m.Panel3, m.AlleAnmeldenBitBtn, m.AbortBitBtn})
            enabled[w->objectName().toStdString()] = w->isEnabled();
          for (int i = 0; i < m.PageControl1->count(); ++i) tabsEnabled += m.PageControl1->isTabEnabled(i);
          // A menu command that would open another project does nothing.
          openedFolder = m.ProjectFolderName;
          m.ProjektOeffnen1->trigger();
          ranDuringRequest = true;
        },
        Qt::QueuedConnection);
    res.set_content("danke alpha", "text/html");
  });
  m.AlleAnmeldenBitBtn->click();
  EXPECT_TRUE(ranDuringRequest);
  EXPECT_EQ(enabled, (std::map<std::string, bool>{{"NeuesProjekt1", false},
                                                  {"ProjektOeffnen1", false},
                                                  {"ProjektLoeschen1", false},
                                                  {"Einstellungen1", false},
                                                  {"Anmeldebericht1", false},
                                                  {"BrokenLinks1", false},
                                                  {"Beenden1", true},
                                                  {"RankingAnalyse1", true},
                                                  {"Hilfedatei1", true},
                                                  {"Panel3", false},
                                                  {"AlleAnmeldenBitBtn", false},
                                                  {"AbortBitBtn", true}}));
  EXPECT_EQ(tabsEnabled, 1);  // step 4 only
  EXPECT_EQ(openedFolder, m.ProjectFolderName);
  EXPECT_EQ(std::count(s.h.shownWindows.begin(), s.h.shownWindows.end(), "OpenForm"), 0);
  // Afterwards everything is back.
  EXPECT_TRUE(m.NeuesProjekt1->isEnabled());
  EXPECT_TRUE(m.Panel3->isEnabled());
  for (int i = 0; i < m.PageControl1->count(); ++i) EXPECT_TRUE(m.PageControl1->isTabEnabled(i)) << i;
}

TEST(SubmitWindow, StartChecksStopBeforeAnythingChanges) {
  Step4 s;
  auto& m = *s.m;
  const std::string before = s.List("Beta_DE");
  m.UnmarkBitBtn->click();
  m.AlleAnmeldenBitBtn->click();
  EXPECT_EQ(s.h.dialogs.LastText(),
            "Bitte markieren Sie zuerst alle Internetseiten, welche Sie anmelden möchten in dem Sie in das "
            "\"Kästchen\" vor der Internetseite klicken!");
  m.MarkAllBitBtn->click();

  // Neither the product page nor a first submission address (no engine ticked) answers.
  s.h.context.facts.productPage = "http://127.0.0.1:" + std::to_string(s.engines.closedPort) + "/";
  std::vector<Qt::CheckState> engineTicks;
  for (int i = 0; i < m.SuchmaschinenCheckListBox->count(); ++i) {
    engineTicks.push_back(m.SuchmaschinenCheckListBox->item(i)->checkState());
    m.SuchmaschinenCheckListBox->item(i)->setCheckState(Qt::Unchecked);
  }
  m.AlleAnmeldenBitBtn->click();
  EXPECT_EQ(s.h.dialogs.LastText(),
            "Die Verbindung ins Internet kann nicht hergestellt werden! Bitte stellen Sie "
            "eine Internetverbindung her!");
  for (int i = 0; i < int(engineTicks.size()); ++i)
    m.SuchmaschinenCheckListBox->item(i)->setCheckState(engineTicks[std::size_t(i)]);

  s.h.context.facts.productPage = s.engines.server.Url("/product");
  m.NameEdit->clear();
  m.AlleAnmeldenBitBtn->click();
  EXPECT_EQ(s.h.dialogs.LastText(), "Bitte füllen Sie zuerst die Kontaktdaten aus!");
  EXPECT_EQ(s.h.dialogs.shown.size(), 3u);
  EXPECT_EQ(s.engines.server.CountFor("/alpha"), 0u);
  EXPECT_EQ(s.List("Beta_DE"), before);
  EXPECT_TRUE(m.DoneMemo->isHidden());
  EXPECT_FALSE(m.AbortBitBtn->isEnabled());
}

TEST(SubmitWindow, HttpThatCannotStartEndsTheRunWithItsError) {
  Step4 s;
  auto& m = *s.m;
  m.SubmitFetch = [](const std::string& url, const std::atomic<bool>*) -> mw::FetchAnswer {
    if (url.find("/alpha") != std::string::npos) throw mw::HttpLibraryError();
    return mw::FetchURLAnswer(url, mw::kMainFetchTimeoutMs);
  };
  m.AlleAnmeldenBitBtn->click();
  ASSERT_FALSE(s.h.dialogs.shown.empty());
  EXPECT_EQ(s.h.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_EQ(s.h.dialogs.LastText(), "Unable to initialize Wininet");
  EXPECT_FALSE(s.h.dir.Exists("reports/mein_projekt_a_co.html"));
  EXPECT_FALSE(m.ResultatBitBtn->isEnabled());
  EXPECT_TRUE(m.AlleAnmeldenBitBtn->isEnabled());
  // The marks written at the start are kept whole in every list.
  EXPECT_EQ(s.List("Gamma_COM"), s.List("Alpha_DE"));
  EXPECT_NE(s.List("Alpha_DE").find(" | TRUE"), std::string::npos);
}

TEST(SubmitWindow, NoEngineMarkedIsToldAndNothingIsWritten) {
  Step4 s;
  auto& m = *s.m;
  const std::string before = s.List("Beta_DE");
  m.Unmark2BitBtn->click();
  m.AlleAnmeldenBitBtn->click();
  EXPECT_EQ(s.h.dialogs.Texts(), std::vector<std::string>{"Es ist keine Suchmaschine ausgewählt!"});
  EXPECT_EQ(s.engines.server.RequestCount(), 1u);  // the connection check only
  EXPECT_FALSE(s.h.dir.Exists("reports/mein_projekt_a_co.html"));
  EXPECT_EQ(s.List("Beta_DE"), before);
  EXPECT_TRUE(m.DoneMemo->isHidden());
  EXPECT_FALSE(m.ResultatBitBtn->isEnabled());
}

namespace {

class RecordingPdfPrinter final : public mw::TextPrinter {
 public:
  explicit RecordingPdfPrinter(QString path) : pdf_(std::move(path)) {}
  bool Print(const QStringList& lines, QString* error) override {
    printed = lines;
    return pdf_.Print(lines, error);
  }
  QStringList printed;

 private:
  mw::PdfTextPrinter pdf_;
};

}  // namespace

TEST(SubmitWindow, SubmissionReportIsWrittenShownSavedAndPrinted) {
  MainFormHarness h;
  h.Template("Alpha_DE");
  h.Template("Beta_COM");
  h.Build();
  auto& m = h.Main();
  h.CreateProject("Bericht");
  m.ErgMemo->setPlainText(QStringLiteral("http://a.de/1\nhttp://a.de/2\nhttp://a.de/3"));
  m.AddPagesToProject();
  h.dialogs.Clear();
  m.Anmeldebericht1->trigger();
  std::vector<std::string> lines;
  ASSERT_TRUE(mw::ReadLineFile(h.dir.Path() + "MeldeBericht.txt", lines));
  ASSERT_EQ(lines.size(), 8u + 2 * (4 + 3 + 3));
  EXPECT_EQ(lines[8], "Suchmaschine: Alpha_DE");
  EXPECT_EQ(lines[12], "00.00.00     http://a.de/1");
  EXPECT_EQ(lines[18], "Suchmaschine: Beta_COM");
  EXPECT_EQ(m.ComboBox1->currentIndex(), 1);  // left on the last engine

  auto& report = *h.windows->meldebericht;
  EXPECT_TRUE(report.isVisible());
  EXPECT_FALSE(report.isModal());
  EXPECT_EQ(report.windowTitle(), QStringLiteral("Anmeldebericht"));
  EXPECT_EQ(report.Memo1->toPlainText().split(QLatin1Char('\n')).size(), 28);
  report.Memo1->appendPlainText(QStringLiteral("eigene Zeile"));

  // Saved under the chosen name with ".txt" added, edits included.
  h.dialogs.fileAnswers = {QString::fromStdString(h.dir.Path() + "kopie")};
  report.SaveBitBtn->click();
  EXPECT_EQ(h.dialogs.lastFilter, QStringLiteral("Textdatei | *.txt"));
  EXPECT_EQ(h.dialogs.lastDefaultName, QStringLiteral("unbennant"));
  ASSERT_TRUE(mw::ReadLineFile(h.dir.Path() + "kopie.txt", lines));
  EXPECT_EQ(lines.back(), "eigene Zeile");

  RecordingPdfPrinter printer(QString::fromStdString(h.dir.Path() + "bericht.pdf"));
  report.SetPrinter(&printer);
  report.PrintBitBtn->click();
  ASSERT_EQ(printer.printed.size(), 3 + 29);
  EXPECT_EQ(printer.printed[0].toStdString(), "Meldewerk: " + mw::ShortDateText());
  EXPECT_EQ(printer.printed[1].toStdString(), std::string(61, '_'));
  EXPECT_EQ(printer.printed.back(), QStringLiteral("eigene Zeile"));
  EXPECT_EQ(h.dir.Read("bericht.pdf").substr(0, 5), "%PDF-");

  // Activation loads the file again: the edit is gone. An empty memo prints the head only.
  report.FormActivate();
  EXPECT_FALSE(report.Memo1->toPlainText().contains(QStringLiteral("eigene Zeile")));
  report.Memo1->clear();
  report.PrintBitBtn->click();
  EXPECT_EQ(printer.printed.size(), 3);
  EXPECT_TRUE(h.dialogs.shown.empty());

  // Without any printer on the machine the user is told so.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    mw::DefaultTextPrinter real;
    report.SetPrinter(&real);
    report.PrintBitBtn->click();
    EXPECT_EQ(h.dialogs.LastText().rfind("Es ist kein Drucker eingerichtet.", 0), 0u);
  }
  report.BitBtn1->click();
  EXPECT_FALSE(report.isVisible());
}

TEST(SubmitWindow, ReportsNeedAProjectWithEngines) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  h.CreateProject("Leer");  // no templates: no engine to select
  h.dialogs.Clear();
  m.Anmeldebericht2Click();
  EXPECT_EQ(h.dialogs.LastText(), "Bitte öffnen Sie zuerst ein Projekt!");
  EXPECT_FALSE(h.dir.Exists("MeldeBericht.txt"));
  m.Resultate1Click();
  EXPECT_EQ(h.dialogs.LastText(), "Noch kein Bericht vorhanden!");
}

TEST(SubmitWindow, ClosingDuringARunStopsItAndClosesAtItsEnd) {
  Step4 s(false);
  auto& m = *s.m;
  // The close box is pressed while Beta's first request is under way: the request ends at
  // once, its page stays as it was.
  Gate gate;
  s.engines.server.Handle("/a.html", [&](const httplib::Request&, httplib::Response& res) {
    QMetaObject::invokeMethod(&m, "close", Qt::QueuedConnection);
    gate.Wait();
    res.set_content("danke beta", "text/html");
  });
  m.AlleAnmeldenBitBtn->click();
  gate.Open();
  EXPECT_EQ(s.engines.server.CountFor("/gamma"), 0u);
  EXPECT_TRUE(s.h.dialogs.shown.empty());
  EXPECT_NE(s.List("Beta_DE").find("00.00.00 | " + s.engines.pageA + " | TRUE"), std::string::npos);
  // The close itself follows once the run is over: the product window of a closing program.
  EXPECT_TRUE(WaitFor([&] { return !s.h.shownWindows.empty() && s.h.shownWindows.back() == "WerbungForm"; }));
}
