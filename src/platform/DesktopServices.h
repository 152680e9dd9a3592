#pragma once
// Opening a web address, a local file or a "mailto:" address in the desktop's default program,
// behind a small interface so tests can record what would have been opened.

#include <QUrl>

namespace mw {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual bool Open(const QUrl& url) = 0;  // false when the desktop could not open it
};

class DesktopUrlOpener final : public UrlOpener {
 public:
  bool Open(const QUrl& url) override;
};

}  // namespace mw
