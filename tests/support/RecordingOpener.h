#pragma once
// A link opener for tests: records every address it was asked to open and succeeds or fails
// as told.

#include <string>
#include <vector>

#include "platform/DesktopServices.h"

namespace mwtest {

class RecordingOpener final : public mw::UrlOpener {
 public:
  bool Open(const QUrl& url) override {
    opened.push_back(url.toString().toStdString());
    return succeed;
  }
  bool succeed = true;
  std::vector<std::string> opened;
};

}  // namespace mwtest
