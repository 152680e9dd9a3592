#include "auxiliary/fWerbung.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "auxiliary/Links.h"
#include "auxiliary/fTip.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"

namespace mw {
namespace {

struct Tool {
  const char* title;
  const char* text;
};

const Tool kTools[] = {
    {"Suchmaschineneintrag",
     "Melden Sie Ihre Webseite mit wenigen Klicks bei vielen deutsch- und englischsprachigen "
     "Suchmaschinen an. Die wichtigsten Unterseiten ermittelt Meldewerk selbst."},
    {"Ranking Analyse", "Prüfen Sie, auf welcher Position der Ergebnisseiten Ihre Webseite für ein Stichwort steht."},
    {"Metatag-Analyse und verwaiste Links",
     "Durchsuchen Sie Ihre Webseite nach fehlenden Meta-Angaben und nach Links, "
     "die ins Leere führen."},
    {"Metatag-Generator", "Erzeugen Sie einen fertigen Kopfbereich mit allen Meta-Angaben für Ihre Seiten."},
    {"Multisuche und Klicktool",
     "Suchen Sie ein Stichwort in mehreren Suchmaschinen zugleich und rufen Sie Adressen "
     "in einstellbaren Abständen auf."}};

}  // namespace

TWerbungForm::TWerbungForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("WerbungForm"));
  setWindowTitle(ToQt(context.facts.productName));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* strip = new QWidget(this);
  strip->setFixedHeight(25);
  auto* stripRow = new QHBoxLayout(strip);
  stripRow->setContentsMargins(8, 0, 8, 0);
  CheckBox1 = new QCheckBox(Msg("Tipp nicht mehr anzeigen!"), strip);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  stripRow->addWidget(CheckBox1);
  stripRow->addStretch();
  layout->addWidget(strip);

  auto* scroll = new QScrollArea(this);
  QWidget* page = WhiteScrollPage(scroll);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(48, 32, 48, 32);
  auto* heading =
      new QLabel(Msg("Vielen Dank, dass Sie ") + ToQt(context.facts.productName) + Msg(" verwenden!"), page);
  MakeHeading(heading, 1.8);
  column->addWidget(heading);
  column->addWidget(
      new QLabel(Msg("Alles, was Ihre Webseite in den Suchmaschinen weiterbringt, in einem Programm:"), page));
  column->addSpacing(16);
  int n = 0;
  for (const Tool& tool : kTools) {
    auto* row = new QHBoxLayout;
    auto* text = new QLabel(QStringLiteral("<b>%1</b><br>%2").arg(Msg(tool.title), Msg(tool.text)), page);
    text->setWordWrap(true);
    auto* more = new QPushButton(Msg("Mehr Infos..."), page);
    more->setObjectName(QStringLiteral("MoreButton%1").arg(++n));
    more->setCursor(Qt::PointingHandCursor);
    connect(more, &QPushButton::clicked, this, [this] { OpenProductPage(context_); });
    row->addWidget(text, 1);
    row->addWidget(more, 0, Qt::AlignVCenter);
    column->addLayout(row);
    column->addSpacing(12);
  }
  column->addStretch();
  layout->addWidget(scroll, 1);
  FormCreate();
}

void TWerbungForm::FormCreate() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    setGeometry(area.left(), area.top(), area.width(), area.height() - 27);
  }
  setWindowState(windowState() | Qt::WindowMaximized);
}

void TWerbungForm::done(int result) {
  std::string error;
  if (CheckBox1->isChecked() && !WriteMarkerFile(context_.folder.File("NoWer.ini"), &error))
    context_.dialogs->Error(Msg(error));
  TModalForm::done(result);
}

}  // namespace mw
