// The click tool and the multi-search from the menu, in the real browser engine, against pages
// served on 127.0.0.1 whose scripts call the server back: that call proves the page ran. Run by
// ctest under a virtual X display; every wait is bounded and ends the test as failed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWebEngineView>
#include <functional>
#include <set>

#include "MainFormHarness.h"
#include "support/TestHttpServer.h"
#include "tools/fClickOptions.h"
#include "tools/fInternetBrowser.h"
#include "tools/fKeywords.h"

namespace {

using mwtest::MainFormHarness;

std::string PageCallingBack(const std::string& title, const std::string& callback) {
  return "<html><head><title>" + title + "</title></head><body><p>" + title + "</p><script>fetch('" + callback +
         "');</script></body></html>";
}

// Waits in an event loop until `done` holds, checking on a short timer; false after `boundMs`.
bool WaitUntil(const std::function<bool()>& done, int boundMs) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() > boundMs) loop.quit();
  });
  check.start(25);
  if (!done()) loop.exec();
  return done();
}

struct EngineTest : ::testing::Test {
  EngineTest() {
    h.Build();
    h.Main().FetchURL = [](const std::string&) { return std::string("<html>online</html>"); };
  }
  std::vector<mw::TBrowserForm*> OpenBrowserWindows() {
    std::vector<mw::TBrowserForm*> open;
    for (auto* w : h.Main().findChildren<mw::TBrowserForm*>())
      if (w->isVisible()) open.push_back(w);
    return open;
  }
  MainFormHarness h;
  mwtest::TestHttpServer server;
};

TEST_F(EngineTest, ClickRunLoadsEachPageAndReleasesItsWindow) {
  server.SetPage("/eins", PageCallingBack("Eins", "/ran-eins"));
  server.SetPage("/zwei", PageCallingBack("Zwei", "/ran-zwei"));
  server.SetPage("/ran-eins", "ok");
  server.SetPage("/ran-zwei", "ok");
  // A third address that refuses the connection: the engine's error page completes the click.
  std::string refused;
  {
    mwtest::TestHttpServer gone;
    refused = gone.Url("/weg");
  }
  h.dir.Write("urls.txt", server.Url("/eins") + "\r\n\r\n  " + server.Url("/zwei") + "  \r\n" + refused + "\r\n");
  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TClickOptionsForm&>(d);
    form.Edit1->setText(QStringLiteral("1"));
    form.Edit2->setText(QStringLiteral("4"));  // three clicks
    form.WeiterBitBtn->click();
    return form.result();
  });
  h.dialogs.fileAnswers.push_back(QString::fromStdString(h.dir.Path() + "urls.txt"));

  // What the click windows show, looked at while they are open; a run that hangs is ended
  // through "Abbrechen" and fails.
  std::set<QString> counters, finished, captions;
  bool placed = true, timedOut = false;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QElapsedTimer clock;
  clock.start();
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (auto* w : OpenBrowserWindows()) {
      counters.insert(w->MeldeStatusLabel->text());
      captions.insert(w->windowTitle());
      if (w->StatusLabel->text() == QStringLiteral("Klick fertig:")) finished.insert(w->MeldeStatusLabel->text());
      placed &= w->width() == screen.width() / 2 && w->height() == 310;
      if (clock.elapsed() > 120000) {
        timedOut = true;
        w->BitBtn1->click();
      }
    }
  });
  watch.start(50);
  h.Main().Klicktool1Click();
  watch.stop();

  ASSERT_FALSE(timedOut);
  EXPECT_EQ(server.CountFor("/ran-eins"), 1u);
  EXPECT_EQ(server.CountFor("/ran-zwei"), 1u);
  const std::set<QString> all = {QStringLiteral("KLICKS: 1 von 4"), QStringLiteral("KLICKS: 2 von 4"),
                                 QStringLiteral("KLICKS: 3 von 4")};
  EXPECT_EQ(counters, all);
  EXPECT_EQ(finished, all);  // each closed after loading, none by the abort timer
  EXPECT_EQ(captions, std::set<QString>{QStringLiteral("Klicktool")});
  EXPECT_TRUE(placed);
  EXPECT_EQ(h.dialogs.LastText(), "Klicks wurden erzeugt!");
  // Only the window made at start is left, and no web view at all.
  EXPECT_EQ(h.Main().findChildren<mw::TBrowserForm*>().size(), 1u);
  EXPECT_TRUE(h.Main().findChildren<QWebEngineView*>().isEmpty());
}

TEST_F(EngineTest, MultiSearchOpensTheResultPagesInViewWindows) {
  server.SetPage("/suche", PageCallingBack("Treffer", "/ran-suche"));
  server.SetPage("/ran-suche", "ok");
  h.dir.Write("OpenEngines.ini", "\r\n" + server.Url("/suche?q=KLXKEYWORD") + " | Lokal\r\n");
  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TKeywordsForm&>(d);
    form.Edit1->setText(QStringLiteral("zwei wörter"));
    form.WeiterBitBtn->click();
    return form.result();
  });
  h.Main().Multisuche1Click();

  auto open = OpenBrowserWindows();
  ASSERT_EQ(open.size(), 1u);
  mw::TBrowserForm* w = open[0];
  EXPECT_EQ(w->CurrentMode(), mw::TBrowserForm::Mode::View);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Lokal  Suchbegriff(e): zwei wörter"));
  EXPECT_EQ(w->StatusLabel->text(), w->windowTitle());
  EXPECT_EQ(w->geometry().size(), QSize(600, 600));
  ASSERT_TRUE(WaitUntil([&] { return server.CountFor("/ran-suche") == 1; }, 120000));
  bool searched = false;
  for (const auto& r : server.Requests()) searched |= r.path == "/suche" && r.target == "/suche?q=zwei%20w%C3%B6rter";
  EXPECT_TRUE(searched);
  EXPECT_TRUE(w->isVisible());  // a view window stays until the user closes it

  QPointer<mw::TBrowserForm> closed(w);
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull());
}

}  // namespace
