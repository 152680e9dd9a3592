// The main window's ranking menus: "Ranking Analyse" opens the ranking window with the site
// taken from step 1, and "Berichte" opens the last ranking report and the history chart.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "MainFormHarness.h"
#include "ranking/fRanking.h"
#include "support/TestHttpServer.h"

TEST(RankingMenu, AnalysisWindowReportAndHistory) {
  mwtest::TestHttpServer server;
  server.SetPage("/product", "Meldewerk");
  server.SetPage("/results", "<a href=\"http://www.meine-seite.de/\">Treffer</a>");
  mwtest::MainFormHarness h;
  h.dir.Write("Projects/templates/Lokal_DE.ran",
              "[SETTINGS]\r\nBasicURL=" + server.Url("/results") + "?q=KLXKEYWORD\r\n");
  h.Build();
  h.context.facts.productPage = server.Url("/product");
  mw::TMainForm& m = h.Main();
  h.CreateProject("Rang & Co");
  const std::string reports = "file://" + h.dir.Path() + "reports/";

  m.Ranking2->trigger();
  m.RankingVerlauf1->trigger();
  EXPECT_EQ(h.dialogs.Texts(),
            (std::vector<std::string>{"Noch kein Bericht vorhanden!", "Noch kein Ranking-Verlauf vorhanden!"}));

  m.URLEdit->setText(QStringLiteral("http://www.Meine-Seite.de"));
  std::string shownSite;
  h.Then([&](QDialog& d) {
    auto& ranking = static_cast<mw::TRankingForm&>(d);
    shownSite = ranking.SearchURLEdit->text().toStdString();
    EXPECT_EQ(ranking.SuchmaschinenCheckListBox->item(0)->checkState(), Qt::Checked);
    ranking.KeywordEdit->setText(QStringLiteral("seite"));
    ranking.StartBitBtn->click();
    return int(QDialog::Accepted);
  });
  m.RankingAnalyse1->trigger();
  EXPECT_EQ(h.shownWindows.back(), "RankingForm");
  EXPECT_EQ(shownSite, "www.meine-seite.de");
  m.Ranking2->trigger();
  m.RankingVerlauf1->trigger();
  EXPECT_EQ(h.opener.opened,
            (std::vector<std::string>{reports + "Ranking_rang_a_co.html", reports + "Ranking_rang_a_co.html",
                                      reports + "RankingVerlauf_rang_a_co.html"}));
  EXPECT_EQ(h.dialogs.Texts().size(), 2u);
}
