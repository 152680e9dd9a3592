#include "metatags/FMetaTagsResult.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/QtText.h"

namespace mw {

TReadyMetaTagsForm::TReadyMetaTagsForm(AppContext&, QWidget* parent) : TModalForm(parent) {
  setObjectName(QStringLiteral("ReadyMetaTagsForm"));
  setWindowTitle(Msg("Fertige MetaTags"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(668, 576);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(12, 12, 12, 12);
  Label1 = new QLabel(Msg("Die fertigen MetaTags wurden in die Zwischenablage kopiert"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label2 = new QLabel(
      Msg("Wechseln Sie nun in Ihren HTML-Editor und fügen Sie den Quelltext an der richtigen Stelle ein."), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setWordWrap(true);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  BitBtn1 = new QPushButton(Msg("Schließen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setMinimumSize(120, 30);
  column->addWidget(Label1);
  column->addWidget(Label2);
  column->addWidget(Memo1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(BitBtn1);
  bottom->addStretch();
  column->addLayout(bottom);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

QString TReadyMetaTagsForm::ClipboardText() const {
  const QString text = Memo1->toPlainText();
  if (text.isEmpty()) return {};
  QString out;
  for (const QString& line : text.split(QLatin1Char('\n'))) out += line + QStringLiteral("\r\n");
  return out;
}

void TReadyMetaTagsForm::FormActivate() {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(ClipboardText());
}

void TReadyMetaTagsForm::changeEvent(QEvent* event) {
  TModalForm::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

}  // namespace mw
