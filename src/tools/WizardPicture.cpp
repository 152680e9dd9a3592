#include "tools/WizardPicture.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "store/AppContext.h"

namespace mw {

QLabel* MakeWizardPicture(AppContext& context, QWidget* parent) {
  auto* image = new QLabel(parent);
  image->setObjectName(QStringLiteral("Image1"));
  image->setFixedSize(95, 158);
  image->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  const std::string path = context.folder.File(context.facts.wizardPicture);
  const QPixmap picture(QString::fromLocal8Bit(path.c_str()));
  if (picture.isNull() && context.dialogs)
    context.dialogs->Error(
        Msg(FileOpenErrorMessage(path, FileExists(path) ? "Kein lesbares Bild" : "Datei nicht gefunden")));
  // The picture is drawn for taller windows: its top part at the frame's width.
  image->setPixmap(picture.isNull() ? picture : picture.scaledToWidth(95, Qt::SmoothTransformation));
  return image;
}

WizardButtons AddWizardButtons(QWidget* parent, QVBoxLayout* column) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  column->addWidget(line);
  WizardButtons b;
  b.hilfe = new QPushButton(Msg("Hilfe"), parent);
  b.hilfe->setObjectName(QStringLiteral("HilfeBitBtn"));
  b.abort = new QPushButton(Msg("Abbrechen"), parent);
  b.abort->setObjectName(QStringLiteral("AbortBitBtn"));
  b.weiter = new QPushButton(Msg("Weiter"), parent);
  b.weiter->setObjectName(QStringLiteral("WeiterBitBtn"));
  b.weiter->setIcon(parent->style()->standardIcon(QStyle::SP_ArrowRight));
  b.weiter->setLayoutDirection(Qt::RightToLeft);  // the glyph on the right
  b.weiter->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(b.hilfe);
  buttons->addStretch();
  buttons->addWidget(b.abort);
  buttons->addWidget(b.weiter);
  column->addLayout(buttons);
  return b;
}

}  // namespace mw
