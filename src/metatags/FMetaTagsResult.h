#pragma once
// The finished meta tags: the block the generator produced, editable, and copied to the
// clipboard (plain text, CR LF after every line) each time the window becomes active, so an
// edit made here is what the user pastes.

#include <QString>

#include "platform/ModalForm.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TReadyMetaTagsForm : public TModalForm {
  Q_OBJECT
 public:
  explicit TReadyMetaTagsForm(AppContext& context, QWidget* parent = nullptr);

  // Copies the whole text of Memo1 to the clipboard; run when the window is shown and at
  // every later activation.
  void FormActivate() override;
  // The text handed to the clipboard: every line of Memo1 followed by CR LF.
  QString ClipboardText() const;

  QLabel *Label1 = nullptr, *Label2 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "Schließen"

 protected:
  void changeEvent(QEvent* event) override;
};

}  // namespace mw
