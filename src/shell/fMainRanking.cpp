// Main window: the "Ranking" menu, which opens the ranking window, and the two ranking reports
// of the "Berichte" menu (the last run's report and the history chart).
#include <QAction>
#include <QLineEdit>
#include <QUrl>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "ranking/RankingHistory.h"
#include "ranking/RankingRun.h"
#include "ranking/fRanking.h"
#include "shell/fMain.h"

namespace mw {
namespace {

constexpr const char* kNoBrowserText =
    "Unable to start internet browser! Make sure you have it properly set-up on your system!";

}  // namespace

void TMainForm::ConnectRanking() {
  connect(RankingAnalyse1, &QAction::triggered, this, &TMainForm::RankingAnalyse1Click);
  connect(Ranking2, &QAction::triggered, this, &TMainForm::Ranking2Click);
  connect(RankingVerlauf1, &QAction::triggered, this, &TMainForm::RankingVerlauf1Click);
}

void TMainForm::RankingAnalyse1Click() {
  TRankingForm* ranking = windows_.ranking;
  if (!ranking) return;
  // The ranking window checks the connection the main window's way and names its report
  // after the project title as it stands.
  ranking->CheckConnection = [this](const std::string& firstAddress) { return CheckConnection(firstAddress); };
  ranking->ProjectName = [this] { return FromQt(ProjektNameEdit->text()); };
  const std::string url = FromQt(URLEdit->text());
  if (!url.empty()) ranking->SearchURLEdit->setText(ToQt(ExtractWord(WordCount(url, "/"), url, "/")));
  ShowModal(*ranking);
}

void TMainForm::Ranking2Click() {
  const std::string report = context_.folder.ReportsFolder() + RankingReportFileName(FromQt(ProjektNameEdit->text()));
  if (!FileExists(report)) {
    context_.dialogs->Information(Msg("Noch kein Bericht vorhanden!"));
    return;
  }
  if (!context_.opener || !context_.opener->Open(QUrl::fromLocalFile(QString::fromLocal8Bit(report.c_str()))))
    context_.dialogs->Message(Msg(kNoBrowserText));
}

void TMainForm::RankingVerlauf1Click() {
  const std::string project = FromQt(ProjektNameEdit->text());
  const std::string reports = context_.folder.ReportsFolder();
  const std::string chart = reports + RankingChartFileName(project);
  std::string error;
  if (!WriteRankingChart(reports + RankingHistoryFileName(project), chart, project, &error)) {
    if (error == kNoRankingHistoryText)
      context_.dialogs->Information(Msg(error));
    else
      ShowError(error);
    return;
  }
  if (!context_.opener || !context_.opener->Open(QUrl::fromLocalFile(QString::fromLocal8Bit(chart.c_str()))))
    context_.dialogs->Message(Msg(kNoBrowserText));
}

}  // namespace mw
