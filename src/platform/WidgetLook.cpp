#include "platform/WidgetLook.h"

#include <QLabel>
#include <QScrollArea>

namespace mw {

void MakeHeading(QLabel* label, double scale) {
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * scale);
  label->setFont(font);
}

QWidget* WhiteScrollPage(QScrollArea* scroll) {
  scroll->setWidgetResizable(true);
  auto* page = new QWidget;
  page->setAutoFillBackground(true);
  QPalette white = page->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  page->setPalette(white);
  scroll->setWidget(page);
  return page;
}

}  // namespace mw
