#pragma once
// A main window with its modal windows against a temporary program folder, scripted dialogs
// and a recording link opener. Modal windows do not run a modal loop: each showing takes the
// next scripted step, which fills in the window and presses its buttons.

#include <QDialog>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/DesktopServices.h"
#include "store/AppContext.h"
#include "shell/ProgramWindows.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

namespace mwtest {

class MainFormHarness {
 public:
  using Step = std::function<int(QDialog&)>;

  MainFormHarness();

  void Template(const std::string& engine) const;  // an engine template engine + ".ini"
  void Build();                                    // creates the windows in the program's order

  mw::TMainForm& Main() { return *windows->main; }
  // Scripted modal steps, taken in order; without one a shown window is left with "Abbrechen".
  void Then(Step step) { steps_.push_back(std::move(step)); }
  void ThenNewProject(const std::string& title);
  void ThenOpenItem(int row);  // picks row `row` of the open/delete window and presses its button
  // Creates a project through the window; the name and e-mail address are filled in.
  void CreateProject(const std::string& title = "Testprojekt", bool contact = true);
  // A tab switch as the user makes it (runs the tab-entry checks).
  void UserSelectsTab(int index);
  std::string ProjectFile(const std::string& name) const;

  TempProgramFolder dir;
  ScriptedDialogs dialogs;
  RecordingOpener opener;
  mw::AppContext context;
  std::vector<std::string> shownWindows;  // objectNames of the modal windows shown

  std::unique_ptr<mw::ProgramWindows> windows;
  mw::TTipForm* tip = nullptr;
  mw::TOpenForm* openForm = nullptr;

 private:
  std::deque<Step> steps_;
};

}  // namespace mwtest
