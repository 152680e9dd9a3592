#pragma once
// Base of the program's modal windows: the work a window does each time it is shown
// (clearing a field, listing projects) is in FormActivate, which the caller runs just before
// the window is shown, so a test can drive the window without a modal loop.

#include <QDialog>

namespace mw {

class TModalForm : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;
  virtual void FormActivate() {}
};

}  // namespace mw
