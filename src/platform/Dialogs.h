#pragma once
// Every message box, question and file dialog of the program goes through this interface, so
// tests can answer in advance and record what the user was shown.

#include <QString>

class QWidget;

namespace mw {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void Information(const QString& text) = 0;  // information box with OK
  virtual void Error(const QString& text) = 0;        // error box with OK
  virtual void Message(const QString& text) = 0;      // plain message box with OK
  virtual bool YesNo(const QString& text) = 0;        // question; true for "Ja"
  // File dialogs take filters in the form "Textdatei *.txt|*.txt" (display text | pattern,
  // repeated). An empty result means the user cancelled.
  virtual QString OpenFile(const QString& filter, const QString& folder = {}) = 0;
  virtual QString SaveFile(const QString& filter, const QString& defaultName, const QString& folder = {}) = 0;
};

// Qt's name filters ("Textdatei *.txt (*.txt)") for a filter of the form above.
QString ToQtNameFilters(const QString& filter);

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Information(const QString& text) override;
  void Error(const QString& text) override;
  void Message(const QString& text) override;
  bool YesNo(const QString& text) override;
  QString OpenFile(const QString& filter, const QString& folder) override;
  QString SaveFile(const QString& filter, const QString& defaultName, const QString& folder) override;

 private:
  QWidget* parent_;
};

}  // namespace mw
