#include "tools/fClickOptions.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "auxiliary/Links.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"
#include "tools/ClickTiming.h"
#include "tools/WizardPicture.h"

namespace mw {
namespace {

QLabel* NamedLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(Msg(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QLineEdit* NamedEdit(const char* name, const char* text, QWidget* parent) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFixedWidth(60);
  return edit;
}

}  // namespace

TClickOptionsForm::TClickOptionsForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("ClickOptionsForm"));
  setWindowTitle(Msg("Klicktool"));
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(475, 224);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 12, 8);
  Image1 = MakeWizardPicture(context, this);
  row->addWidget(Image1, 0, Qt::AlignTop);

  auto* column = new QVBoxLayout;
  column->setContentsMargins(0, 12, 0, 0);
  Label5 = NamedLabel("Label5", "Nehmen Sie bitte die Einstellungen für das Klicktool vor", this);
  MakeHeading(Label5, 1.0);
  Label5->setWordWrap(true);
  column->addWidget(Label5);
  column->addSpacing(8);
  auto* secondsRow = new QHBoxLayout;
  Label1 = NamedLabel("Label1", "Alle", this);
  Edit1 = NamedEdit("Edit1", "2", this);
  Label2 = NamedLabel("Label2", "Sekunden ein Klick", this);
  secondsRow->addWidget(Label1);
  secondsRow->addWidget(Edit1);
  secondsRow->addWidget(Label2);
  secondsRow->addStretch();
  column->addLayout(secondsRow);
  auto* maximumRow = new QHBoxLayout;
  Label3 = NamedLabel("Label3", "Maximal", this);
  Edit2 = NamedEdit("Edit2", "1000", this);
  Label4 = NamedLabel("Label4", "Klick's, dann stoppen", this);
  maximumRow->addWidget(Label3);
  maximumRow->addWidget(Edit2);
  maximumRow->addWidget(Label4);
  maximumRow->addStretch();
  column->addLayout(maximumRow);
  VariableClicksCheckBox = new QCheckBox(this);
  VariableClicksCheckBox->setObjectName(QStringLiteral("VariableClicksCheckBox"));
  column->addWidget(VariableClicksCheckBox);
  column->addStretch();
  const WizardButtons buttons = AddWizardButtons(this, column);
  HilfeBitBtn = buttons.hilfe;
  AbortBitBtn = buttons.abort;
  WeiterBitBtn = buttons.weiter;
  row->addLayout(column, 1);

  connect(Edit1, &QLineEdit::textChanged, this, &TClickOptionsForm::Edit1Change);
  connect(HilfeBitBtn, &QPushButton::clicked, this, [this] { OpenHelpPage(context_); });
  connect(AbortBitBtn, &QPushButton::clicked, this, [this] { done(kAbortResult); });
  connect(WeiterBitBtn, &QPushButton::clicked, this, &QDialog::accept);
  Edit1Change();
}

void TClickOptionsForm::Edit1Change() {
  std::string caption, error;
  if (ClickTiming::VaryCaption(Edit1->text().toStdString(), caption, error))
    VariableClicksCheckBox->setText(QString::fromStdString(caption));
  else
    context_.dialogs->Error(Msg(error));
}

// Escape answers like "Abbrechen": only the close box and "Weiter" go on with the run.
void TClickOptionsForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    done(kAbortResult);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace mw
