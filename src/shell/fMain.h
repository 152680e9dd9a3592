#pragma once
// The main window: the start screen, the four step tabs with the filter and settings tabs,
// the menus, the project commands and the checks that gate the steps.
//
// The window's code is split by concern: fMain.cpp (creation, menus, activation, closing),
// fMainSteps.cpp (steps 1 and 2, the filter and settings tabs, the crawler bindings),
// fMainEngines.cpp (steps 3 and 4: engine lists and page lists), fMainProject.cpp (project
// commands, tab changes and the checks). Features added later (the submission run, page
// discovery, reports) add their handlers in files of their own and connect them to the
// controls below, which are public for that reason.

#include <QMainWindow>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/FetchURL.h"
#include "scans/SiteScan.h"
#include "store/AppContext.h"
#include "scans/CrawlerBinding.h"
#include "submit/EngineSelection.h"
#include "store/ProgramSettings.h"
#include "store/ProjectStore.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedLayout;
class QTabWidget;
class QTimer;

namespace mw {

class THttpScan;
class TAboutBox;
class TClickOptionsForm;
class TKeywordsForm;
class TListeForm;
class TMeldeberichForm;
class TMetaTagForm;
class TModalForm;
class TNewForm;
class TOpenForm;
class TRadioGroup;
class TRankingForm;
class TTipForm;
class TUpDown;
class TWerbungForm;

// The modal windows the main window shows; created after it, in the program's fixed order.
struct MainFormWindows {
  TAboutBox* about = nullptr;
  TTipForm* tip = nullptr;
  TNewForm* newForm = nullptr;
  TOpenForm* openForm = nullptr;
  TWerbungForm* werbung = nullptr;
  TListeForm* liste = nullptr;
  TMeldeberichForm* meldebericht = nullptr;  // shown beside the main window
  TRankingForm* ranking = nullptr;
  TKeywordsForm* keywords = nullptr;
  TClickOptionsForm* clickOptions = nullptr;
};

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(AppContext& context, QWidget* parent = nullptr);
  ~TMainForm() override;

  void SetWindows(const MainFormWindows& windows);
  void SetMetaTagWindow(TMetaTagForm* form) { metaTagForm_ = form; }
  // "Metatag-Generator": the generator restores its inputs and is shown modally.
  void MetatagGenerator1Click();
  // Shows a modal window: FormActivate, then the modal loop (or the test's stand-in for it).
  int ShowModal(TModalForm& form);
  std::function<int(QDialog&)> RunModal;
  // The waiting single request used by the connection check; returns the body or the
  // "::ERROR:: " marker. Replaceable for tests.
  std::function<std::string(const std::string& url)> FetchURL;
  // The request of a submission run: waits with the window painting and taking clicks (only
  // the cancel button and closing are enabled then); `abort` ends it at once. Replaceable for
  // tests.
  std::function<FetchAnswer(const std::string& url, const std::atomic<bool>* abort)> SubmitFetch;

  AppContext& Context() { return context_; }
  ProjectStore& Store() { return store_; }
  CrawlerBinding& HttpScan1Binding() { return binding_; }
  ShownPageList& ShownList() { return shown_; }

  // Open project (always equal to the step-2 edits and URLEdit).
  std::string ProjectFolderName;
  ProjectSettings Project;
  std::string ProjectPath() const;  // empty while no project is open

  bool MayClose = true;
  bool CloseRequested = false;
  // Stops a running crawl; set by the crawl code. Returns whether a stop was begun.
  std::function<bool()> StopCrawl;

  // Checks before the steps and the network functions.
  bool CheckUrlEntered();
  bool CheckContactData();
  // The product page, else `actionUrl` (the address the action is about) must answer.
  bool CheckConnection(const std::string& actionUrl = {});
  // The submission address of the first ticked page at the first ticked engine; empty without one.
  std::string FirstSubmitUrl(const std::vector<bool>& ticks) const;
  void HideModeControls();
  void ShowModeControls();
  // Selects a tab from code: the tab-entry checks do not run.
  void SelectTab(int index);
  int CurrentTab() const;

  // Projects.
  void NewProject();
  void OpenProjectCommand();
  void SaveProjectCommand();
  void DeleteProjectCommand();
  void OpenProject(const std::string& folderName);
  void SaveProjectSettings(const std::string& folderName);
  void AddPagesToProject();

  // Engine lists and the shown page list.
  void FillEngineLists();
  void LoadEnginePageList();
  void SaveShownPageList();
  void ComboBox1Change();
  void ApplyEngineChoice(EngineChoice choice);

