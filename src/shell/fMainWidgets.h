#pragma once
// Small controls of the main window: a radio group with an item index and the up-down beside a
// number edit. The engine list's drawing is shared with the ranking window (submit/EngineListDelegate.h).

#include <QGroupBox>

class QButtonGroup;
class QLineEdit;

namespace mw {

// A group of radio buttons addressed by item index (-1: none chosen). ItemClicked is emitted
// when the user picks an item and also when the index is set from code.
class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const;

 Q_SIGNALS:
  void ItemClicked(int index);

 private:
  QButtonGroup* group_;
};

// The up-down arrows beside a number edit. Setting the position from code only changes the
// edit's text; a click by the user also emits Clicked.
class TUpDown : public QWidget {
  Q_OBJECT
 public:
  TUpDown(QLineEdit* associate, int minimum, QWidget* parent = nullptr);
  int Position() const { return position_; }
  void SetPosition(int position);
  void Click(bool up);  // a user's click on the upper or lower arrow

 Q_SIGNALS:
  void Clicked();

 private:
  QLineEdit* associate_;
  int minimum_;
  int position_ = 0;
};

}  // namespace mw
