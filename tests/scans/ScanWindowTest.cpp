// Page discovery and the two analyses driven through the main window against a local site.
#include <gtest/gtest.h>

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "crawler/HttpScan.h"
#include "shell/MainFormHarness.h"
#include "shell/fMain.h"
#include "support/TestHttpServer.h"

using mwtest::MainFormHarness;

namespace {

std::string U8(const char* s) { return s; }

struct ScanSite {
  mwtest::TestHttpServer server;
  explicit ScanSite(int pages = 30, int delayMs = 0) {
    std::string links;
    for (int i = 1; i <= pages; ++i) {
      const std::string name = "/p" + std::to_string(i) + ".html";
      links += "<a href=\"" + name + "\">" + name + "</a>";
      server.Set(name, {200, "text/html", "<html><head><title>Seite " + std::to_string(i) +
                                                "</title></head><body>x</body></html>",
                        delayMs, {}});
    }
    server.SetPage("/", "<html><head><title>Start</title><meta name=\"keywords\" content=\"Haus, haus, Garten\">"
                        "<meta name=\"Keywords\" content=\"Boot\"></head><body>" + links +
                            "<a href=\"/fehlt.php\">x</a><img src=\"/bild.png\"></body></html>");
  }
};

// Runs until the crawler reports the end of its crawl (bounded).
void WaitForCrawlEnd(mw::TMainForm& m) {
  QEventLoop loop;
  auto previous = m.HttpScan1().OnWorking;
  m.HttpScan1().OnWorking = [&, previous](mw::TObject* s, bool working) {
    previous(s, working);
    if (!working) loop.quit();
  };
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  if (m.HttpScan1().Working()) loop.exec();
  m.HttpScan1().OnWorking = previous;
}

std::vector<std::string> Lines(const QPlainTextEdit* memo) {
  std::vector<std::string> out;
  for (const auto& l : memo->toPlainText().split(QLatin1Char('\n'))) out.push_back(l.toStdString());
  return out;
}

struct ScanWindow {
  ScanSite site;
  MainFormHarness h;
  explicit ScanWindow(int pages = 30, int delayMs = 0) : site(pages, delayMs) {
    h.dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + site.server.Url("/") + "\r\n");
    h.dir.Write("NoTip.ini", "");
    h.dir.Write("NoWer.ini", "");
    h.Template("Alpha_DE");
    h.Template("Beta_COM");
    h.Build();
    h.CreateProject();
    h.Main().OnePageSubpagesRadioButton->click();
  }
  mw::TMainForm& M() { return h.Main(); }
  std::string Host() const { return "127.0.0.1:" + std::to_string(site.server.Port()) + "/"; }
};

}  // namespace

TEST(ScanWindow, DiscoveryFillsTheListUpToTheLimitAndAddsItToEveryEngine) {
  ScanWindow w;
  w.M().URLEdit->setText(QString::fromStdString(w.Host()));  // no scheme typed
  w.M().MaxPagesEdit->setText(QStringLiteral("20"));
  w.M().StartBitBtn->click();
  EXPECT_FALSE(w.M().StartBitBtn->isEnabled());
  EXPECT_FALSE(w.M().MayClose || !w.M().HttpScan1().Working());
  WaitForCrawlEnd(w.M());
  const auto lines = Lines(w.M().ErgMemo);
  ASSERT_EQ(lines.size(), 20u);  // the start address and 19 found pages
  EXPECT_EQ(lines[0], "http://" + w.Host());
  EXPECT_EQ(w.M().URLEdit->text().toStdString(), "http://" + w.Host());
  EXPECT_TRUE(w.M().StartBitBtn->isEnabled());
  EXPECT_FALSE(w.M().StopBitBtn->isEnabled());
  EXPECT_TRUE(w.M().MayClose);
  EXPECT_TRUE(w.M().StatusLabel->text().endsWith(QStringLiteral("     Done.")));
  EXPECT_TRUE(w.M().StatusLabel->text().contains(QStringLiteral("stopping...")));
  EXPECT_TRUE(w.M().Memo7->toPlainText().contains(QStringLiteral("         Besuchte URLs: ")));
  for (const char* engine : {"Alpha_DE.ser", "Beta_COM.ser"}) {
    const std::string list = w.h.ProjectFile(engine);
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 20) << engine;
    EXPECT_NE(list.find("00.00.00 | http://" + w.Host() + " | FALSE\r\n"), std::string::npos);
  }
  EXPECT_FALSE(w.h.dir.Exists("Meldewerk.bin"));

  // A second discovery with the limit 1 asks first (the lists hold pages now) and stops at once.
  w.h.dialogs.answers = {true, true};
  w.M().MaxPagesEdit->setText(QStringLiteral("1"));
  w.M().StartBitBtn->click();
  WaitForCrawlEnd(w.M());
  EXPECT_EQ(Lines(w.M().ErgMemo).size(), 1u);
  EXPECT_EQ(w.h.dialogs.shown.size(), 2u);  // "bereits Seiten ... ermittelt", then the add question

  // Not a number: the message, nothing starts.
  w.h.dialogs.Clear();
  w.M().MaxPagesEdit->setText(QStringLiteral("viele"));
  w.M().StartBitBtn->click();
  EXPECT_FALSE(w.M().HttpScan1().Working());
  EXPECT_EQ(w.h.dialogs.LastText(),
            U8("Bitte geben Sie eine g\xc3\xbcltige Zahl f\xc3\xbcr wichtigsten Seiten Ihrer Webseite zum ermittelt ein!"));
}

