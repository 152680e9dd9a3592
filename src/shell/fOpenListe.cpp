#include "shell/fOpenListe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Files.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "store/AppContext.h"
#include "shell/WizardRules.h"

namespace mw {

TListeForm::TListeForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("ListeForm"));
  setWindowTitle(Msg("Von Hand mehrere Webseiten oder Domains hinzufügen"));
  resize(760, 480);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignTop);
  Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);  // cut at the window's height
  Image1->setPixmap(QPixmap(QString::fromLocal8Bit(context.folder.File(context.facts.wizardPicture).c_str())));
  row->addWidget(Image1);

  auto* column = new QVBoxLayout;
  column->setContentsMargins(0, 12, 12, 12);
  for (const char* hint :
       {"Schreiben Sie Ihre Webseiten zum Anmelden in dieses Feld.", "Bitte immer nur eine Webseite pro Zeile.",
        "Vergessen Sie nicht \"http://\" vor die Seiten zu schreiben."}) {
    auto* label = new QLabel(Msg(hint), this);
    label->setWordWrap(true);
    column->addWidget(label);
  }
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  column->addWidget(Memo1, 1);
  auto* buttons = new QHBoxLayout;
  OpenBitBtn = new QPushButton(Msg("Liste aus Datei öffnen"), this);
  OpenBitBtn->setObjectName(QStringLiteral("OpenBitBtn"));
  WeiterBitBtn = new QPushButton(Msg("Übernehmen"), this);
  WeiterBitBtn->setObjectName(QStringLiteral("WeiterBitBtn"));
  WeiterBitBtn->setDefault(true);
  AbortBitBtn = new QPushButton(Msg("Abbrechen"), this);
  AbortBitBtn->setObjectName(QStringLiteral("AbortBitBtn"));
  buttons->addWidget(OpenBitBtn);
  buttons->addStretch();
  buttons->addWidget(WeiterBitBtn);
  buttons->addWidget(AbortBitBtn);
  column->addLayout(buttons);
  row->addLayout(column, 1);

  connect(OpenBitBtn, &QPushButton::clicked, this, &TListeForm::OpenBitBtnClick);
  connect(WeiterBitBtn, &QPushButton::clicked, this, &TListeForm::WeiterBitBtnClick);
  connect(AbortBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TListeForm::FormActivate() {
  Memo1->clear();
}

void TListeForm::OpenBitBtnClick() {
  context_.dialogs->Information(
      Msg("Hier kann eine Liste von URLs zum anmelden eingefügt werden. Öffnen Sie hierzu eine Text-Datei in der "
          "Sie alle URLs eingetragen haben. (Bitte immer nur eine URL pro Zeile)"));
  const QString file = context_.dialogs->OpenFile(Msg("Textdatei *.txt|*.txt"));
  if (file.isEmpty()) return;
  std::string content, error;
  if (!ReadWholeFile(file.toLocal8Bit().toStdString(), content, &error)) {
    context_.dialogs->Error(Msg(error));
    return;
  }
  Memo1->setPlainText(ToQt(content));
}

void TListeForm::WeiterBitBtnClick() {
  const auto lines = TextLines(FromQt(Memo1->toPlainText()));
  if (AnyLineWithoutScheme(lines)) {
    context_.dialogs->Error(Msg("Sie haben vergessen \"http://\" bzw. \"https://\" vor die Webseite zu schreiben!"));
    return;
  }
  if (resultList_) {
    resultList_->clear();
    for (const auto& line : AcceptedListLines(lines)) resultList_->appendPlainText(ToQt(line));
  }
  accept();
}

}  // namespace mw
