#pragma once
// Opening a web address, a local file or a "mailto:" address in the desktop's default program,
// behind a small interface so tests can record what would have been opened.

#include <QUrl>
#include <string>

namespace mw {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual bool Open(const QUrl& url) = 0;  // false when the desktop could not open it
};

// Local files go to xdg-open, whose exit status tells whether a program took the file: Qt's
// own call only starts it and reports success even when no program can show the file or
// xdg-open is missing. An xdg-open still running after a few seconds has handed the file to a
// program that stays in the foreground, which counts as opened. Everything else goes through
// QDesktopServices.
class DesktopUrlOpener final : public UrlOpener {
 public:
  bool Open(const QUrl& url) override;
};

// Opens the local file `path` (bytes as the file system takes them) with `opener`. On failure
// `error` gets the German message naming the file's full path.
bool OpenLocalFile(UrlOpener* opener, const std::string& path, std::string* error = nullptr);

}  // namespace mw