TEST(ScanWindow, BrokenLinksListPagesAndDeadPageLinksWithTheirReferrer) {
  ScanWindow w(3);
  w.M().URLEdit->setText(QString::fromStdString("http://" + w.Host()));
  w.h.dialogs.answers = {false};  // no saving
  w.M().BrokenLinks1->trigger();
  EXPECT_EQ(w.M().ModeLabel->text().toStdString(), "Verwaiste Links (broken link)");
  WaitForCrawlEnd(w.M());
  const auto lines = Lines(w.M().ErgMemo);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("OK: ", 0) == 0; }), 4);
  const std::string broken = "Broken Link ----- Die URL http://" + w.Host() + "fehlt.php wird nicht gefunden! (verlinkt auf http://" +
                             w.Host() + ")";
  EXPECT_NE(std::find(lines.begin(), lines.end(), broken), lines.end());
  for (const auto& l : lines) EXPECT_EQ(l.find("bild.png"), std::string::npos);  // a missing picture is no broken page
  const auto texts = w.h.dialogs.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Fertig: 4 Links sind OK. 1 Links sind defekt."), texts.end());
  EXPECT_EQ(texts.back(), "Ergebnis in eine Datei speichern?");
  // Nothing is added to the project by an analysis.
  EXPECT_TRUE(w.h.ProjectFile("Alpha_DE.ser").empty());
}

TEST(ScanWindow, MetaTagAnalysisWritesBlocksKeywordFileAndSavesTheList) {
  ScanWindow w(2);
  w.M().URLEdit->setText(QString::fromStdString("http://" + w.Host()));
  w.h.dialogs.answers = {true};
  w.h.dialogs.fileAnswers = {QString::fromStdString(w.h.dir.Path() + "ergebnis.txt")};
  w.M().MetatagAnalyse1->trigger();
  WaitForCrawlEnd(w.M());
  const auto lines = Lines(w.M().ErgMemo);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[3], "URL: http://" + w.Host());
  EXPECT_EQ(lines[4], "Title: Start");
  EXPECT_EQ(lines[5], "Keywords: Haus, haus, Garten");
  EXPECT_EQ(lines[6], "Keywords: Boot");
  const std::string keywords = w.h.dir.Read("keywords_httpxxx127_0_0_1x" + std::to_string(w.site.server.Port()) + "x.txt");
  EXPECT_EQ(std::count(keywords.begin(), keywords.end(), '\n'), 3);  // Boot, Garten, one of Haus/haus
  const std::string saved = w.h.dir.Read("ergebnis.txt");
  EXPECT_NE(saved.find("\r\nTitle: Start\r\n"), std::string::npos);
  const auto texts = w.h.dialogs.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Fertig: 3 Seiten wurden \xc3\xbc" "berpr\xc3\xbc" "ft!"), texts.end());
}

TEST(ScanWindow, ClosingDuringACrawlStopsItAddsThePagesAndThenCloses) {
  ScanWindow w(30, 150);
  w.M().show();
  w.M().URLEdit->setText(QString::fromStdString("http://" + w.Host()));
  w.M().MaxPagesEdit->setText(QStringLiteral("100"));
  w.M().StartBitBtn->click();
  ASSERT_TRUE(w.M().HttpScan1().Working());
  // The start page arrives quickly, its links slowly; close while they are on their way.
  QEventLoop wait;
  QTimer::singleShot(400, &wait, &QEventLoop::quit);
  wait.exec();
  EXPECT_FALSE(w.M().close());  // refused: the crawl is told to stop
  EXPECT_TRUE(w.M().CloseRequested);
  WaitForCrawlEnd(w.M());
  QEventLoop closing;
  QTimer::singleShot(0, &closing, &QEventLoop::quit);
  closing.exec();
  EXPECT_FALSE(w.M().isVisible());
  EXPECT_FALSE(w.h.ProjectFile("Alpha_DE.ser").empty());
}
