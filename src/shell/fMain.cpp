#include "shell/fMain.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/QtText.h"

namespace mw {

TMainForm::TMainForm(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
  setObjectName(QStringLiteral("MainForm"));
  SelectVariablesPanel = new QWidget(this);
  SelectVariablesPanel->setObjectName(QStringLiteral("SelectVariablesPanel"));
  auto* buttons = new QVBoxLayout;
  const auto makeButton = [&](const char* name, const char* caption) {
    auto* b = new QPushButton(Msg(caption), SelectVariablesPanel);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(260, 48);
    buttons->addWidget(b);
    return b;
  };
  NewBitBtn = makeButton("NewBitBtn", "Neues Projekt anlegen");
  OpenBitBtn = makeButton("OpenBitBtn", "Projekt \xc3\xb6" "ffnen");
  DelBitBtn = makeButton("DelBitBtn", "Projekt l\xc3\xb6schen");
  buttons->addStretch();
  auto* row = new QHBoxLayout(SelectVariablesPanel);
  row->addLayout(buttons);
  row->addStretch();
  setCentralWidget(SelectVariablesPanel);
  FormCreate();
}

void TMainForm::FormCreate() {
  setWindowTitle(ToQt(context_.facts.productName));
  std::string error;
  if (!settings_.Load(context_.folder.ProgramIni(), &error) && context_.dialogs)
    context_.dialogs->Error(Msg(error));
  context_.folder.CreateWorkFolders();
}

void TMainForm::SaveSettings() {
  std::string error;
  if (!settings_.Save(context_.folder.ProgramIni(), &error) && context_.dialogs) context_.dialogs->Error(Msg(error));
}

void TMainForm::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
}

}  // namespace mw
