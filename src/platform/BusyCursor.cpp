#include "platform/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace mw {

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

BusyCursor::~BusyCursor() { Release(); }

void BusyCursor::Release() {
  if (!active_) return;
  active_ = false;
  QApplication::restoreOverrideCursor();
}

}  // namespace mw
