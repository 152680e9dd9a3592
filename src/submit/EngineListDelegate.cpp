#include "submit/EngineListDelegate.h"

#include <QApplication>
#include <QPainter>

#include "platform/QtText.h"
#include "submit/EngineSelection.h"

namespace mw {

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
