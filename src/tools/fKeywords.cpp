#include "tools/fKeywords.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "auxiliary/Links.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"
#include "tools/WizardPicture.h"

namespace mw {

TKeywordsForm::TKeywordsForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("KeywordsForm"));
  setWindowTitle(Msg("Suchen (Suchbegriffe)"));
  resize(466, 251);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 12, 8);
  Image1 = MakeWizardPicture(context, this);
  row->addWidget(Image1, 0, Qt::AlignTop);

  auto* column = new QVBoxLayout;
  column->setContentsMargins(0, 12, 0, 0);
  Label1 = new QLabel(Msg("Multisuche startet mehrere Suchmaschinen mit einem bestimmten Suchbegriff"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  column->addWidget(Label1);
  column->addSpacing(8);
  Label5 = new QLabel(Msg("Suchbegriff für die Multisuche"), this);
  Label5->setObjectName(QStringLiteral("Label5"));
  MakeHeading(Label5, 1.0);
  column->addWidget(Label5);
  Edit1 = new QLineEdit(Msg("Suchbegriff"), this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  column->addWidget(Edit1);
  column->addStretch();
  const WizardButtons buttons = AddWizardButtons(this, column);
  HilfeBitBtn = buttons.hilfe;
  AbortBitBtn = buttons.abort;
  WeiterBitBtn = buttons.weiter;
  row->addLayout(column, 1);

  connect(HilfeBitBtn, &QPushButton::clicked, this, [this] { OpenHelpPage(context_); });
  connect(AbortBitBtn, &QPushButton::clicked, this, [this] { done(kAbortResult); });
  connect(WeiterBitBtn, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace mw
