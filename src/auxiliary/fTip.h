#pragma once
// The tips shown at the program's start, until "Diese Tipps nicht mehr anzeigen" is ticked and
// the window closed with "Schliessen" (which leaves the marker file "NoTip.ini").

#include "platform/ModalForm.h"

class QCheckBox;
class QPushButton;

namespace mw {

struct AppContext;

class TTipForm : public TModalForm {
  Q_OBJECT
 public:
  explicit TTipForm(AppContext& context, QWidget* parent = nullptr);

  QCheckBox* CheckBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "Schliessen"

 private:
  void BitBtn1Click();
  AppContext& context_;
};

// Writes an empty marker file; the error text is reported by the caller's window.
bool WriteMarkerFile(const std::string& path, std::string* error);

}  // namespace mw
