// Main window, step 4: the submission run behind "Anmeldung starten", its cancelling, and the
// two reports of the "Berichte" menu. The run's rules are in SubmissionRun; this file shows it.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "common/Files.h"
#include "platform/BusyCursor.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "shell/fMain.h"
#include "submit/EngineTemplates.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionReport.h"
#include "submit/SubmissionRun.h"
#include "submit/fMeldebericht.h"

namespace mw {
namespace {

// Result lines and the counter reach the screen at most every 40 ms: a fast engine answers
// hundreds of pages a second, and laying out and painting the memo for each line would cost
// more than the requests themselves. Events are still processed after every page.
class ThrottledRunDisplay {
 public:
  ThrottledRunDisplay(QPlainTextEdit* memo, QLabel* label, QProgressBar* bar) : memo_(memo), label_(label), bar_(bar) {}

  void AddLine(const std::string& line) { lines_ << ToQt(line); }
  void Progress(int successes, int total, int percent) {
    counter_ = QStringLiteral("Angemeldet: %1 von %2").arg(successes).arg(total);
    percent_ = percent;
  }
  void FlushIfDue() {
    if (!shown_.isValid() || shown_.elapsed() >= 40) Flush();
  }
  void Flush() {
    if (!lines_.isEmpty()) memo_->appendPlainText(lines_.join(QLatin1Char('\n')));
    lines_.clear();
    if (!counter_.isNull()) {
      label_->setText(counter_);
      bar_->setValue(percent_);
    }
    shown_.start();
  }

