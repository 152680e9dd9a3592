#include "platform/BrowserControl.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstdlib>

namespace mw {
namespace {

// An off-the-record profile: cookies and cache live in memory only, shared by every window of
// the run, and go with the program.
QWebEngineProfile* SharedProfile() {
  static QWebEngineProfile* profile = new QWebEngineProfile(QCoreApplication::instance());
  return profile;
}

class WebEngineBrowser final : public BrowserControl {
 public:
  explicit WebEngineBrowser(QWidget* parent) : view_(new QWebEngineView(parent)) {
    view_->setObjectName(QStringLiteral("WebBrowser1"));
    view_->setPage(new QWebEnginePage(SharedProfile(), view_));
    QObject::connect(view_->page(), &QWebEnginePage::loadingChanged, view_,
                     [this](const QWebEngineLoadingInfo& info) { LoadingChanged(info); });
  }
  ~WebEngineBrowser() override { delete view_; }

  QWidget* Widget() override { return view_; }

  void Navigate(const QString& address) override { view_->load(QUrl::fromUserInput(address.trimmed())); }

 private:
  void LoadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
      case QWebEngineLoadingInfo::LoadStartedStatus:
        current_ = ++lastDocument_;
        if (OnNavigateComplete) OnNavigateComplete(current_);
        break;
      case QWebEngineLoadingInfo::LoadSucceededStatus:
      case QWebEngineLoadingInfo::LoadFailedStatus:  // the engine shows its error page
        if (current_ && OnDocumentComplete) OnDocumentComplete(current_);
        current_ = 0;
        break;
      case QWebEngineLoadingInfo::LoadStoppedStatus:  // replaced by another load, or stopped
        current_ = 0;
        break;
    }
  }

  QWebEngineView* view_;
  Document lastDocument_ = 0;
  Document current_ = 0;
};

}  // namespace

std::unique_ptr<BrowserControl> MakeWebEngineBrowser(QWidget* parent) {
  return std::make_unique<WebEngineBrowser>(parent);
}

void PrepareBrowserEngine() {
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

}  // namespace mw
