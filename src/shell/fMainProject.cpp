// Main window: the project commands, entering a tab and the checks that gate the steps.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "common/Text.h"
#include "platform/BusyCursor.h"
#include "platform/Dialogs.h"
#include "platform/FetchURL.h"
#include "submit/SubmissionRun.h"
#include "platform/QtText.h"
#include "shell/WizardRules.h"
#include "shell/fMain.h"
#include "shell/fNew.h"
#include "shell/fOpen.h"

namespace mw {

void TMainForm::SelectTab(int index) {
  selectingTab_ = true;
  PageControl1->setCurrentIndex(index);
  selectingTab_ = false;
}

int TMainForm::CurrentTab() const {
  return PageControl1->currentIndex();
}

void TMainForm::SetCaptionForProject() {
  setWindowTitle(ToQt(context_.facts.productName + " : " + Project.title));
}

void TMainForm::SaveProjectSettings(const std::string& folderName) {
  std::string error;
  if (!store_.SaveProjectSettings(folderName, Project, &error)) ShowError(error);
}

void TMainForm::NewProject() {
  if (!windows_.newForm || ShowModal(*windows_.newForm) != QDialog::Accepted) return;
  SaveProjectSettings(ProjectFolderName);
  ComboBox1->clear();
  ShowTabs(true);
  EnableProjectMenus();
  {
    BusyCursor busy;
    ProjectFolderName = store_.NextProjectFolderName();
    Project.title = FromQt(windows_.newForm->Edit1->text());
    ProjektNameEdit->setText(ToQt(Project.title));
    URLEdit->setText(QString::fromLatin1(kNewProjectUrl));
    NameEdit->clear();
    EmailEdit->clear();
    SetCaptionForProject();
    HideModeControls();
    SelectTab(0);
  }
  std::string error;
  if (!store_.CreateProject(ProjectFolderName, Project, &error)) {
    // Without its folder there is no project to work on: back to the start screen.
    ShowError(error);
    ProjectFolderName.clear();
    ShowTabs(false);
    return;
  }
  OpenProject(ProjectFolderName);
  UntickModes();
  SelectTab(0);
}

void TMainForm::OpenProjectCommand() {
  if (!store_.ProjectExists()) {
    context_.dialogs->Information(Msg("Kein Projekt vorhanden! Bitte erstellen Sie zuerst ein neues Projekt!"));
    return;
  }
  if (!windows_.openForm) return;
  windows_.openForm->SetMode(TOpenForm::Mode::Open);
  if (ShowModal(*windows_.openForm) != QDialog::Accepted) return;
  SaveProjectSettings(ProjectFolderName);
  ComboBox1->clear();
  ShowTabs(true);
  EnableProjectMenus();
  OpenProject(ExtractWord(1, windows_.openForm->SelectedText(), " "));
  HideModeControls();
  SelectTab(3);
}

void TMainForm::OpenProject(const std::string& folderName) {
  CheckListBox1->clear();
  shown_.Clear();
  ProjectSettings settings;
  if (!store_.ReadProjectSettings(folderName, settings)) return;
  Project = {Trim(settings.title), Trim(settings.name), Trim(settings.email), Trim(settings.url)};
  const ProjectSettings read = Project;
  ProjektNameEdit->setText(ToQt(read.title));
  NameEdit->setText(ToQt(read.name));
  EmailEdit->setText(ToQt(read.email));
  URLEdit->setText(ToQt(read.url));
  ProjectFolderName = folderName;
  SetCaptionForProject();
  EnsureProjectKey();  // an older project gets its key the first time it is opened
  repaint();
  FillEngineLists();
  ErgMemo->clear();
}

void TMainForm::SaveProjectCommand() {
  SaveProjectSettings(ProjectFolderName);
  context_.dialogs->Information(Msg("Projekt wurde gespeichert!"));
}

void TMainForm::DeleteProjectCommand() {
  if (!store_.ProjectExists()) {
    context_.dialogs->Information(Msg("Kein Projekt vorhanden! Bitte legen Sie zuerst ein Projekt an!"));
    return;
  }
  if (windows_.openForm) {
    windows_.openForm->SetMode(TOpenForm::Mode::Delete);
    if (ShowModal(*windows_.openForm) == QDialog::Accepted &&
        context_.dialogs->YesNo(Msg("Wollen Sie das Projekt wirklich löschen?"))) {
      BusyCursor busy;
      store_.DeleteProject(windows_.openForm->ChosenFolder());  // a failure is not reported
      ProjectFolderName.clear();
      ShowTabs(false);
    }
  }
  SelectTab(0);
}

void TMainForm::AddPagesToProject() {
  if (ProjectFolderName.empty()) return;
  BusyCursor busy;
  if (store_.HasPagesAlready(ProjectFolderName)) {
    busy.Release();
    if (!context_.dialogs->YesNo(Msg("Es befindet sich bereits eine Liste von Anmeldeseiten in diesem Projekt! "
                                     "(siehe Schritt 4)\nSollen die neuen Seiten hinzugefügt werden?")))
      return;
  }
  std::string error;
  if (!store_.AddPages(ProjectFolderName, TextLines(FromQt(ErgMemo->toPlainText())), &error)) ShowError(error);
  LoadEnginePageList();
}

bool TMainForm::CheckUrlEntered() {
  if (UrlEntered(FromQt(URLEdit->text()))) return true;
  SelectTab(0);
  ShowModeControls();
  context_.dialogs->Information(Msg("Bitte geben Sie zuerst eine gültige Webseite ein! (z.B. http://www.beispiel.de)"));
  SelectTab(0);
  return false;
}

bool TMainForm::CheckContactData() {
  if (ContactDataComplete(Project.name, Project.email)) return true;
  SelectTab(1);
  context_.dialogs->Information(Msg(kContactDataMissingText));
  return false;
}

bool TMainForm::CheckConnection(const std::string& actionUrl) {
  Memo1->clear();
  bool ok = false;
  try {
    // The answer passes through the hidden memo, as every fetched text on this sheet does.
    ok = mw::CheckConnection(context_.facts.productPage, [this](const std::string& url) {
      const std::string answer = FetchURL(url);
      Memo1->appendPlainText(ToQt(answer));
      return answer;
    }, actionUrl);
  } catch (const HttpLibraryError& e) {
    Memo1->clear();
    context_.dialogs->Error(Msg(e.what()));
    return false;
  }
  if (!ok)
    context_.dialogs->Information(Msg(kNoConnectionText));
  Memo1->clear();
  return ok;
}

void TMainForm::PageControl1Change(int index) {
  HideModeControls();
  SubmitLabel->clear();
  ResultatBitBtn->setEnabled(false);
  AbortBitBtn->setEnabled(false);
  ProgressBar1->setValue(0);
  switch (index) {
    case 3:
      CheckContactData();
      break;
    case 4:
      if (!CheckContactData()) break;
      if (ComboBox1->count() > 0) ComboBox1->setCurrentIndex(0);
      ComboBox1Change();
      DoneMemo->hide();
      CheckListBox1->show();
      break;
    case 0:
      ShowModeControls();
      break;
    case 1:
      if (OnePageRadioButton->isChecked() && ErgMemo->toPlainText().isEmpty()) {
        if (!CheckUrlEntered()) break;
        ErgMemo->appendPlainText(URLEdit->text());
        AddPagesToProject();
      } else if (OnePageSubpagesRadioButton->isChecked() &&
                 !CrawlFoundPages(TextLines(FromQt(ErgMemo->toPlainText()))) && CheckUrlEntered()) {
        SelectTab(0);
        ShowModeControls();
        context_.dialogs->Information(
            Msg("Drücken Sie zuerst den \"Start-Knopf\" um die Unterseiten Ihrer Webseite "
                "zu ermitteln die anschließend angemeldet werden!"));
      }
      break;
    default:
      break;
  }
}

}  // namespace mw
