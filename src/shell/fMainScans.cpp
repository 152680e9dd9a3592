// The main window's crawls: page discovery on step 1 and the two analyses of the "Analyse"
// menu. The rules live in SiteScan; this file connects them to the controls.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <optional>

#include "common/Files.h"
#include "common/Text.h"
#include "crawler/HttpScan.h"
#include "platform/BusyCursor.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "scans/MainCrawler.h"
#include "scans/Sitemap.h"
#include "shell/WizardRules.h"
#include "shell/fMain.h"

namespace mw {
namespace {

// A crawl's lines and statistics reach the widgets once per paint, not once per event: a fast
// crawl would otherwise lay out the result list and the statistics box again for every page.
class ScanViewBatch : public QObject {
 public:
  ScanViewBatch(QObject* parent, QPlainTextEdit* list, QPlainTextEdit* stats)
      : QObject(parent), list_(list), stats_(stats) {
    timer_.setSingleShot(true);
    timer_.setInterval(16);
    connect(&timer_, &QTimer::timeout, this, [this] { Flush(); });
  }
  void AddLine(const QString& line) {
    lines_.append(line);
    timer_.start();
  }
  void SetStats(const QString& text) {
    statsText_ = text;
    timer_.start();
  }
  void Flush() {
    timer_.stop();
    if (!lines_.isEmpty()) list_->appendPlainText(lines_.join(QLatin1Char('\n')));
    lines_.clear();
    if (statsText_) stats_->setPlainText(*statsText_);
    statsText_.reset();
  }

