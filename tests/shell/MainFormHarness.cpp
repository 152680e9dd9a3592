#include "MainFormHarness.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace mwtest {

MainFormHarness::MainFormHarness() {
  context.folder = dir.Folder();
  context.dialogs = &dialogs;
  context.opener = &opener;
}

void MainFormHarness::Template(const std::string& engine) const {
  dir.Write("Projects/templates/" + engine + ".ini", "[SETTINGS]\r\nBasicURL=http://127.0.0.1/add?u=KLXURL\r\n");
}

void MainFormHarness::Build() {
  context.facts = mw::ProductFacts::Load(context.folder);
  windows = std::make_unique<mw::ProgramWindows>(context);
  tip = windows->tip.get();
  openForm = windows->openForm.get();
  windows->main->RunModal = [this](QDialog& dialog) {
    shownWindows.push_back(dialog.objectName().toStdString());
    if (steps_.empty()) return int(QDialog::Rejected);
    Step step = std::move(steps_.front());
    steps_.pop_front();
    return step(dialog);
  };
  dialogs.Clear();  // the about window's report of its missing picture
}

void MainFormHarness::ThenNewProject(const std::string& title) {
  Then([title](QDialog& d) {
    auto& form = static_cast<mw::TNewForm&>(d);
    form.Edit1->setText(QString::fromStdString(title));
    form.BitBtn1->click();
    return form.result();
  });
}

void MainFormHarness::ThenOpenItem(int row) {
  Then([row](QDialog& d) {
    auto& form = static_cast<mw::TOpenForm&>(d);
    form.OpenListBox->setCurrentRow(row);
    form.OpenBitBtn->click();
    return form.result();
  });
}

void MainFormHarness::CreateProject(const std::string& title, bool contact) {
  ThenNewProject(title);
  windows->main->NewBitBtn->click();
  if (contact) {
    windows->main->NameEdit->setText(QStringLiteral("Erika Muster"));
    windows->main->EmailEdit->setText(QStringLiteral("erika@example.org"));
  }
}

void MainFormHarness::UserSelectsTab(int index) {
  windows->main->PageControl1->setCurrentIndex(index);
}

std::string MainFormHarness::ProjectFile(const std::string& name) const {
  return dir.Read("Projects/" + windows->main->ProjectFolderName + "/" + name);
}

}  // namespace mwtest
