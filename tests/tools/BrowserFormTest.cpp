// The browser window with a stand-in for the engine: which completion counts, the timers of the
// click mode, "Abbrechen", and the start of the view mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "tools/fInternetBrowser.h"

namespace {

using mw::BrowserControl;
using mw::TBrowserForm;

class FakeBrowser final : public BrowserControl {
 public:
  explicit FakeBrowser(QWidget* parent) : widget_(new QWidget(parent)) {}
  QWidget* Widget() override { return widget_; }
  void Navigate(const QString& address) override {
    navigated.push_back(address);
    if (onNavigate) onNavigate();
  }
  std::vector<QString> navigated;
  std::function<void()> onNavigate;

 private:
  QWidget* widget_;
};

struct Window {
  Window()
      : form(nullptr, [this](QWidget* parent) {
          auto control = std::make_unique<FakeBrowser>(parent);
          control->onNavigate = [this] {
            if (onNavigate) onNavigate();
          };
          browser = control.get();
          return control;
        }) {
    form.URLs->setText(QStringLiteral("http://127.0.0.1:9/start"));
    form.StatusLabel->setText(QStringLiteral("Klick erzeugen: http://127.0.0.1:9/start"));
    // Ends a modal window that would otherwise never close, and says so.
    QTimer::singleShot(20000, &form, [this] {
      timedOut = true;
      form.close();
    });
  }
  TBrowserForm form;
  FakeBrowser* browser = nullptr;
  std::function<void()> onNavigate;  // the engine's events, sent once the address is loaded
  bool timedOut = false;
};

TEST(BrowserWindow, ClickModeCountsOnlyTheTopDocumentOnceThenClosesByTheCloseTimer) {
  Window w;
  w.form.SetClickTiming(1, false);
  int abortIntervalSeen = 0;
  bool ignoredOther = false, countedTop = false, ignoredSecond = false;
  auto* form = &w.form;
  w.onNavigate = [&, form] {
    abortIntervalSeen = form->AbortTimer->interval();
    form->WebBrowser1NavigateComplete2(7);
    form->WebBrowser1NavigateComplete2(8);  // a frame: the first document stays remembered
    form->WebBrowser1DocumentComplete(8);
    ignoredOther = !form->Timer1->isActive() && form->AbortTimer->isActive();
    form->WebBrowser1DocumentComplete(7);
    countedTop = form->StatusLabel->text() == QStringLiteral("Klick fertig:") && form->Timer1->isActive() &&
                 !form->AbortTimer->isActive();
    form->StatusLabel->setText(QStringLiteral("unverändert"));
    form->WebBrowser1NavigateComplete2(9);  // a later load of the same start
    form->WebBrowser1DocumentComplete(9);
    ignoredSecond = form->StatusLabel->text() == QStringLiteral("unverändert");
  };
  w.form.StartBrowsing(TBrowserForm::Mode::Click);

  EXPECT_FALSE(w.timedOut);
  ASSERT_EQ(w.browser->navigated.size(), 1u);
  EXPECT_EQ(w.browser->navigated[0], QStringLiteral("http://127.0.0.1:9/start"));
  EXPECT_EQ(w.form.Timer1->interval(), 1000);
  EXPECT_EQ(abortIntervalSeen, 26000);
  EXPECT_TRUE(ignoredOther);
  EXPECT_TRUE(countedTop);
  EXPECT_TRUE(ignoredSecond);
  EXPECT_FALSE(w.form.isVisible());
}

TEST(BrowserWindow, AbbrechenSetsTheCancelFlagAndCloses) {
  Window w;
  bool cancel = false;
  w.form.SetCancelFlag(&cancel);
  w.form.SetClickTiming(30, false);
  w.onNavigate = [&] { w.form.BitBtn1->click(); };
  w.form.StartBrowsing(TBrowserForm::Mode::Click);
  EXPECT_FALSE(w.timedOut);
  EXPECT_TRUE(cancel);
}

TEST(BrowserWindow, APageThatNeverFinishesIsClosedByTheAbortTimer) {
  Window w;
  bool cancel = false;
  w.form.SetCancelFlag(&cancel);
  w.form.SetClickTiming(1, false);
  w.onNavigate = [&] { w.form.AbortTimer->start(50); };  // its 26 seconds, shortened
  w.form.StartBrowsing(TBrowserForm::Mode::Click);
  EXPECT_FALSE(w.timedOut);
  EXPECT_FALSE(cancel);  // the run goes on
}

TEST(BrowserWindow, ViewModeShowsAtOnceAndLoadsOnceOnScreen) {
  Window w;
  w.form.StartBrowsing(TBrowserForm::Mode::View);
  EXPECT_TRUE(w.form.isVisible());
  EXPECT_TRUE(w.browser->navigated.empty());  // the start is posted
  QApplication::processEvents();
  ASSERT_EQ(w.browser->navigated.size(), 1u);

  w.form.WebBrowser1NavigateComplete2(1);
  w.form.WebBrowser1DocumentComplete(1);
  EXPECT_FALSE(w.form.Timer1->isActive());
  EXPECT_EQ(w.form.StatusLabel->text(), QStringLiteral("Klick erzeugen: http://127.0.0.1:9/start"));
  w.form.SekundenTimerTimer();
  EXPECT_EQ(w.form.ClickInSecLabel->text(), QStringLiteral("Nächste Aktion gestartet!"));
  EXPECT_EQ(w.form.ProgressBar1->value(), 100);
  w.form.close();
}

}  // namespace
