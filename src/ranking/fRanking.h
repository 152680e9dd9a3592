#pragma once
// The ranking window: on which result page of each ticked engine does the user's site show up
// for a keyword? The rules, the files and the report are RankingRun's; this window reads its
// controls, runs it and shows the lines as they come, painting between the pages.

#include <QPixmap>
#include <functional>
#include <string>

#include "platform/ModalForm.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace mw {

struct AppContext;

class TRankingForm : public TModalForm {
  Q_OBJECT
 public:
  // The flags are copies of the main window's, taken now, for drawing the engine list alike.
  TRankingForm(AppContext& context, const QPixmap& germanFlag, const QPixmap& englishFlag, QWidget* parent = nullptr);

  // Given by the main window: its Internet connection check (handed the first result-page
  // address the run would fetch) and the open project's name.
  std::function<bool(const std::string& firstAddress)> CheckConnection;
  std::function<std::string()> ProjectName;

  // Each opening: the engines of the ranking templates, all ticked, and the fields taken in.
  void FormActivate() override;
  void MaxPosEditChange();
  void SearchURLEditChange();
  void KeywordEditChange();
  void StartBitBtnClick();
  void BitBtn1Click() { close(); }

  int PageLimit() const { return pageLimit_; }
  const std::string& SearchAddress() const { return searchAddress_; }

  QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label15 = nullptr, *Label1 = nullptr;
  QLineEdit *MaxPosEdit = nullptr, *SearchURLEdit = nullptr, *KeywordEdit = nullptr;
  QFrame* Panel6 = nullptr;
  QPushButton *BitBtn3 = nullptr, *Unmark2BitBtn = nullptr, *StartBitBtn = nullptr, *BitBtn1 = nullptr;
  QPlainTextEdit* TempMemo = nullptr;  // hidden: the result page being searched
  QListWidget* SuchmaschinenCheckListBox = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

 private:
  void SetAllTicks(bool ticked);

  AppContext& context_;
  QPixmap germanFlag_, englishFlag_;
  int pageLimit_ = 5;
  std::string keyword_;
  std::string searchAddress_;
};

}  // namespace mw
