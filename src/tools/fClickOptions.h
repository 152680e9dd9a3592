#pragma once
// The click tool's options: seconds per click, the maximum number of clicks and whether the
// click time varies. Made once at program start, so the values stay within a run. "Weiter"
// ends it with Accepted, "Abbrechen" with kAbortResult; the close box (Rejected) lets the run
// go on with the values shown.

#include "platform/ModalForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TClickOptionsForm : public TModalForm {
  Q_OBJECT
 public:
  static constexpr int kAbortResult = 3;

  explicit TClickOptionsForm(AppContext& context, QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
  QLineEdit* Edit1 = nullptr;  // seconds
  QLineEdit* Edit2 = nullptr;  // maximum
  QCheckBox* VariableClicksCheckBox = nullptr;
  QPushButton *HilfeBitBtn = nullptr, *AbortBitBtn = nullptr, *WeiterBitBtn = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Edit1Change();
  AppContext& context_;
};

}  // namespace mw
