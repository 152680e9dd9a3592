// The main window's extra tools: the click tool and the multi-search.
#include <QCheckBox>
#include <QLineEdit>

#include "common/Files.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "shell/fMain.h"
#include "tools/BrowserRuns.h"
#include "tools/ClickSchedule.h"
#include "tools/ClickTiming.h"
#include "tools/EngineList.h"
#include "tools/fClickOptions.h"
#include "tools/fKeywords.h"

namespace mw {
namespace {

constexpr const char* kClickToolExplanation =
    "Diese Funktion klickt zu Testzwecken einfach beliebige URLs an. \r\rSie können einfach eine Liste mit URLs "
    "einfügen, welche angeklickt werden sollen. Erstellen Sie  hierzu eine Text-Datei in der Sie alle URLs "
    "eintragen. (Bitte immer nur eine URL pro Zeile)";

}  // namespace

void TMainForm::ConnectTools() {
  connect(Klicktool1, &QAction::triggered, this, &TMainForm::Klicktool1Click);
  connect(Multisuche1, &QAction::triggered, this, &TMainForm::Multisuche1Click);
}

void TMainForm::Klicktool1Click() {
  if (!CheckConnection()) return;
  cancelSubmit_ = false;
  context_.dialogs->Information(Msg(kClickToolExplanation));
  if (!windows_.clickOptions) return;
  TClickOptionsForm& options = *windows_.clickOptions;
  if (ShowModal(options) == TClickOptionsForm::kAbortResult) return;

  ClickRunSettings settings;
  int maximum = 0;
  std::string error;
  if (!ClickTiming::ReadOptions(options.Edit1->text().toStdString(), options.Edit2->text().toStdString(),
                                settings.seconds, maximum, error)) {
    if (error == kTooFewSecondsText)
      context_.dialogs->Information(Msg(error));
    else
      context_.dialogs->Error(Msg(error));
    return;
  }
  settings.vary = options.VariableClicksCheckBox->isChecked();

  const QString file = context_.dialogs->OpenFile(Msg("Textdatei *.txt|*.txt|Alle Dateien *|*"),
                                                  QString::fromLocal8Bit(context_.folder.Path().c_str()));
  if (file.isEmpty()) return;
  std::vector<std::string> lines;
  if (!ReadLineFile(file.toLocal8Bit().toStdString(), lines, &error)) {
    context_.dialogs->Error(Msg(error));
    return;
  }
  ClickSchedule schedule(lines, maximum);
  RunClicks(schedule, settings, cancelSubmit_, this);
  context_.dialogs->Information(Msg("Klicks wurden erzeugt!"));
}

void TMainForm::Multisuche1Click() {
  if (!CheckConnection()) return;
  if (!windows_.keywords || ShowModal(*windows_.keywords) != QDialog::Accepted) return;
  const std::string term = FromQt(windows_.keywords->Edit1->text());
  EngineList engines;
  std::string error;
  if (!engines.Read(context_.folder.File(kOpenEnginesFile), &error)) {
    context_.dialogs->Error(Msg(error));
    return;
  }
  OpenSearchWindows(engines.Windows(term), this);
}

}  // namespace mw
