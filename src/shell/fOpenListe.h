#pragma once
// The URL-list window: several pages or domains typed in or loaded from a text file, one per
// line. "Übernehmen" puts them into the main window's result list.

#include "platform/ModalForm.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TListeForm : public TModalForm {
  Q_OBJECT
 public:
  explicit TListeForm(AppContext& context, QWidget* parent = nullptr);
  void FormActivate() override;  // clears Memo1
  // The list that receives the pages on "Übernehmen" (the main window's ErgMemo).
  void SetResultList(QPlainTextEdit* list) { resultList_ = list; }

  QLabel* Image1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* OpenBitBtn = nullptr;
  QPushButton* WeiterBitBtn = nullptr;
  QPushButton* AbortBitBtn = nullptr;

 private:
  void OpenBitBtnClick();
  void WeiterBitBtnClick();

  AppContext& context_;
  QPlainTextEdit* resultList_ = nullptr;
};

}  // namespace mw