  // Step 4: the submission run and the reports (fMainSubmit.cpp).
  void AlleAnmeldenBitBtnClick();
  void AbortBitBtnClick();
  void Resultate1Click();
  void Anmeldebericht2Click();
  bool Submitting() const { return submitting_; }
  // The open project's IndexNow key, made and kept when it is missing; a key the engines would
  // not take is replaced, and the user is told. Empty when it could not be kept.
  std::string EnsureProjectKey();
  void SaveKeyFileClick();   // "Schlüsseldatei speichern…"
  void CheckKeyFileClick();  // "Schlüsseldatei prüfen"
  void SaveSitemapClick();   // "Sitemap speichern…"

  // The ranking window and its two reports (fMainRanking.cpp).
  void RankingAnalyse1Click();
  void Ranking2Click();
  void RankingVerlauf1Click();

  // Settings.
  void LoadSettings();
  void SaveSettings();

  // Page discovery, broken links and the meta-tag analysis (fMainScans.cpp).
  THttpScan& HttpScan1() { return *httpScan1_; }
  const SiteScan& Scan() const { return *siteScan_; }
  void StartBitBtnClick();
  void StopBitBtnClick();
  void StartCrawl();
  void StartAnalysis(ScanMode mode);  // the two items of the "Analyse" menu

  // The click tool and the multi-search (fMainTools.cpp); the click run shares the
  // submission run's cancel flag.
  void Klicktool1Click();
  void Multisuche1Click();

  // Closing: the submission abort starts the close timer; a crawl's end calls CloseIfRequested.
  void StartCloseTimer();
  void CloseIfRequested();
  void Beenden1Click();
  // The first activation shows the tips unless "NoTip.ini" exists; later ones do nothing.
  void FormActivate();

  // Start screen.
  QWidget* SelectVariablesPanel = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton *NewBitBtn = nullptr, *OpenBitBtn = nullptr, *DelBitBtn = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget *TabSheet2 = nullptr, *TabSheet5 = nullptr, *TabSheet3 = nullptr, *TabSheet6 = nullptr, *TabSheet1 = nullptr,
          *TabSheet4 = nullptr;
  QLabel* StatusLabel = nullptr;  // the one line of StatusBar1

  // Menus.
  QMenu *Programm1 = nullptr, *Berichte1 = nullptr, *Ranking1 = nullptr, *Analyse1 = nullptr,
        *Zusatzprogramme1 = nullptr, *Hilfe1 = nullptr;
  QAction *NeuesProjekt1 = nullptr, *ProjektOeffnen1 = nullptr, *ProjektSpeichern1 = nullptr,
          *ProjektLoeschen1 = nullptr, *Einstellungen1 = nullptr, *Beenden1 = nullptr;
  QAction *Anmeldebericht1 = nullptr, *Resultate1 = nullptr, *Ranking2 = nullptr, *RankingVerlauf1 = nullptr;
  QAction* RankingAnalyse1 = nullptr;
  QAction *MetatagAnalyse1 = nullptr, *BrokenLinks1 = nullptr;
  QAction* MetatagGenerator1 = nullptr;
  QAction *Multisuche1 = nullptr, *Klicktool1 = nullptr;
  QAction *Hilfedatei1 = nullptr, *Update1 = nullptr, *Info1 = nullptr;

  // Step 1.
  QGroupBox* ModeGroupBox = nullptr;
  QRadioButton *OnePageSubpagesRadioButton = nullptr, *OnePageRadioButton = nullptr, *ListeRadioButton = nullptr;
  QGroupBox* GroupBox8 = nullptr;
  QLineEdit* URLEdit = nullptr;
  QLabel *VorSeitenzahlLabel = nullptr, *NachSeitenzahlLabel = nullptr;
  QLineEdit* MaxPagesEdit = nullptr;
  QPushButton *StartBitBtn = nullptr, *StopBitBtn = nullptr;
  QPushButton* SitemapBitBtn = nullptr;  // "Sitemap speichern…", after page discovery
  QPlainTextEdit* Memo7 = nullptr;
  QLabel* ModeLabel = nullptr;
  QPlainTextEdit* ErgMemo = nullptr;
  QWidget* SpiderPanel = nullptr;  // holds the hidden spider controls
  TRadioGroup *SpiderOptionsGroupBox = nullptr, *RadioGroup3 = nullptr;
  QCheckBox *RedirectionCheckBox = nullptr, *FilterCheckBox = nullptr;
  QPlainTextEdit* SearchForMemo = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLineEdit *Edit3 = nullptr, *Edit6 = nullptr;
  TUpDown *UpDown1 = nullptr, *UpDown2 = nullptr;

