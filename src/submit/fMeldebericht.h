#pragma once
// The submission report window: shows "MeldeBericht.txt" for reading and editing, saves the
// text elsewhere and prints it. Shown beside the main window, not modally; every activation
// loads the file again.

#include <QDialog>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace mw {

struct AppContext;
class TextPrinter;

class TMeldeberichForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMeldeberichForm(AppContext& context, QWidget* parent = nullptr);
  ~TMeldeberichForm() override;

  // The printer used by "Drucken"; the desktop's default printer unless a test sets one.
  void SetPrinter(TextPrinter* printer) { printer_ = printer; }

  void FormActivate();  // loads the report file into Memo1
  void SaveBitBtnClick();
  void PrintBitBtnClick();

  QWidget* Panel3 = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton *SaveBitBtn = nullptr, *PrintBitBtn = nullptr, *BitBtn1 = nullptr;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  AppContext& context_;
  std::unique_ptr<TextPrinter> defaultPrinter_;
  TextPrinter* printer_ = nullptr;
};

}  // namespace mw