 private:
  QPlainTextEdit* memo_;
  QLabel* label_;
  QProgressBar* bar_;
  QStringList lines_;
  QString counter_;
  int percent_ = 0;
  QElapsedTimer shown_;
};

}  // namespace

void TMainForm::ConnectSubmit() {
  connect(AlleAnmeldenBitBtn, &QPushButton::clicked, this, &TMainForm::AlleAnmeldenBitBtnClick);
  connect(AbortBitBtn, &QPushButton::clicked, this, &TMainForm::AbortBitBtnClick);
  connect(ResultatBitBtn, &QPushButton::clicked, this, &TMainForm::Resultate1Click);
  connect(Resultate1, &QAction::triggered, this, &TMainForm::Resultate1Click);
  connect(Anmeldebericht1, &QAction::triggered, this, &TMainForm::Anmeldebericht2Click);
}

std::string TMainForm::FirstSubmitUrl(const std::vector<bool>& ticks) const {
  const auto& entries = shown_.Entries();
  const auto page = std::find(ticks.begin(), ticks.end(), true) - ticks.begin();
  for (int i = 0; i < ComboBox1->count() && std::size_t(page) < entries.size(); ++i)
    if (const QListWidgetItem* item = SuchmaschinenCheckListBox->item(i); item && item->checkState() == Qt::Checked)
      return BuildSubmitURL(context_.folder.TemplatesFolder(), FromQt(ComboBox1->itemText(i)),
                            entries[std::size_t(page)].url, Project.name, Project.email);
  return {};
}

void TMainForm::AlleAnmeldenBitBtnClick() {
  if (submitting_) return;  // a click that waited in the queue while a run was going on
  const std::vector<bool> ticks = PageTicks();
  if (std::find(ticks.begin(), ticks.end(), true) == ticks.end()) {
    context_.dialogs->Information(Msg(kNoPageMarkedText));
    return;
  }
  if (!CheckConnection(FirstSubmitUrl(ticks))) return;
  if (Project.name.empty() || Project.email.empty()) {
    context_.dialogs->Information(Msg(kContactDataMissingText));
    return;
  }

  // While the run goes on, nothing may start a second one or change the shown list under it.
  submitting_ = true;
  cancelSubmit_ = false;
  for (QWidget* w : std::initializer_list<QWidget*>{AlleAnmeldenBitBtn, Panel3}) w->setEnabled(false);
  Anmeldebericht1->setEnabled(false);
  AbortBitBtn->setEnabled(true);
  DoneMemo->clear();
  DoneMemo->appendPlainText(Msg("Angemeldete Seiten:"));
  DoneMemo->show();
  CheckListBox1->hide();

  std::vector<SubmissionEngine> engines;
  for (int i = 0; i < ComboBox1->count(); ++i) {
    const QListWidgetItem* item = SuchmaschinenCheckListBox->item(i);
    engines.push_back({FromQt(ComboBox1->itemText(i)), item && item->checkState() == Qt::Checked});
  }
  std::vector<PageListEntry> shownEntries = shown_.Entries();
  for (std::size_t i = 0; i < shownEntries.size(); ++i) shownEntries[i].marked = i < ticks.size() && ticks[i];

  SubmissionRun::Services services;
  services.buildSubmitUrl = [templates = context_.folder.TemplatesFolder(), name = Project.name, email = Project.email](
                                const std::string& engine, const std::string& page) {
    return BuildSubmitURL(templates, engine, page, name, email);
  };
  services.fetch = FetchURL;

  ThrottledRunDisplay display(DoneMemo, SubmitLabel, ProgressBar1);
  SubmissionRun::View view;
  view.showEngine = [&](std::size_t index, const std::vector<PageListEntry>& entries) {
    ComboBox1->setCurrentIndex(int(index));  // by program: no change event
    shown_.Set(engines[index].name, entries);
    ShowPageRows();
  };
  view.addDoneLine = [&](const std::string& line) { display.AddLine(line); };
  view.progress = [&](int successes, int total, int percent) { display.Progress(successes, total, percent); };
  view.selectRow = [&](std::size_t row, const PageListEntry& entry) {
    shown_.Replace(row, entry);
    if (QListWidgetItem* item = CheckListBox1->item(int(row))) {
      item->setText(ToQt(PageListDisplayText(entry)));
      item->setCheckState(entry.marked ? Qt::Checked : Qt::Unchecked);
      CheckListBox1->setCurrentItem(item);
    }
  };
  view.processEvents = [&] {
    display.FlushIfDue();
    QCoreApplication::processEvents();
    return cancelSubmit_;
  };
  view.information = [&](const std::string& message) {
    display.Flush();
    context_.dialogs->Information(Msg(message));
  };

  SubmissionRun run(ProjectPath(), context_.folder.ReportsFolder(), Project.title, services, view);
  const SubmissionRun::Outcome out = run.Run(engines, shown_.Engine(), shownEntries);
  display.Flush();
  submitting_ = false;
  for (QWidget* w : std::initializer_list<QWidget*>{AlleAnmeldenBitBtn, Panel3}) w->setEnabled(true);
  Anmeldebericht1->setEnabled(true);
  if (out.reportWritten) ResultatBitBtn->setEnabled(true);
  if (!out.error.empty()) {
    // The lists written so far are whole; show the selected engine's list as it is on disk.
    ShowError(out.error);
    LoadEnginePageList();
  }
  if (quitAfterSubmit_)
    QTimer::singleShot(0, this, &TMainForm::Beenden1Click);
  else if (closeAfterSubmit_)
    QTimer::singleShot(0, this, &QWidget::close);
  closeAfterSubmit_ = quitAfterSubmit_ = false;
}

void TMainForm::AbortBitBtnClick() {
  cancelSubmit_ = true;
  context_.dialogs->Information(Msg("Abbruch durch den Benutzer!"));
  StartCloseTimer();
}

void TMainForm::Resultate1Click() {
  const std::string report = context_.folder.ReportsFolder() + ResultReportFileName(FromQt(ProjektNameEdit->text()));
  if (!FileExists(report)) {
    context_.dialogs->Information(Msg("Noch kein Bericht vorhanden!"));
    return;
  }
  std::string error;
  if (!OpenLocalFile(context_.opener, report, &error)) ShowError(error);
}

void TMainForm::Anmeldebericht2Click() {
  if (ComboBox1->currentIndex() < 0) {
    context_.dialogs->Information(Msg("Bitte öffnen Sie zuerst ein Projekt!"));
    return;
  }
  std::vector<EnginePages> engines;
  {
    BusyCursor busy;
    for (int i = 0; i < ComboBox1->count(); ++i) {
      ComboBox1->setCurrentIndex(i);
      ComboBox1Change();
      engines.push_back({shown_.Engine(), shown_.Entries()});
    }
  }
  std::string error;
  if (!WriteLineFile(context_.folder.File("MeldeBericht.txt"),
                     SubmissionReportLines(FromQt(ProjektNameEdit->text()), engines), &error)) {
    ShowError(error);
    return;
  }
  if (!windows_.meldebericht) return;
  windows_.meldebericht->show();
  windows_.meldebericht->raise();
  windows_.meldebericht->activateWindow();
  windows_.meldebericht->FormActivate();
}

}  // namespace mw
