#include "tools/BrowserRuns.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <memory>

#include "platform/QtText.h"
#include "tools/ClickSchedule.h"

namespace mw {
namespace {

QRect ScreenOf(QWidget* owner) {
  QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

void RunClicks(ClickSchedule& schedule, const ClickRunSettings& settings, bool& cancel, QWidget* owner) {
  const QRect screen = ScreenOf(owner);
  while (!schedule.Finished()) {
    const std::string address = schedule.Address();
    if (settings.onClickStart) settings.onClickStart(address, schedule.CounterText());
    {
      auto window = std::make_unique<TBrowserForm>(owner, settings.makeControl);
      window->setWindowTitle(Msg("Klicktool"));
      window->StatusLabel->setText(ToQt("Klick erzeugen: " + address));
      window->MeldeStatusLabel->setText(ToQt(schedule.CounterText()));
      window->move(screen.x() + screen.width() / 2, screen.y() + screen.height() - 340);
      window->resize(screen.width() / 2, 310);
      window->URLs->setText(ToQt(address));
      window->SetClickTiming(settings.seconds, settings.vary);
      window->SetCancelFlag(&cancel);
      window->StartBrowsing(TBrowserForm::Mode::Click);
    }
    // The engine hands part of a closed view's clean-up to deferred deletes; run them now, so
    // a long run does not pile up closed pages between the nested loops of the windows.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    schedule.ClickMade(cancel);
  }
}

std::vector<TBrowserForm*> OpenSearchWindows(const std::vector<SearchWindow>& windows, QWidget* owner,
                                             const TBrowserForm::ControlFactory& makeControl) {
  std::vector<TBrowserForm*> opened;
  for (const SearchWindow& w : windows) {
    auto* window = new TBrowserForm(owner, makeControl);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(ToQt(w.caption));
    window->StatusLabel->setText(ToQt(w.caption));
    window->MeldeStatusLabel->clear();
    window->move(w.left, w.top);
    window->resize(SearchWindow::kSize, SearchWindow::kSize);
    window->URLs->setText(ToQt(w.address));
    window->StartBrowsing(TBrowserForm::Mode::View);
    opened.push_back(window);
  }
  return opened;
}

}  // namespace mw
