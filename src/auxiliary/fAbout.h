#pragma once
// The about window: picture, product name, version and the maker's links.

#include "platform/ModalForm.h"

class QLabel;
class QPushButton;

namespace mw {

struct AppContext;

class TAboutBox : public TModalForm {
  Q_OBJECT
 public:
  explicit TAboutBox(AppContext& context, QWidget* parent = nullptr);

  QLabel *Image1 = nullptr, *ProductName = nullptr, *VersionLabel = nullptr, *URLLabel = nullptr, *EmailLabel = nullptr;
  QPushButton *UpdateButton = nullptr, *OKButton = nullptr;

 private:
  void FormCreate();
  AppContext& context_;
};

}  // namespace mw
