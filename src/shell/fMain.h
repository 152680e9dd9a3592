#pragma once

#include <QMainWindow>

#include "shell/AppContext.h"
#include "shell/ProgramSettings.h"

class QPushButton;
class QWidget;

namespace mw {

// The main window: the start screen with its three project buttons.
class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(AppContext& context, QWidget* parent = nullptr);

  ProgramSettings& Settings() { return settings_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void SaveSettings();

  AppContext& context_;
  ProgramSettings settings_;
  QWidget* SelectVariablesPanel = nullptr;
  QPushButton* NewBitBtn = nullptr;
  QPushButton* OpenBitBtn = nullptr;
  QPushButton* DelBitBtn = nullptr;
};

}  // namespace mw
