#include "shell/fMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "auxiliary/Links.h"
#include "auxiliary/fAbout.h"
#include "auxiliary/fTip.h"
#include "auxiliary/fWerbung.h"
#include "common/Files.h"
#include "crawler/HttpScan.h"
#include "metatags/fMetaTag.h"
#include "platform/Dialogs.h"
#include "platform/ModalForm.h"
#include "platform/QtText.h"
#include "platform/WaitingFetch.h"
#include "platform/WidgetLook.h"
#include "shell/fMainWidgets.h"
#include "shell/fOpen.h"
#include "shell/fOpenListe.h"

namespace mw {
namespace {
constexpr const char* kStartPicture = "recom/start.jpg";
}

TMainForm::TMainForm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), store_(context.folder) {
  setObjectName(QStringLiteral("MainForm"));
  resize(1280, 800);
  auto* central = new QWidget(this);
  stack_ = new QStackedLayout(central);
  BuildStartScreen(stack_);
  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setDocumentMode(true);
  TabSheet2 = BuildStep1();
  TabSheet5 = BuildStep2();
  TabSheet3 = BuildFilterTab();
  TabSheet6 = BuildStep3();
  TabSheet1 = BuildStep4();
  TabSheet4 = BuildSettingsTab();
  const std::pair<QWidget*, const char*> sheets[] = {{TabSheet2, "1. Schritt: Seiten ermitteln"},
                                                     {TabSheet5, "2. Schritt: Kontaktdaten eingeben"},
                                                     {TabSheet3, "Filter"},
                                                     {TabSheet6, "3. Schritt: Auswahl Suchmaschinen"},
                                                     {TabSheet1, "4. Schritt: Anmeldung"},
                                                     {TabSheet4, "Einstellungen"}};
  for (const auto& [sheet, caption] : sheets) PageControl1->addTab(sheet, Msg(caption));
  stack_->addWidget(PageControl1);
  setCentralWidget(central);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    if (!selectingTab_) PageControl1Change(index);
  });

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  StatusLabel = new QLabel(statusBar());
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  statusBar()->addWidget(StatusLabel, 1);

  CloseTimer = new QTimer(this);
  CloseTimer->setObjectName(QStringLiteral("CloseTimer"));
  CloseTimer->setInterval(2000);
  CloseTimer->setSingleShot(true);
  connect(CloseTimer, &QTimer::timeout, this, &TMainForm::CloseTimerTimer);

  BuildMenus();
  SetUpScans();
  ConnectBindings();
  ConnectSubmit();
  ConnectRanking();
  ConnectTools();
  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  FetchURL = WaitingFetcher(kMainFetchTimeoutMs);
  SubmitFetch = [](const std::string& url, const std::atomic<bool>* abort) {
    return FetchURLAnswerWaiting(url, kMainFetchTimeoutMs, abort, true);
  };
  FormCreate();
}

TMainForm::~TMainForm() {
  // A crawl still running ends inside the crawler's destructor; by then the window's lists
  // must no longer be touched.
  httpScan1_->OnWorking = nullptr;
  httpScan1_->OnUpdatedStats = nullptr;
  httpScan1_->OnPageReceived = nullptr;
  httpScan1_->OnError = nullptr;
  httpScan1_->OnMetaTag = nullptr;
  httpScan1_.reset();
}

void TMainForm::SetWindows(const MainFormWindows& windows) {
  windows_ = windows;
  if (windows_.liste) windows_.liste->SetResultList(ErgMemo);
  if (windows_.openForm) windows_.openForm->OnChosenByDoubleClick = [this] { SelectTab(0); };
}

int TMainForm::ShowModal(TModalForm& form) {
  form.FormActivate();
  return RunModal ? RunModal(form) : form.exec();
}

std::string TMainForm::ProjectPath() const {
  return ProjectFolderName.empty() ? std::string() : store_.ProjectPath(ProjectFolderName);
}