 private:
  QPlainTextEdit* list_;
  QPlainTextEdit* stats_;
  QTimer timer_;
  QStringList lines_;
  std::optional<QString> statsText_;
};

}  // namespace

void TMainForm::SetUpScans() {
  httpScan1_ = std::make_unique<THttpScan>();
  SetDesignTimeValues(*httpScan1_);
  httpScan1_->SetMessageSink([this](const std::string& m) { context_.dialogs->Information(ToQt(m)); });
  binding_.Apply = [this](CrawlerProperty p, const CrawlerValues& v) { ApplyCrawlerValue(*httpScan1_, p, v); };
  StopCrawl = [this] { return httpScan1_->Stop(); };

  auto* batch = new ScanViewBatch(this, ErgMemo, Memo7);
  SiteScan::View view;
  view.addResultLine = [batch](const std::string& line) { batch->AddLine(ToQt(line)); };
  view.setStats = [batch](const std::vector<std::string>& lines) {
    batch->SetStats(ToQtList(lines).join(QLatin1Char('\n')));
  };
  view.setStatus = [this](const std::string& text) { StatusLabel->setText(ToQt(text)); };
  siteScan_ = std::make_unique<SiteScan>(context_.folder, view);

  ScanHooks hooks;
  hooks.maxPagesText = [this] { return FromQt(MaxPagesEdit->text()); };
  hooks.limitReached = [this] { StopBitBtnClick(); };
  hooks.ended = [this, batch] {
    batch->Flush();  // the end handling reads the list
    HttpScan1Ended();
  };
  ConnectSiteScan(*httpScan1_, *siteScan_, hooks);
  // The crawl begins: closing is refused until it has reported its end.
  const auto scanWorking = httpScan1_->OnWorking;
  httpScan1_->OnWorking = [this, scanWorking](TObject* sender, bool working) {
    if (working) MayClose = false;
    scanWorking(sender, working);
  };

  connect(StartBitBtn, &QPushButton::clicked, this, &TMainForm::StartBitBtnClick);
  connect(StopBitBtn, &QPushButton::clicked, this, &TMainForm::StopBitBtnClick);
  connect(SitemapBitBtn, &QPushButton::clicked, this, &TMainForm::SaveSitemapClick);
  connect(MetatagAnalyse1, &QAction::triggered, this, [this] { StartAnalysis(ScanMode::MetaTags); });
  connect(BrokenLinks1, &QAction::triggered, this, [this] { StartAnalysis(ScanMode::BrokenLinks); });
}

void TMainForm::StartBitBtnClick() {
  if (!CheckUrlEntered()) return;
  int maxPages = 0;
  if (!TryStrToInt(FromQt(MaxPagesEdit->text()), maxPages)) {
    context_.dialogs->Information(
        Msg("Bitte geben Sie eine gültige Zahl für wichtigsten Seiten Ihrer Webseite zum ermittelt ein!"));
    return;
  }
  BusyCursor busy;
  if (store_.HasPagesAlready(ProjectFolderName)) {
    busy.Release();
    if (!context_.dialogs->YesNo(Msg("Sie haben für dieses Projekt bereits Seiten zum anmelden ermittelt (siehe "
                                     "Schritt 4)\nWollen Sie weitere Seiten zu diesem Projekt hinzufügen?")))
      return;
  }
  if (!CheckConnection(SiteScan::WithScheme(FromQt(URLEdit->text())))) return;
  pendingMode_ = ScanMode::Discovery;
  ModeLabel->setText(Msg(SiteScan::ModeLabelText(ScanMode::Discovery)));
  StartCrawl();
}

void TMainForm::StartAnalysis(ScanMode mode) {
  if (!CheckUrlEntered() || !CheckConnection(SiteScan::WithScheme(FromQt(URLEdit->text())))) return;
  SelectTab(0);
  pendingMode_ = mode;
  OnePageSubpagesRadioButton->setChecked(true);
  shownMode_ = OnePageSubpagesRadioButton;
  HideModeControls();
  ShowModeControls();
  ModeLabel->setText(Msg(SiteScan::ModeLabelText(mode)));
  StartCrawl();
}

void TMainForm::StartCrawl() {
  URLEdit->setText(ToQt(SiteScan::WithScheme(FromQt(URLEdit->text()))));
  StopBitBtn->setEnabled(true);
  StartBitBtn->setEnabled(false);
  int maxPages = 0;
  TryStrToInt(FromQt(MaxPagesEdit->text()), maxPages);
  if (!httpScan1_->Start(FromQt(URLEdit->text()))) {
    StartBitBtn->setEnabled(true);
    StopBitBtn->setEnabled(false);
    return;
  }
  URLEdit->setText(ToQt(httpScan1_->StartingUrl()));
  ErgMemo->clear();
  siteScan_->Begin(pendingMode_, httpScan1_->StartingUrl(), maxPages);
}

void TMainForm::SaveSitemapClick() {
  const QString file = context_.dialogs->SaveFile(Msg("XML-Datei | *.xml"), QStringLiteral("sitemap.xml"));
  if (file.isEmpty()) return;
  std::string error;
  if (!WriteSitemap(file.toLocal8Bit().toStdString(), TextLines(FromQt(ErgMemo->toPlainText())), &error)) {
    context_.dialogs->Error(Msg("Die Sitemap konnte nicht gespeichert werden. ") + Msg(error));
    return;
  }
  context_.dialogs->Information(Msg("Die Sitemap wurde gespeichert. Legen Sie sie im Hauptverzeichnis Ihrer Webseite "
                                    "ab und tragen Sie diese Zeile in die Datei robots.txt ein:\n") +
                                ToQt(RobotsSitemapLine(FromQt(URLEdit->text()))));
}

void TMainForm::StopBitBtnClick() {
  if (httpScan1_->Stop()) siteScan_->StopRequested();
}

void TMainForm::HttpScan1Ended() {
  DeleteFileIfExists(context_.folder.ResultsFile());
  const SiteScan::Ending end = siteScan_->Finish(FromQt(URLEdit->text()));
  if (!end.summary.empty()) context_.dialogs->Information(Msg(end.summary));
  ShowError(end.error);
  if (end.offerSave && context_.dialogs->YesNo(Msg("Ergebnis in eine Datei speichern?"))) {
    const QString file = context_.dialogs->SaveFile({}, {});
    std::string error;
    if (!file.isEmpty() &&
        !SiteScan::SaveResultList(file.toStdString(), TextLines(FromQt(ErgMemo->toPlainText())), &error))
      ShowError(error);
  }
  StartBitBtn->setEnabled(true);
  StopBitBtn->setEnabled(false);
  if (siteScan_->Mode() == ScanMode::Discovery) {
    AddPagesToProject();
    SitemapBitBtn->setEnabled(!ErgMemo->toPlainText().trimmed().isEmpty());
  }
  MayClose = true;
  CloseIfRequested();
}

}  // namespace mw
