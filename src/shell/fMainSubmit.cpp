// Main window, step 4: the submission run behind "Anmeldung starten", its cancelling, and the
// two reports of the "Berichte" menu. The run's rules are in SubmissionRun; this file shows it.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
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
#include "platform/WaitingFetch.h"
#include "shell/fMain.h"
#include "store/ProjectStore.h"
#include "submit/EngineTemplates.h"
#include "submit/IndexNowKeyFile.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionReport.h"
#include "submit/SubmissionRun.h"
#include "submit/fMeldebericht.h"

namespace mw {
namespace {

// Result lines and the counter reach the screen every 40 ms (from a timer that also fires while
// a request is waited for): a fast engine answers hundreds of pages a second, and laying out
// and painting the memo for each line would cost more than the requests themselves.
class ThrottledRunDisplay {
 public:
  ThrottledRunDisplay(QPlainTextEdit* memo, QLabel* label, QProgressBar* bar) : memo_(memo), label_(label), bar_(bar) {
    timer_.setInterval(40);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Flush(); });
    timer_.start();
  }

  void AddLine(const std::string& line) { lines_ << ToQt(line); }
  void Progress(int successes, int total, int percent) {
    counter_ = QStringLiteral("Angemeldet: %1 von %2").arg(successes).arg(total);
    percent_ = percent;
  }
  void Flush() {
    if (!lines_.isEmpty()) memo_->appendPlainText(lines_.join(QLatin1Char('\n')));
    lines_.clear();
    if (!counter_.isNull()) {
      label_->setText(counter_);
      bar_->setValue(percent_);
    }
  }

 private:
  QPlainTextEdit* memo_;
  QLabel* label_;
  QProgressBar* bar_;
  QStringList lines_;
  QString counter_;
  int percent_ = 0;
  QTimer timer_;
};

}  // namespace

void TMainForm::ConnectSubmit() {
  connect(AlleAnmeldenBitBtn, &QPushButton::clicked, this, &TMainForm::AlleAnmeldenBitBtnClick);
  connect(AbortBitBtn, &QPushButton::clicked, this, &TMainForm::AbortBitBtnClick);
  connect(ResultatBitBtn, &QPushButton::clicked, this, &TMainForm::Resultate1Click);
  connect(Resultate1, &QAction::triggered, this, &TMainForm::Resultate1Click);
  connect(Anmeldebericht1, &QAction::triggered, this, &TMainForm::Anmeldebericht2Click);
}

void TMainForm::LockForSubmission(bool locked) {
  for (QWidget* w : std::initializer_list<QWidget*>{AlleAnmeldenBitBtn, Panel3, NewBitBtn, OpenBitBtn, DelBitBtn})
    w->setEnabled(!locked);
  for (QAction* a : {Anmeldebericht1, NeuesProjekt1, ProjektOeffnen1, ProjektSpeichern1, ProjektLoeschen1,
                     Einstellungen1, MetatagAnalyse1, BrokenLinks1})
    a->setEnabled(!locked);
  // Every other tab is disabled too (not only the tab bar): Ctrl+Tab switches to enabled tabs.
  if (locked) {
    tabsEnabledBeforeRun_.clear();
    for (int i = 0; i < PageControl1->count(); ++i) {
      tabsEnabledBeforeRun_.push_back(PageControl1->isTabEnabled(i));
      if (i != PageControl1->currentIndex()) PageControl1->setTabEnabled(i, false);
    }
  } else {
    for (int i = 0; i < PageControl1->count() && std::size_t(i) < tabsEnabledBeforeRun_.size(); ++i)
      PageControl1->setTabEnabled(i, tabsEnabledBeforeRun_[std::size_t(i)]);
  }
}