void TMainForm::BuildStartScreen(QStackedLayout* stack) {
  SelectVariablesPanel = new QWidget(this);
  SelectVariablesPanel->setObjectName(QStringLiteral("SelectVariablesPanel"));
  auto* row = new QHBoxLayout(SelectVariablesPanel);
  row->setContentsMargins(24, 24, 24, 24);
  row->setSpacing(24);
  auto* buttons = new QVBoxLayout;
  auto* welcome = new QLabel(Msg("Willkommen bei ") + ToQt(context_.facts.productName), SelectVariablesPanel);
  MakeHeading(welcome, 1.6);
  buttons->addWidget(welcome);
  auto* hint = new QLabel(Msg("Legen Sie ein neues Projekt an oder öffnen Sie ein vorhandenes."), SelectVariablesPanel);
  hint->setWordWrap(true);
  buttons->addWidget(hint);
  buttons->addSpacing(16);
  const auto makeButton = [&](const char* name, const char* caption) {
    auto* b = new QPushButton(Msg(caption), SelectVariablesPanel);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(280, 52);
    QFont f = b->font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    b->setFont(f);
    buttons->addWidget(b);
    return b;
  };
  NewBitBtn = makeButton("NewBitBtn", "Neues Projekt anlegen");
  OpenBitBtn = makeButton("OpenBitBtn", "Projekt öffnen");
  DelBitBtn = makeButton("DelBitBtn", "Projekt löschen");
  buttons->addStretch();
  row->addLayout(buttons);
  Image1 = new QLabel(SelectVariablesPanel);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(QPixmap(QString::fromLocal8Bit(context_.folder.File(kStartPicture).c_str())));
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  row->addWidget(Image1, 1);
  stack->addWidget(SelectVariablesPanel);
  connect(NewBitBtn, &QPushButton::clicked, this, &TMainForm::NewProject);
  connect(OpenBitBtn, &QPushButton::clicked, this, &TMainForm::OpenProjectCommand);
  connect(DelBitBtn, &QPushButton::clicked, this, &TMainForm::DeleteProjectCommand);
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  const auto menu = [&](const char* name, const char* caption) {
    QMenu* m = bar->addMenu(Msg(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return m;
  };
  const auto item = [](QMenu* m, const char* name, const char* caption) {
    QAction* a = m->addAction(Msg(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  Programm1 = menu("Programm1", "Programm");
  NeuesProjekt1 = item(Programm1, "NeuesProjekt1", "Neues Projekt anlegen");
  ProjektOeffnen1 = item(Programm1, "ProjektOeffnen1", "Projekt öffnen");
  ProjektSpeichern1 = item(Programm1, "ProjektSpeichern1", "Projekt speichern");
  ProjektLoeschen1 = item(Programm1, "ProjektLoeschen1", "Projekt löschen");
  Programm1->addSeparator();
  Einstellungen1 = item(Programm1, "Einstellungen1", "Einstellungen");
  Programm1->addSeparator();
  Beenden1 = item(Programm1, "Beenden1", "Beenden");
  Berichte1 = menu("Berichte1", "Berichte");
  Anmeldebericht1 = item(Berichte1, "Anmeldebericht1", "Anmeldebericht");
  Resultate1 = item(Berichte1, "Resultate1", "Resultate");
  Ranking2 = item(Berichte1, "Ranking2", "Ranking");
  RankingVerlauf1 = item(Berichte1, "RankingVerlauf1", "Ranking-Verlauf");
  Ranking1 = menu("Ranking1", "Ranking");
  RankingAnalyse1 = item(Ranking1, "RankingAnalyse1", "Ranking Analyse");
  Analyse1 = menu("Analyse1", "Analyse");
  MetatagAnalyse1 = item(Analyse1, "MetatagAnalyse1", "Metatag-Analyse");
  BrokenLinks1 = item(Analyse1, "BrokenLinks1", "Verwaiste Links (broken links)  ermitteln");
  MetatagGenerator1 = bar->addAction(Msg("Metatag-Generator"));
  MetatagGenerator1->setObjectName(QStringLiteral("MetatagGenerator1"));
  Zusatzprogramme1 = menu("Zusatzprogramme1", "Zusatzprogramme");
  Multisuche1 = item(Zusatzprogramme1, "Multisuche1", "Multisuche");
  Klicktool1 = item(Zusatzprogramme1, "Klicktool1", "Klicktool");
  Hilfe1 = menu("Hilfe1", "Hilfe");
  Hilfedatei1 = item(Hilfe1, "Hilfedatei1", "Hilfe");
  Update1 = item(Hilfe1, "Update1", "Update");
  Info1 = item(Hilfe1, "Info1", "Info");

  Einstellungen1->setEnabled(false);
  for (QMenu* m : {Berichte1, Ranking1, Analyse1, Zusatzprogramme1}) m->menuAction()->setEnabled(false);
  MetatagGenerator1->setEnabled(false);

  connect(NeuesProjekt1, &QAction::triggered, this, &TMainForm::NewProject);
  connect(ProjektOeffnen1, &QAction::triggered, this, &TMainForm::OpenProjectCommand);
  connect(ProjektSpeichern1, &QAction::triggered, this, &TMainForm::SaveProjectCommand);
  connect(ProjektLoeschen1, &QAction::triggered, this, &TMainForm::DeleteProjectCommand);
  connect(Einstellungen1, &QAction::triggered, this, &TMainForm::Einstellungen1Click);
  connect(Beenden1, &QAction::triggered, this, &TMainForm::Beenden1Click);
  connect(MetatagGenerator1, &QAction::triggered, this, &TMainForm::MetatagGenerator1Click);
  connect(Hilfedatei1, &QAction::triggered, this, [this] { OpenHelpPage(context_); });
  connect(Update1, &QAction::triggered, this, [this] { OpenProductPage(context_); });
  connect(Info1, &QAction::triggered, this, [this] {
    if (windows_.about) ShowModal(*windows_.about);
  });
}

void TMainForm::EnableProjectMenus() {
  for (QMenu* m : {Zusatzprogramme1, Berichte1, Analyse1, Ranking1, Hilfe1}) m->menuAction()->setEnabled(true);
  MetatagGenerator1->setEnabled(true);
  Einstellungen1->setEnabled(true);
}

void TMainForm::Einstellungen1Click() {
  PageControl1->setTabVisible(5, true);
  SelectTab(5);
}

void TMainForm::MetatagGenerator1Click() {
  if (!metaTagForm_ || !metaTagForm_->FormShow()) return;
  RunModal ? RunModal(*metaTagForm_) : metaTagForm_->exec();
}

void TMainForm::ShowTabs(bool show) {
  stack_->setCurrentWidget(show ? static_cast<QWidget*>(PageControl1) : SelectVariablesPanel);
}

void TMainForm::FormCreate() {
  MayClose = true;
  firstActivation_ = true;
  ShowTabs(false);
  HideModeControls();
  binding_.ResultsFile(context_.folder.ResultsFile());
  setWindowTitle(ToQt(context_.facts.productName));
  LoadSettings();
  UpDown1->SetPosition(20);
  UpDown2->SetPosition(1);
  SpiderOptionsGroupBox->SetItemIndex(2);
  StartBitBtn->setEnabled(true);
  StopBitBtn->setEnabled(false);
  IncludeMemo->clear();
  ExcludeMemo->clear();
  binding_.TypeFilterEnabled(FilterCheckBox->isChecked());
  binding_.TypeFilter(FromQt(SearchForMemo->toPlainText()));
  SelectTab(0);
  PageControl1->setTabVisible(5, false);
  PageControl1->setTabVisible(2, false);
  setWindowState(windowState() | Qt::WindowMaximized);
  DoneMemo->hide();
  CheckListBox1->show();
  context_.folder.CreateWorkFolders();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_)
    QTimer::singleShot(0, this, &TMainForm::FormActivate);
}

void TMainForm::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  if (!FileExists(context_.folder.File("NoTip.ini")) && windows_.tip) ShowModal(*windows_.tip);
}

bool TMainForm::FormCloseQuery() {
  if (submitting_) {
    // The run is inside this window's event processing: the request under way ends at once
    // (its page stays as it was) and the window closes when the run has ended, with every
    // list whole.
    cancelSubmit_ = true;
    submitAbort_ = true;
    closeAfterSubmit_ = true;
    return false;
  }
  if (StopCrawl) StopCrawl();
  const bool allowed = MayClose;
  CloseRequested = true;
  return allowed;
}

void TMainForm::FormClose() {
  SaveShownPageList();
  DeleteFileIfExists(context_.folder.ResultsFile());
  SaveProjectSettings(ProjectFolderName);
  SaveSettings();
  if (!FileExists(context_.folder.File("NoWer.ini")) && windows_.werbung) ShowModal(*windows_.werbung);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (quitting_) {
    event->accept();
    return;
  }
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TMainForm::Beenden1Click() {
  if (submitting_) {
    cancelSubmit_ = true;
    submitAbort_ = true;
    quitAfterSubmit_ = true;
    return;
  }
  if (!MayClose) return;
  DeleteFileIfExists(context_.folder.ResultsFile());
  SaveSettings();
  quitting_ = true;
  close();
}

void TMainForm::StartCloseTimer() {
  MayClose = false;
  CloseTimer->start();
}

void TMainForm::CloseTimerTimer() {
  MayClose = true;
  CloseTimer->stop();
}

void TMainForm::CloseIfRequested() {
  if (CloseRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void TMainForm::ShowError(const std::string& error) {
  if (!error.empty()) context_.dialogs->Error(Msg(error));
}

}  // namespace mw
