#pragma once
// The engine lists of the main window and of the ranking window draw each engine the same way:
// its language flag, then its name.

#include <QPixmap>
#include <QStyledItemDelegate>

namespace mw {

// Draws an engine entry: the tick box, then the German flag for "_DE", "_AT" or "_CH" and the
// English one over it for "_COM" at (left + 5, top + 4), the name at (left + 30, top + 3).
class EngineListDelegate : public QStyledItemDelegate {
 public:
  EngineListDelegate(const QPixmap& german, const QPixmap& english, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QPixmap german_, english_;
};

}  // namespace mw
