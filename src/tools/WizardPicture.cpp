#include "tools/WizardPicture.h"

#include <QLabel>
#include <QPixmap>

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

}  // namespace mw
