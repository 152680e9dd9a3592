#pragma once
// The selection window for opening or deleting a project: lists the project folders with
// their titles. It has no close box; "Abbrechen" leaves it.

#include <functional>
#include <string>

#include "platform/ModalForm.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace mw {

struct AppContext;

class TOpenForm : public TModalForm {
  Q_OBJECT
 public:
  enum class Mode { Open, Delete };
  explicit TOpenForm(AppContext& context, QWidget* parent = nullptr);

  void SetMode(Mode mode) { mode_ = mode; }
  Mode CurrentMode() const { return mode_; }
  void FormActivate() override;  // heading, button and the list of projects

  std::string SelectedText() const;                           // the chosen item as shown
  std::string ChosenFolder() const { return chosenFolder_; }  // delete mode: its first word

  // Run on a double click that chooses an item (the main window selects its first tab).
  std::function<void()> OnChosenByDoubleClick;

  QLabel* DoLabel = nullptr;
  QListWidget* OpenListBox = nullptr;
  QPushButton* OpenBitBtn = nullptr;
  QPushButton* BitBtn2 = nullptr;  // "Abbrechen"

 private:
  void OpenBitBtnClick();
  void OpenListBoxDblClick(QListWidgetItem* item);

  AppContext& context_;
  Mode mode_ = Mode::Open;
  std::string chosenFolder_;
};

}  // namespace mw
