#include "shell/fMainWidgets.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/QtText.h"

namespace mw {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_->addButton(button, i);
    layout->addWidget(button);
  }
  connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::ItemClicked);
}

int TRadioGroup::ItemIndex() const {
  return group_->checkedId();
}
int TRadioGroup::Count() const {
  return int(group_->buttons().size());
}

void TRadioGroup::SetItemIndex(int index) {
  if (auto* button = group_->button(index)) {
    button->setChecked(true);
  } else if (auto* checked = group_->checkedButton()) {
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
  }
  Q_EMIT ItemClicked(index);
}

TUpDown::TUpDown(QLineEdit* associate, int minimum, QWidget* parent)
    : QWidget(parent), associate_(associate), minimum_(minimum) {}

void TUpDown::SetPosition(int position) {
  position_ = std::max(position, minimum_);
  if (associate_) associate_->setText(QString::number(position_));
}

void TUpDown::Click(bool up) {
  SetPosition(position_ + (up ? 1 : -1));
  Q_EMIT Clicked();
}

}  // namespace mw