  // Step 2.
  QLineEdit *NameEdit = nullptr, *EmailEdit = nullptr, *ProjektNameEdit = nullptr;
  QLineEdit* IndexNowKeyEdit = nullptr;  // read-only
  QPushButton *SaveKeyFileBitBtn = nullptr, *CheckKeyFileBitBtn = nullptr;

  // Filter tab.
  QCheckBox *IncludeCheckBox = nullptr, *ExcludeCheckBox = nullptr;
  QPlainTextEdit *IncludeMemo = nullptr, *ExcludeMemo = nullptr;

  // Step 3.
  QFrame *Panel5 = nullptr, *Panel6 = nullptr;
  QLabel* Label15 = nullptr;
  QPushButton *BitBtn3 = nullptr, *DieWichtigstenBitBtn = nullptr, *BitBtn4 = nullptr, *BitBtn2 = nullptr,
              *Unmark2BitBtn = nullptr;
  QListWidget* SuchmaschinenCheckListBox = nullptr;

  // Step 4.
  QFrame *Panel4 = nullptr, *Panel3 = nullptr, *Panel1 = nullptr;
  QPushButton *AlleAnmeldenBitBtn = nullptr, *AbortBitBtn = nullptr, *ResultatBitBtn = nullptr;
  QLabel *GermanImage = nullptr, *EnglishImage = nullptr;
  QPushButton *MarkAllBitBtn = nullptr, *UnmarkBitBtn = nullptr, *SearchButton = nullptr, *BitBtn5 = nullptr,
              *DeleteBitBtn = nullptr;
  QLabel* Label18 = nullptr;
  QLineEdit* SearchEdit = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QListWidget* CheckListBox1 = nullptr;
  QPlainTextEdit* DoneMemo = nullptr;
  QPlainTextEdit* Memo1 = nullptr;  // hidden, used by the connection check
  QLabel* SubmitLabel = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // Settings tab.
  QLineEdit *Edit5 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit4 = nullptr,
            *MaskEdit1 = nullptr;
  TRadioGroup* ProxyRadioGroupBox = nullptr;

  QTimer* CloseTimer = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildStartScreen(QStackedLayout* stack);
  QWidget* BuildStep1();
  QWidget* BuildStep2();
  QWidget* BuildFilterTab();
  QWidget* BuildStep3();
  QWidget* BuildStep4();
  QWidget* BuildSettingsTab();
  void ConnectBindings();
  void SetUpScans();
  void HttpScan1Ended();
  void ConnectSubmit();
  void ConnectRanking();
  void ConnectTools();
  // Disables (or enables again) every action that could change the open project, its lists
  // or the shown engine while a submission run goes on.
  void LockForSubmission(bool locked);
  void FormCreate();
  bool FormCloseQuery();
  void FormClose();
  void CloseTimerTimer();

  void ShowTabs(bool show);
  void EnableProjectMenus();
  void SetCaptionForProject();
  void PageControl1Change(int index);
  void ModeRadioButtonClick();
  void EmailEditExit();
  void Einstellungen1Click();
  void DeleteBitBtnClick();
  void SearchButtonClick();
  void BitBtn5Click();
  void UntickModes();
  void SetAllPageTicks(bool ticked);
  std::vector<bool> PageTicks() const;
  void ShowPageRows();
  void ShowError(const std::string& error);

  AppContext& context_;
  ProjectStore store_;
  ProgramSettings settings_;
  CrawlerBinding binding_;
  std::unique_ptr<THttpScan> httpScan1_;
  std::unique_ptr<SiteScan> siteScan_;
  ScanMode pendingMode_ = ScanMode::Discovery;
  ShownPageList shown_;
  MainFormWindows windows_;
  TMetaTagForm* metaTagForm_ = nullptr;
  QStackedLayout* stack_ = nullptr;
  bool firstActivation_ = true;
  bool selectingTab_ = false;
  bool quitting_ = false;
  bool submitting_ = false;
  bool cancelSubmit_ = false;
  std::atomic<bool> submitAbort_{false};  // ends the request under way
  std::vector<bool> tabsEnabledBeforeRun_;
  QRadioButton* shownMode_ = nullptr;  // the step-1 mode whose controls are shown
  bool closeAfterSubmit_ = false;  // a close asked for during a run, done at its end
  bool quitAfterSubmit_ = false;   // the same for "Beenden"
};

}  // namespace mw
