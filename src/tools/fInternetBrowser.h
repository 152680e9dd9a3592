#pragma once
// The browser window: an embedded web browser under a status panel, with a countdown below.
// In the click mode it is shown modally, loads its address, waits the click time after the
// page has loaded and closes itself; a page that never finishes is closed by the abort timer.
// In the view mode (the multi-search) it is shown at once and stays until the user closes it.
// Each window is independent; several may be open at a time.

#include <QDialog>
#include <functional>
#include <memory>

#include "platform/BrowserControl.h"
#include "tools/ClickTiming.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QVBoxLayout;

namespace mw {

class TBrowserForm : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { View, Click };
  using ControlFactory = std::function<std::unique_ptr<BrowserControl>(QWidget* parent)>;

  // The web browser itself is made when the window is first started.
  explicit TBrowserForm(QWidget* parent = nullptr, ControlFactory makeControl = MakeWebEngineBrowser);
  ~TBrowserForm() override;

  // The flag "Abbrechen" sets: the owner's cancel flag of a click run.
  void SetCancelFlag(bool* flag) { cancelFlag_ = flag; }
  // The click time the window waits after its page has loaded (click mode).
  void SetClickTiming(int seconds, bool vary) { timing_ = ClickTiming(seconds, vary); }

  // Resets the countdown and asks for the address to be loaded once the window is on screen;
  // click mode: shows the window modally and returns when it has closed; view mode: shows it
  // and returns at once.
  void StartBrowsing(Mode mode);
  Mode CurrentMode() const { return mode_; }
  int Ticks() const { return ticks_; }
  BrowserControl* Browser() { return browser_.get(); }

  // Run at every activation of the window.
  void FormActivate();
  void WebBrowser1NavigateComplete2(BrowserControl::Document document);
  void WebBrowser1DocumentComplete(BrowserControl::Document document);
  void Timer1Timer();
  void AbortTimerTimer();
  void SekundenTimerTimer();
  void BitBtn1Click();

  QFrame* Panel1 = nullptr;
  QLabel* StatusLabel = nullptr;
  QLineEdit* URLs = nullptr;
  QLabel* MeldeStatusLabel = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "Abbrechen"
  QFrame* ProgressPanel = nullptr;
  QLabel* ClickInSecLabel = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QTimer* Timer1 = nullptr;         // close timer
  QTimer* AbortTimer = nullptr;     // closes a page that does not finish loading
  QTimer* SekundenTimer = nullptr;  // the countdown's tick

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartMessage();
  void EnsureBrowser();

  ControlFactory makeControl_;
  std::unique_ptr<BrowserControl> browser_;
  QVBoxLayout* browserArea_ = nullptr;
  ClickTiming timing_{1, false};
  bool* cancelFlag_ = nullptr;
  Mode mode_ = Mode::View;
  int ticks_ = 0;
  BrowserControl::Document topDocument_ = 0;  // remembered top-level document, 0 for none
  bool completionCounted_ = false;            // one completion counts per start
  bool activatedSinceStart_ = false;
  bool skipNextActivation_ = false;
};

}  // namespace mw
