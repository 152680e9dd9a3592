#include "shell/fNew.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Text.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"

namespace mw {

TNewForm::TNewForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("NewForm"));
  setWindowTitle(Msg("Neues Projekt anlegen"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  auto* heading = new QLabel(Msg("Neues Projekt anlegen"), this);
  MakeHeading(heading, 1.2);
  layout->addWidget(heading);
  layout->addWidget(new QLabel(Msg("Bitte geben Sie einen Namen für das neue Projekt ein:"), this));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMinimumWidth(340);
  layout->addWidget(Edit1);
  layout->addSpacing(8);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BitBtn1 = new QPushButton(Msg("OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(Msg("Abbrechen"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, &TNewForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewForm::FormActivate() {
  Edit1->clear();
  Edit1->setFocus();
}

void TNewForm::BitBtn1Click() {
  if (Trim(FromQt(Edit1->text())).empty()) {
    context_.dialogs->Information(Msg("Bitte geben Sie einen Namen für das neue Projekt ein!"));
    return;
  }
  accept();
}

}  // namespace mw
