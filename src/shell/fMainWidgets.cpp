#include "shell/fMainWidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "submit/EngineSelection.h"

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

EngineListDelegate::EngineListDelegate(const QPixmap& german, const QPixmap& english, QObject* parent)
    : QStyledItemDelegate(parent), german_(german), english_(english) {}

QSize EngineListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width() + 30, 20};
}

void EngineListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();

  // Background and selection as the style draws them, without text or tick box.
  QStyleOptionViewItem background = opt;
  background.text.clear();
  background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  // The tick box where the style expects it, so clicks on it toggle the entry.
  const QRect check = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
  QStyleOptionViewItem box = opt;
  box.rect = check;
  box.state = box.state & ~QStyle::State_HasFocus;
  box.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
  style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);

  // The item's own rectangle begins right of the tick box.
  const QRect item(check.right() + 3, opt.rect.top(), opt.rect.right() - check.right() - 3, opt.rect.height());
  const EngineFlags flags = FlagsOf(FromQt(opt.text));
  if (flags.german) painter->drawPixmap(item.left() + 5, item.top() + 4, german_);
  if (flags.english) painter->drawPixmap(item.left() + 5, item.top() + 4, english_);
  painter->save();
  painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  const QRect textRect(item.left() + 30, item.top() + 3, item.width() - 30, item.height() - 3);
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, opt.text);
  painter->restore();
}

}  // namespace mw
