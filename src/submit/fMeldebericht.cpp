#include "submit/fMeldebericht.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "common/Files.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/TextPrinter.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"
#include "submit/SubmissionReport.h"
#include "submit/SubmissionRun.h"

namespace mw {
namespace {

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(Msg(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setMinimumSize(120, 30);
  return b;
}

QStringList MemoLines(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

}  // namespace

TMeldeberichForm::TMeldeberichForm(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), defaultPrinter_(std::make_unique<DefaultTextPrinter>()) {
  printer_ = defaultPrinter_.get();
  setObjectName(QStringLiteral("MeldeberichForm"));
  setWindowTitle(Msg("Anmeldebericht"));
  setModal(false);
  resize(720, 560);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(12, 12, 12, 12);
  Panel3 = new QWidget(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* top = new QHBoxLayout(Panel3);
  top->setContentsMargins(0, 0, 0, 4);
  Label1 = new QLabel(Msg("Anmeldebericht"), Panel3);
  Label1->setObjectName(QStringLiteral("Label1"));
  MakeHeading(Label1, 1.2);
  top->addWidget(Label1);
  column->addWidget(Panel3);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));  // the report's columns line up
  column->addWidget(Memo1, 1);

  auto* bottom = new QHBoxLayout;
  SaveBitBtn = Button("SaveBitBtn", "Speichern", this);
  PrintBitBtn = Button("PrintBitBtn", "Drucken", this);
  BitBtn1 = Button("BitBtn1", "Schliessen", this);
  BitBtn1->setDefault(true);
  bottom->addWidget(SaveBitBtn);
  bottom->addWidget(PrintBitBtn);
  bottom->addStretch();
  bottom->addWidget(BitBtn1);
  column->addLayout(bottom);

  connect(SaveBitBtn, &QPushButton::clicked, this, &TMeldeberichForm::SaveBitBtnClick);
  connect(PrintBitBtn, &QPushButton::clicked, this, &TMeldeberichForm::PrintBitBtnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TMeldeberichForm::~TMeldeberichForm() = default;

void TMeldeberichForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TMeldeberichForm::FormActivate() {
  std::vector<std::string> lines;
  std::string error;
  if (!ReadLineFile(context_.folder.File("MeldeBericht.txt"), lines, &error)) {
    Memo1->clear();
    context_.dialogs->Error(Msg(error));
    return;
  }
  Memo1->setPlainText(ToQtList(lines).join(QLatin1Char('\n')));
}

void TMeldeberichForm::SaveBitBtnClick() {
  QString file = context_.dialogs->SaveFile(Msg("Textdatei | *.txt"), QStringLiteral("unbennant"));
  if (file.isEmpty()) return;
  if (!file.section(QLatin1Char('/'), -1).contains(QLatin1Char('.'))) file += QStringLiteral(".txt");
  std::string error;
  if (!WriteLineFile(file.toLocal8Bit().toStdString(), FromQtList(MemoLines(Memo1)), &error))
    context_.dialogs->Error(Msg(error));
}

void TMeldeberichForm::PrintBitBtnClick() {
  const auto lines = PrintedReportLines(ShortDateText(), FromQtList(MemoLines(Memo1)));
  QString error;
  if (!printer_->Print(ToQtList(lines), &error)) context_.dialogs->Information(error);
}

}  // namespace mw
