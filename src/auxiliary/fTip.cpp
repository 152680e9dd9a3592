#include "auxiliary/fTip.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "common/Files.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"

namespace mw {
namespace {

// The small picture in front of each hint: a light bulb, 30 x 40 pixels.
QPixmap HintPicture() {
  QPixmap pixmap(30, 40);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(180, 130, 0), 1.5));
  p.setBrush(QColor(255, 214, 64));
  p.drawEllipse(QRectF(4, 3, 22, 22));
  p.setBrush(QColor(150, 150, 150));
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawRect(QRectF(10, 25, 10, 9));
  p.drawLine(QPointF(10, 28), QPointF(20, 28));
  p.drawLine(QPointF(10, 31), QPointF(20, 31));
  p.setPen(QPen(Qt::white, 2));
  p.drawArc(QRectF(9, 8, 9, 9), 90 * 16, 90 * 16);
  return pixmap;
}

const char* const kHints[] = {
    "Meldewerk hat mehr deutschsprachige Suchmaschinen als jede andere Suchmaschineneintragssoftware!",
    "nur Meldewerk ermittelt vollautomatisch die Unterseiten Ihrer Webseite zum Anmelden! Mehr Seiten in den "
    "Suchmaschinen! ",
    "mit Meldewerk können Sie alle Ihre Domains auf einmal anmelden!"};

}  // namespace

bool WriteMarkerFile(const std::string& path, std::string* error) {
  return WriteFileAtomic(path, {}, error);
}

TTipForm::TTipForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("TipForm"));
  setWindowTitle(Msg("Tipps"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(539, 262);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* scroll = new QScrollArea(this);
  QWidget* page = WhiteScrollPage(scroll);
  auto* column = new QVBoxLayout(page);
  auto* heading = new QLabel(Msg("Hinweis"), page);
  MakeHeading(heading, 1.5);
  column->addWidget(heading);
  const QPixmap picture = HintPicture();
  for (const char* hint : kHints) {
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(page);
    icon->setPixmap(picture);
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(Msg(hint), page);
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
    text->setWordWrap(true);
    row->addWidget(icon);
    row->addWidget(text, 1);
    column->addLayout(row);
  }
  column->addStretch();
  layout->addWidget(scroll, 1);
  auto* bottom = new QHBoxLayout;
  CheckBox1 = new QCheckBox(Msg("Diese Tipps nicht mehr anzeigen"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  BitBtn1 = new QPushButton(Msg("Schliessen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  bottom->addWidget(CheckBox1);
  bottom->addStretch();
  bottom->addWidget(BitBtn1);
  layout->addLayout(bottom);
  connect(BitBtn1, &QPushButton::clicked, this, &TTipForm::BitBtn1Click);
}

void TTipForm::BitBtn1Click() {
  std::string error;
  if (CheckBox1->isChecked() && !WriteMarkerFile(context_.folder.File("NoTip.ini"), &error))
    context_.dialogs->Error(Msg(error));
  accept();
}

}  // namespace mw
