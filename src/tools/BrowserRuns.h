#pragma once
// The two uses of the browser window: the click tool's run, one modal click window at a time,
// and the multi-search's cascade of view windows. Shared by the main window and the command
// line.

#include <functional>
#include <string>
#include <vector>

#include "tools/EngineList.h"
#include "tools/fInternetBrowser.h"

class QWidget;

namespace mw {

class ClickSchedule;

struct ClickRunSettings {
  int seconds = 2;
  bool vary = false;
  // Told when a click window starts: its address and the counter text (Windows-1252).
  std::function<void(const std::string& address, const std::string& counter)> onClickStart;
  TBrowserForm::ControlFactory makeControl = MakeWebEngineBrowser;
};

// Opens the schedule's addresses one after another in click windows owned by `owner` (may be
// null), each released when it has closed, until the schedule ends. "Abbrechen" in a window
// sets `cancel`, which ends the run after that click.
void RunClicks(ClickSchedule& schedule, const ClickRunSettings& settings, bool& cancel, QWidget* owner);

// Opens one view window per entry, owned by `owner`; each frees itself when it is closed.
std::vector<TBrowserForm*> OpenSearchWindows(const std::vector<SearchWindow>& windows, QWidget* owner,
                                             const TBrowserForm::ControlFactory& makeControl = MakeWebEngineBrowser);

}  // namespace mw
