#include "shell/fOpen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Text.h"
#include "platform/BusyCursor.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "store/AppContext.h"
#include "store/ProjectStore.h"

namespace mw {

TOpenForm::TOpenForm(AppContext& context, QWidget* parent) : TModalForm(parent), context_(context) {
  setObjectName(QStringLiteral("OpenForm"));
  setWindowTitle(ToQt(context.facts.productName));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  resize(520, 420);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  DoLabel = new QLabel(this);
  DoLabel->setObjectName(QStringLiteral("DoLabel"));
  MakeHeading(DoLabel, 1.2);
  layout->addWidget(DoLabel);
  OpenListBox = new QListWidget(this);
  OpenListBox->setObjectName(QStringLiteral("OpenListBox"));
  layout->addWidget(OpenListBox, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  OpenBitBtn = new QPushButton(this);
  OpenBitBtn->setObjectName(QStringLiteral("OpenBitBtn"));
  OpenBitBtn->setDefault(true);
  BitBtn2 = new QPushButton(Msg("Abbrechen"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  buttons->addWidget(OpenBitBtn);
  buttons->addWidget(BitBtn2);
  layout->addLayout(buttons);
  connect(OpenBitBtn, &QPushButton::clicked, this, &TOpenForm::OpenBitBtnClick);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(OpenListBox, &QListWidget::itemDoubleClicked, this, &TOpenForm::OpenListBoxDblClick);
}

void TOpenForm::FormActivate() {
  BusyCursor busy;
  const bool open = mode_ == Mode::Open;
  DoLabel->setText(Msg(open ? "Projekt öffnen" : "Projekt löschen"));
  OpenBitBtn->setText(Msg(open ? "Öffnen" : "Löschen"));
  chosenFolder_.clear();
  OpenListBox->clear();
  for (const auto& project : ProjectStore(context_.folder).ListProjects())
    OpenListBox->addItem(ToQt(project.DisplayText()));
}

std::string TOpenForm::SelectedText() const {
  const auto* item = OpenListBox->currentItem();
  return item && item->isSelected() ? FromQt(item->text()) : std::string();
}

void TOpenForm::OpenBitBtnClick() {
  const std::string selected = SelectedText();
  if (selected.empty()) {
    context_.dialogs->Information(Msg("Bitte treffen Sie zuerst eine Auswahl!"));
    return;
  }
  if (mode_ == Mode::Delete) chosenFolder_ = ExtractWord(1, selected, " ");
  accept();
}

void TOpenForm::OpenListBoxDblClick(QListWidgetItem* item) {
  if (!item) return;
  OpenListBox->setCurrentItem(item);
  OpenBitBtnClick();
  if (OnChosenByDoubleClick) OnChosenByDoubleClick();
}

}  // namespace mw
