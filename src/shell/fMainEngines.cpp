// Main window: steps 3 and 4, the engine lists and the page list of the shown engine.
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/BusyCursor.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WidgetLook.h"
#include "shell/fMain.h"
#include "shell/fMainWidgets.h"
#include "submit/EngineListDelegate.h"
#include "submit/EngineTemplates.h"

namespace mw {
namespace {

constexpr const char* kGermanFlag = "recom/flag_german.png";
constexpr const char* kEnglishFlag = "recom/flag_english.png";

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(Msg(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QFrame* Panel(const char* name, QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromLatin1(name));
  return f;
}

// The flag as an opaque bitmap of its own.
QPixmap OpaqueFlag(const std::string& path) {
  QImage image(QString::fromLocal8Bit(path.c_str()));
  if (image.isNull()) image = QImage(20, 12, QImage::Format_RGB32), image.fill(Qt::lightGray);
  return QPixmap::fromImage(image.convertToFormat(QImage::Format_RGB32));
}

void SetTicks(QListWidget* list, const std::vector<bool>& ticks) {
  for (int i = 0; i < list->count() && i < int(ticks.size()); ++i)
    list->item(i)->setCheckState(ticks[std::size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

QWidget* TMainForm::BuildStep3() {
  auto* sheet = new QWidget;
  sheet->setObjectName(QStringLiteral("TabSheet6"));
  auto* column = new QVBoxLayout(sheet);
  column->setContentsMargins(12, 8, 12, 12);
  Panel5 = Panel("Panel5", sheet);
  auto* top = new QHBoxLayout(Panel5);
  top->setContentsMargins(0, 4, 0, 4);
  Label15 = new QLabel(Msg("Auswahl Suchmaschinen"), Panel5);
  Label15->setObjectName(QStringLiteral("Label15"));
  MakeHeading(Label15, 1.2);
  top->addWidget(Label15);
  column->addWidget(Panel5);

  auto* row = new QHBoxLayout;
  Panel6 = Panel("Panel6", sheet);
  Panel6->setFixedWidth(170);
  auto* buttons = new QVBoxLayout(Panel6);
  buttons->setContentsMargins(0, 0, 0, 0);
  BitBtn3 = Button("BitBtn3", "Alle markieren", Panel6);
  DieWichtigstenBitBtn = Button("DieWichtigstenBitBtn", "Die Wichtigsten", Panel6);
  BitBtn4 = Button("BitBtn4", "Alle Deutschsprachigen", Panel6);
  BitBtn2 = Button("BitBtn2", "Alle Englischsprachigen", Panel6);
  Unmark2BitBtn = Button("Unmark2BitBtn", "Alle unmarkieren", Panel6);
  for (QPushButton* b : {BitBtn3, DieWichtigstenBitBtn, BitBtn4, BitBtn2, Unmark2BitBtn}) buttons->addWidget(b);
  buttons->addStretch();
  Panel6->installEventFilter(this);
  row->addWidget(Panel6);
  row->addSpacing(8);
  SuchmaschinenCheckListBox = new QListWidget(sheet);
  SuchmaschinenCheckListBox->setObjectName(QStringLiteral("SuchmaschinenCheckListBox"));
  SuchmaschinenCheckListBox->setUniformItemSizes(true);
  row->addWidget(SuchmaschinenCheckListBox, 1);
  column->addLayout(row, 1);

  connect(BitBtn3, &QPushButton::clicked, this, [this] { ApplyEngineChoice(EngineChoice::All); });
  connect(DieWichtigstenBitBtn, &QPushButton::clicked, this, [this] { ApplyEngineChoice(EngineChoice::Important); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { ApplyEngineChoice(EngineChoice::German); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { ApplyEngineChoice(EngineChoice::English); });
  connect(Unmark2BitBtn, &QPushButton::clicked, this, [this] { ApplyEngineChoice(EngineChoice::None); });
  return sheet;
}

QWidget* TMainForm::BuildStep4() {
  auto* sheet = new QWidget;
  sheet->setObjectName(QStringLiteral("TabSheet1"));
  auto* column = new QVBoxLayout(sheet);
  column->setContentsMargins(12, 8, 12, 8);
  Panel4 = Panel("Panel4", sheet);
  auto* top = new QHBoxLayout(Panel4);
  top->setContentsMargins(0, 4, 0, 4);
  AlleAnmeldenBitBtn = Button("AlleAnmeldenBitBtn", "Anmeldung starten", Panel4);
  QFont bold = AlleAnmeldenBitBtn->font();
  bold.setBold(true);
  AlleAnmeldenBitBtn->setFont(bold);
  AlleAnmeldenBitBtn->setDefault(true);
  AbortBitBtn = Button("AbortBitBtn", "Anmeldung abbrechen", Panel4);
  ResultatBitBtn = Button("ResultatBitBtn", "Resultate ansehen", Panel4);
  AbortBitBtn->setEnabled(false);
  ResultatBitBtn->setEnabled(false);
  for (QPushButton* b : {AlleAnmeldenBitBtn, AbortBitBtn, ResultatBitBtn}) {
    b->setMinimumSize(170, 32);
    top->addWidget(b);
  }
  top->addStretch();
  GermanImage = new QLabel(Panel4);
  GermanImage->setObjectName(QStringLiteral("GermanImage"));
  GermanImage->setPixmap(OpaqueFlag(context_.folder.File(kGermanFlag)));
  EnglishImage = new QLabel(Panel4);
  EnglishImage->setObjectName(QStringLiteral("EnglishImage"));
  EnglishImage->setPixmap(OpaqueFlag(context_.folder.File(kEnglishFlag)));
  GermanImage->hide();
  EnglishImage->hide();
  column->addWidget(Panel4);

  auto* row = new QHBoxLayout;
  Panel3 = Panel("Panel3", sheet);
  Panel3->setFixedWidth(170);
  auto* left = new QVBoxLayout(Panel3);
  left->setContentsMargins(0, 0, 0, 0);
  MarkAllBitBtn = Button("MarkAllBitBtn", "Alle markieren", Panel3);
  UnmarkBitBtn = Button("UnmarkBitBtn", "Alle unmarkieren", Panel3);
  Label18 = new QLabel(Msg("Alle markieren mit dem Begriff:"), Panel3);
  Label18->setObjectName(QStringLiteral("Label18"));
  Label18->setWordWrap(true);
  SearchEdit = new QLineEdit(Panel3);
  SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
  SearchButton = Button("SearchButton", "Go", Panel3);
  SearchButton->setFixedWidth(40);
  auto* search = new QHBoxLayout;
  search->addWidget(SearchEdit, 1);
  search->addWidget(SearchButton);
  BitBtn5 = Button("BitBtn5", "Seiten hinzufügen", Panel3);
  DeleteBitBtn = Button("DeleteBitBtn", "Seite entfernen", Panel3);
  ComboBox1 = new QComboBox(Panel3);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setMaxVisibleItems(30);
  left->addWidget(MarkAllBitBtn);
  left->addWidget(UnmarkBitBtn);
  left->addSpacing(8);
  left->addWidget(Label18);
  left->addLayout(search);
  left->addSpacing(8);
  left->addWidget(BitBtn5);
  left->addWidget(DeleteBitBtn);
  left->addSpacing(8);
  auto* engineLabel = new QLabel(Msg("Seitenliste der Suchmaschine:"), Panel3);
  engineLabel->setWordWrap(true);
  left->addWidget(engineLabel);
  left->addWidget(ComboBox1);
  left->addStretch();
  row->addWidget(Panel3);
  row->addSpacing(8);
  CheckListBox1 = new QListWidget(sheet);
  CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
  CheckListBox1->setSpacing(2);
  DoneMemo = new QPlainTextEdit(sheet);
  DoneMemo->setObjectName(QStringLiteral("DoneMemo"));
  DoneMemo->setReadOnly(true);
  DoneMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1 = new QPlainTextEdit(sheet);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->hide();
  row->addWidget(CheckListBox1, 1);
  row->addWidget(DoneMemo, 1);
  column->addLayout(row, 1);

  Panel1 = Panel("Panel1", sheet);
  auto* bottom = new QHBoxLayout(Panel1);
  bottom->setContentsMargins(0, 4, 0, 0);
  SubmitLabel = new QLabel(Panel1);
  SubmitLabel->setObjectName(QStringLiteral("SubmitLabel"));
  SubmitLabel->setFont(bold);
  SubmitLabel->setMinimumWidth(220);
  ProgressBar1 = new QProgressBar(Panel1);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  bottom->addWidget(SubmitLabel);
  bottom->addWidget(ProgressBar1, 1);
  column->addWidget(Panel1);

  SuchmaschinenCheckListBox->setItemDelegate(
      new EngineListDelegate(GermanImage->pixmap(), EnglishImage->pixmap(), SuchmaschinenCheckListBox));
  connect(MarkAllBitBtn, &QPushButton::clicked, this, [this] { SetAllPageTicks(true); });
  connect(UnmarkBitBtn, &QPushButton::clicked, this, [this] { SetAllPageTicks(false); });
  connect(SearchButton, &QPushButton::clicked, this, &TMainForm::SearchButtonClick);
  connect(BitBtn5, &QPushButton::clicked, this, &TMainForm::BitBtn5Click);
  connect(DeleteBitBtn, &QPushButton::clicked, this, &TMainForm::DeleteBitBtnClick);
  connect(ComboBox1, &QComboBox::activated, this, [this](int) { ComboBox1Change(); });
  sheet->installEventFilter(this);      // Enter starts the run
  ComboBox1->installEventFilter(this);  // typed letters select no engine
  return sheet;
}

void TMainForm::FillEngineLists() {
  SuchmaschinenCheckListBox->clear();
  ComboBox1->clear();
  for (const auto& engine : EngineListFromTemplates(context_.folder.TemplatesFolder())) {
    auto* item = new QListWidgetItem(ToQt(engine), SuchmaschinenCheckListBox);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    ComboBox1->addItem(ToQt(engine));
  }
  ApplyEngineChoice(EngineChoice::Important);
  ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
  LoadEnginePageList();
  ComboBox1Change();
}

void TMainForm::ApplyEngineChoice(EngineChoice choice) {
  std::vector<std::string> engines;
  for (int i = 0; i < SuchmaschinenCheckListBox->count(); ++i)
    engines.push_back(FromQt(SuchmaschinenCheckListBox->item(i)->text()));
  const std::vector<bool> important = choice == EngineChoice::Important
                                          ? EnginesMarkedImportant(context_.folder.TemplatesFolder(), engines)
                                          : std::vector<bool>();
  SetTicks(SuchmaschinenCheckListBox, ChooseEngines(engines, choice, important));
}

void TMainForm::ShowPageRows() {
  CheckListBox1->clear();
  const auto rows = shown_.Rows();
  const auto marks = shown_.Marks();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(rows[i]), CheckListBox1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(marks[i] ? Qt::Checked : Qt::Unchecked);
  }
}

std::vector<bool> TMainForm::PageTicks() const {
  std::vector<bool> ticks;
  for (int i = 0; i < CheckListBox1->count(); ++i) ticks.push_back(CheckListBox1->item(i)->checkState() == Qt::Checked);
  return ticks;
}

void TMainForm::LoadEnginePageList() {
  const std::string engine = ComboBox1->currentIndex() >= 0 ? FromQt(ComboBox1->currentText()) : std::string();
  std::string error;
  if (!shown_.Load(ProjectPath(), engine, &error)) ShowError(error);
  ShowPageRows();
}

void TMainForm::SaveShownPageList() {
  std::string error;
  if (!shown_.Save(ProjectPath(), PageTicks(), &error)) ShowError(error);
}

void TMainForm::ComboBox1Change() {
  if (ComboBox1->currentIndex() < 0) return;
  SaveShownPageList();
  LoadEnginePageList();
}

void TMainForm::SetAllPageTicks(bool ticked) {
  SetTicks(CheckListBox1, std::vector<bool>(std::size_t(CheckListBox1->count()), ticked));
}

void TMainForm::SearchButtonClick() {
  std::vector<bool> ticks = PageTicks();
  if (context_.dialogs->YesNo(Msg("Sollen vorher alle anderen markierten unmarkiert werden?")))
    ticks.assign(ticks.size(), false);
  SetTicks(CheckListBox1, MarkRowsContaining(shown_.Rows(), ticks, FromQt(SearchEdit->text())));
  SaveShownPageList();
}

void TMainForm::DeleteBitBtnClick() {
  context_.dialogs->Information(Msg("Blau markierte Seite löschen!"));
  const QListWidgetItem* current = CheckListBox1->currentItem();
  if (!current || !current->isSelected()) {
    context_.dialogs->Information(Msg("Keine Seite blau markiert zum löschen!"));
    return;
  }
  std::vector<bool> ticks = PageTicks();
  BusyCursor busy;
  const std::string url = shown_.RemovePage(CheckListBox1->currentRow(), ticks);
  std::string error;
  if (!ProjectFolderName.empty() && !RemovePageFromProject(ProjectPath(), url, &error)) ShowError(error);
  ShowPageRows();
  SetTicks(CheckListBox1, ticks);
  ComboBox1Change();
}

void TMainForm::BitBtn5Click() {
  SelectTab(0);
  UntickModes();
}

void TMainForm::UntickModes() {
  shownMode_ = nullptr;
  for (QRadioButton* b : {OnePageSubpagesRadioButton, OnePageRadioButton, ListeRadioButton}) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
}

}  // namespace mw
