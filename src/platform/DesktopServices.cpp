#include "platform/DesktopServices.h"

#include <QDesktopServices>

namespace mw {

bool DesktopUrlOpener::Open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace mw
