#pragma once
// The embedded web browser behind a small interface: navigate to an address, and two events
// for the top-level document: navigate-complete when a document has begun to load, and
// document-complete when it has finished, successfully or with the engine's error page. Each
// load is a document of its own, told apart by a number. Windows use it without knowing the
// engine; tests can put a stand-in in its place.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace mw {

class BrowserControl {
 public:
  using Document = std::uint64_t;  // 0 is never a document

  virtual ~BrowserControl() = default;
  virtual QWidget* Widget() = 0;
  virtual void Navigate(const QString& address) = 0;

  std::function<void(Document)> OnNavigateComplete;
  std::function<void(Document)> OnDocumentComplete;
};

// The control on QtWebEngine. Every control shares one profile that keeps nothing on disk.
std::unique_ptr<BrowserControl> MakeWebEngineBrowser(QWidget* parent);

// The engine refuses to start as root with its sandbox on; switches the sandbox off then.
// Must run before the QApplication is made.
void PrepareBrowserEngine();

}  // namespace mw
