#pragma once
// The new-project window: asks for the name of the new project.

#include "platform/ModalForm.h"

class QLineEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TNewForm : public TModalForm {
  Q_OBJECT
 public:
  explicit TNewForm(AppContext& context, QWidget* parent = nullptr);
  void FormActivate() override;  // clears Edit1

  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "OK"
  QPushButton* BitBtn2 = nullptr;  // "Abbrechen"

 private:
  void BitBtn1Click();
  AppContext& context_;
};

}  // namespace mw