std::string TMainForm::FirstSubmitUrl(const std::vector<bool>& ticks) const {
  const auto& entries = shown_.Entries();
  const auto page = std::find(ticks.begin(), ticks.end(), true) - ticks.begin();
  for (int i = 0; i < ComboBox1->count() && std::size_t(page) < entries.size(); ++i)
    if (const QListWidgetItem* item = SuchmaschinenCheckListBox->item(i); item && item->checkState() == Qt::Checked)
      return BuildSubmitURL(context_.folder.TemplatesFolder(), FromQt(ComboBox1->itemText(i)),
                            entries[std::size_t(page)].url, Project.name, Project.email,
                            IndexNowKeyEdit ? FromQt(IndexNowKeyEdit->text()) : std::string());
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
  std::vector<SubmissionEngine> engines;
  for (int i = 0; i < ComboBox1->count(); ++i) {
    const QListWidgetItem* item = SuchmaschinenCheckListBox->item(i);
    engines.push_back({FromQt(ComboBox1->itemText(i)), item && item->checkState() == Qt::Checked});
  }
  if (!SubmissionRun::AnyEngineMarked(engines)) {
    context_.dialogs->Information(Msg(kNoEngineMarkedText));
    return;
  }
  const std::string key = EnsureProjectKey();

  // While the run goes on, nothing may start a second one or change the project under it.
  submitting_ = true;
  cancelSubmit_ = false;
  submitAbort_ = false;
  LockForSubmission(true);
  AbortBitBtn->setEnabled(true);
  DoneMemo->clear();
  DoneMemo->appendPlainText(Msg("Angemeldete Seiten:"));
  DoneMemo->show();
  CheckListBox1->hide();

  std::vector<PageListEntry> shownEntries = shown_.Entries();
  for (std::size_t i = 0; i < shownEntries.size(); ++i) shownEntries[i].marked = i < ticks.size() && ticks[i];

  ThrottledRunDisplay display(DoneMemo, SubmitLabel, ProgressBar1);
  SubmissionRun::Services services;
  services.buildSubmitUrl = [templates = context_.folder.TemplatesFolder(), name = Project.name, email = Project.email,
                             key](const std::string& engine, const std::string& page) {
    return BuildSubmitURL(templates, engine, page, name, email, key);
  };
  services.fetch = [this](const std::string& url) { return SubmitFetch(url, &submitAbort_); };

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
    QCoreApplication::processEvents();
    return cancelSubmit_;
  };
  view.information = [&](const std::string& message) {
    display.Flush();
    context_.dialogs->Information(Msg(message));
  };

  SubmissionRun run(ProjectPath(), context_.folder.ReportsFolder(), Project.title, services, view);
  const SubmissionRun::Outcome out = run.Run(engines, shownEntries);
  display.Flush();
  submitting_ = false;
  LockForSubmission(false);
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
  // The request under way ends at once; its page stays as it was.
  submitAbort_ = true;
  cancelSubmit_ = true;
  context_.dialogs->Information(Msg("Abbruch durch den Benutzer!"));
  StartCloseTimer();
}

std::string TMainForm::EnsureProjectKey() {
  if (ProjectFolderName.empty()) return {};
  std::string key, error;
  IndexNowKeyState state = IndexNowKeyState::Kept;
  if (!store_.EnsureIndexNowKey(ProjectFolderName, key, &state, &error)) {
    ShowError(error);
    key.clear();
  } else if (state == IndexNowKeyState::Replaced) {
    context_.dialogs->Information(
        Msg("Der IndexNow-Schlüssel in \"Project.ini\" war ungültig. Es wurde ein neuer Schlüssel angelegt; bitte "
            "legen Sie die neue Schlüsseldatei auf Ihrer Webseite ab."));
  }
  if (IndexNowKeyEdit) IndexNowKeyEdit->setText(ToQt(key));
  return key;
}

void TMainForm::SaveKeyFileClick() {
  const std::string key = EnsureProjectKey();
  if (key.empty()) return;
  const QString path = context_.dialogs->SaveFile(Msg("Textdatei | *.txt"), ToQt(KeyFileName(key)));
  if (path.isEmpty()) return;
  std::string error;
  if (!WriteKeyFile(path.toLocal8Bit().toStdString(), key, &error)) ShowError(error);
}

void TMainForm::CheckKeyFileClick() {
  const std::string key = EnsureProjectKey();
  if (key.empty()) return;
  KeyFileCheck check;
  try {
    // Waits without taking clicks: nothing else is locked during the check.
    check = CheckKeyFile(Project.url, key,
                         [](const std::string& url) { return FetchURLAnswerWaiting(url, kMainFetchTimeoutMs); });
  } catch (const HttpLibraryError& e) {
    context_.dialogs->Error(Msg(e.what()));
    return;
  }
  context_.dialogs->Information(Msg(KeyFileCheckText(check)));
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
