#pragma once
// The product window shown when the program ends: a short word about Meldewerk and its tools.
// "Tipp nicht mehr anzeigen!" leaves the marker file "NoWer.ini" whichever way it is closed.

#include "platform/ModalForm.h"

class QCheckBox;

namespace mw {

struct AppContext;

class TWerbungForm : public TModalForm {
  Q_OBJECT
 public:
  explicit TWerbungForm(AppContext& context, QWidget* parent = nullptr);
  void done(int result) override;  // every way of closing ends here: FormClose

  QCheckBox* CheckBox1 = nullptr;

 private:
  void FormCreate();
  AppContext& context_;
};

}  // namespace mw
