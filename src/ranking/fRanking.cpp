#include "ranking/fRanking.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "common/Text.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "platform/WaitingFetch.h"
#include "platform/WidgetLook.h"
#include "ranking/RankingRun.h"
#include "ranking/RankingTemplates.h"
#include "store/AppContext.h"
#include "submit/EngineListDelegate.h"

namespace mw {
namespace {

constexpr const char* kSampleSite = "www.beispiel.de";

QLabel* Label(const char* name, const char* caption, QWidget* parent) {
  auto* l = new QLabel(Msg(caption), parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QLineEdit* Edit(const char* name, const char* text, QWidget* parent) {
  auto* e = new QLineEdit(Msg(text), parent);
  e->setObjectName(QString::fromLatin1(name));
  return e;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(Msg(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setMinimumHeight(28);
  return b;
}

}  // namespace

TRankingForm::TRankingForm(AppContext& context, const QPixmap& germanFlag, const QPixmap& englishFlag, QWidget* parent)
    : TModalForm(parent), context_(context), germanFlag_(germanFlag), englishFlag_(englishFlag) {
  setObjectName(QStringLiteral("RankingForm"));
  setWindowTitle(Msg("Ranking"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(820, 540);

  auto* column = new QVBoxLayout(this);
  auto* fields = new QGridLayout;
  Label2 = Label("Label2", "Durchsuchen bis Seite Nr.:", this);
  Label3 = Label("Label3", "Ihre URL die gefunden werden soll:", this);
  Label4 = Label("Label4", "Suchbegriff:", this);
  MaxPosEdit = Edit("MaxPosEdit", "5", this);
  SearchURLEdit = Edit("SearchURLEdit", kSampleSite, this);
  KeywordEdit = Edit("KeywordEdit", "", this);
  fields->addWidget(Label2, 0, 0);
  fields->addWidget(Label3, 0, 1);
  fields->addWidget(Label4, 0, 2);
  fields->addWidget(MaxPosEdit, 1, 0);
  fields->addWidget(SearchURLEdit, 1, 1);
  fields->addWidget(KeywordEdit, 1, 2);
  fields->setColumnStretch(1, 2);
  fields->setColumnStretch(2, 2);
  column->addLayout(fields);

  auto* row = new QHBoxLayout;
  Panel6 = new QFrame(this);
  Panel6->setObjectName(QStringLiteral("Panel6"));
  Panel6->setFixedWidth(150);
  auto* buttons = new QVBoxLayout(Panel6);
  buttons->setContentsMargins(0, 0, 0, 0);
  BitBtn3 = Button("BitBtn3", "Alle markieren", Panel6);
  Unmark2BitBtn = Button("Unmark2BitBtn", "Alle unmarkieren", Panel6);
  buttons->addSpacing(22);
  buttons->addWidget(BitBtn3);
  buttons->addWidget(Unmark2BitBtn);
  buttons->addStretch();
  TempMemo = new QPlainTextEdit(Panel6);
  TempMemo->setObjectName(QStringLiteral("TempMemo"));
  TempMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  TempMemo->hide();
  row->addWidget(Panel6);

  auto* engines = new QVBoxLayout;
  Label15 = Label("Label15", "Auswahl Suchmaschinen", this);
  MakeHeading(Label15, 1.0);
  SuchmaschinenCheckListBox = new QListWidget(this);
  SuchmaschinenCheckListBox->setObjectName(QStringLiteral("SuchmaschinenCheckListBox"));
  SuchmaschinenCheckListBox->setUniformItemSizes(true);
  SuchmaschinenCheckListBox->setItemDelegate(
      new EngineListDelegate(germanFlag_, englishFlag_, SuchmaschinenCheckListBox));
  engines->addWidget(Label15);
  engines->addWidget(SuchmaschinenCheckListBox, 1);
  row->addLayout(engines, 2);

  auto* progress = new QVBoxLayout;
  Label1 = Label("Label1", "Ranking Fortschritt:", this);
  MakeHeading(Label1, 1.0);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  progress->addWidget(Label1);
  progress->addWidget(Memo1, 1);
  row->addLayout(progress, 3);
  column->addLayout(row, 1);

  auto* bottom = new QHBoxLayout;
  StartBitBtn = Button("StartBitBtn", "Start", this);
  BitBtn1 = Button("BitBtn1", "Schließen", this);
  StartBitBtn->setMinimumWidth(120);
  BitBtn1->setMinimumWidth(120);
  bottom->addStretch();
  bottom->addWidget(StartBitBtn);
  bottom->addWidget(BitBtn1);
  column->addLayout(bottom);

  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());

  connect(MaxPosEdit, &QLineEdit::textChanged, this, &TRankingForm::MaxPosEditChange);
  connect(SearchURLEdit, &QLineEdit::textChanged, this, &TRankingForm::SearchURLEditChange);
  connect(KeywordEdit, &QLineEdit::textChanged, this, &TRankingForm::KeywordEditChange);
  connect(BitBtn3, &QPushButton::clicked, this, [this] { SetAllTicks(true); });
  connect(Unmark2BitBtn, &QPushButton::clicked, this, [this] { SetAllTicks(false); });
  connect(StartBitBtn, &QPushButton::clicked, this, &TRankingForm::StartBitBtnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TRankingForm::BitBtn1Click);
}

void TRankingForm::FormActivate() {
  SuchmaschinenCheckListBox->clear();
  for (const auto& engine : RankingEngineNames(context_.folder.TemplatesFolder())) {
    auto* item = new QListWidgetItem(ToQt(engine), SuchmaschinenCheckListBox);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  }
  MaxPosEditChange();
  SetAllTicks(true);
  SearchURLEditChange();
  KeywordEditChange();
}

void TRankingForm::SetAllTicks(bool ticked) {
  for (int i = 0; i < SuchmaschinenCheckListBox->count(); ++i)
    SuchmaschinenCheckListBox->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TRankingForm::MaxPosEditChange() {
  int limit = 0;
  if (TryStrToInt(Trim(FromQt(MaxPosEdit->text())), limit))
    pageLimit_ = limit;
  else
    context_.dialogs->Information(Msg(kBadPageLimitText));
}

void TRankingForm::SearchURLEditChange() {
  if (Contains(searchAddress_, "/")) context_.dialogs->Information(Msg("Bitte kein \"http://\" eingeben!"));
  searchAddress_ = LowerCase(FromQt(SearchURLEdit->text()));
  // Writing the field is a change of its own when the text differs; that pass finds no "/".
  SearchURLEdit->setText(ToQt(RankingSearchAddress(searchAddress_)));
}

void TRankingForm::KeywordEditChange() {
  keyword_ = FromQt(KeywordEdit->text());
}

void TRankingForm::StartBitBtnClick() {
  std::string message;
  if (!CheckRankingInput(FromQt(KeywordEdit->text()), FromQt(SearchURLEdit->text()), message)) {
    context_.dialogs->Information(Msg(message));
    (message == kNoKeywordText ? KeywordEdit : SearchURLEdit)->setFocus();
    return;
  }
  RankingRun::Request request;
  for (int i = 0; i < SuchmaschinenCheckListBox->count(); ++i)
    if (SuchmaschinenCheckListBox->item(i)->checkState() == Qt::Checked)
      request.engines.push_back(FromQt(SuchmaschinenCheckListBox->item(i)->text()));
  request.keyword = keyword_;
  request.searchAddress = searchAddress_;
  request.pageLimit = pageLimit_;

  const std::string templates = context_.folder.TemplatesFolder();
  const auto buildUrl = [templates](const std::string& engine, int page, const std::string& keyword) {
    return BuildRankingURL(templates, engine, page, keyword);
  };
  const std::string firstAddress = request.engines.empty() ? std::string() : buildUrl(request.engines[0], 0, keyword_);
  if (CheckConnection && !CheckConnection(firstAddress)) return;

  Memo1->clear();
  Memo1->repaint();
  TempMemo->clear();
  RankingRun::Services services;
  services.buildUrl = buildUrl;
  services.fetch = [](const std::string& url) {
    return FetchURLAnswerWaiting(url, kRankingFetchTimeoutMs, nullptr, false, kRankingFetchLimitMs);
  };
  RankingRun::View view;
  // The new line is painted while the next page loads (the waiting fetch lets paint events
  // through), so painting overlaps the network instead of adding to it.
  view.addLine = [this](const std::string& line) { Memo1->appendPlainText(ToQt(line)); };
  // The hidden memo takes the last page searched once the run is over: laying out every page
  // as it comes would cost more than fetching it.
  std::string lastPage;
  view.pageFetched = [&lastPage](const std::string& page) { lastPage = page; };
  RankingRun run(context_.folder.TempFolder(), context_.folder.ReportsFolder(),
                 ProjectName ? ProjectName() : std::string(), services, view);

  // Clicks held back while a page loaded reach a disabled button afterwards, not a second run.
  StartBitBtn->setEnabled(false);
  const RankingRun::Outcome out = run.Run(request);
  TempMemo->setPlainText(ToQt(lastPage));
  repaint();
  QCoreApplication::processEvents();
  StartBitBtn->setEnabled(true);
  if (!out.error.empty()) context_.dialogs->Error(Msg(out.error));
  if (!out.reportWritten) return;
  const QUrl report = QUrl::fromLocalFile(QString::fromLocal8Bit(out.reportPath.c_str()));
  if (!context_.opener || !context_.opener->Open(report))
    context_.dialogs->Message(
        Msg("Unable to start internet browser! Make sure you have it properly set-up on your system!"));
}

}  // namespace mw
