#pragma once
// The multi-search's term window. Made once at program start, so the last term stays in the
// field. Only "Weiter" (Accepted) starts the search; "Abbrechen" ends it with kAbortResult.

#include "platform/ModalForm.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TKeywordsForm : public TModalForm {
  Q_OBJECT
 public:
  static constexpr int kAbortResult = 3;

  explicit TKeywordsForm(AppContext& context, QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel *Label1 = nullptr, *Label5 = nullptr;
  QLineEdit* Edit1 = nullptr;  // the search term
  QPushButton *HilfeBitBtn = nullptr, *AbortBitBtn = nullptr, *WeiterBitBtn = nullptr;

 private:
  AppContext& context_;
};

}  // namespace mw
