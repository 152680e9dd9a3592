// The ranking window offscreen: its fields' change rules, the start checks and a whole run.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "RankingEngines.h"
#include "platform/QtText.h"
#include "ranking/RankingRun.h"
#include "ranking/fRanking.h"
#include "store/AppContext.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedDialogs.h"

using namespace mw;

namespace {

struct Window {
  mwtest::RankingEngines e;
  mwtest::ScriptedDialogs dialogs;
  mwtest::RecordingOpener opener;
  AppContext context;
  std::unique_ptr<TRankingForm> form;
  std::vector<std::string> checkedAddresses;

  Window() {
    context.folder = e.dir.Folder();
    context.dialogs = &dialogs;
    context.opener = &opener;
    form = std::make_unique<TRankingForm>(context, QPixmap(), QPixmap());
    form->ProjectName = [] { return std::string("Projekt"); };
    form->CheckConnection = [this](const std::string& first) {
      checkedAddresses.push_back(first);
      return true;
    };
  }
  std::vector<std::string> Engines() const {
    std::vector<std::string> names;
    for (int i = 0; i < form->SuchmaschinenCheckListBox->count(); ++i)
      if (form->SuchmaschinenCheckListBox->item(i)->checkState() == Qt::Checked)
        names.push_back(FromQt(form->SuchmaschinenCheckListBox->item(i)->text()));
    std::sort(names.begin(), names.end());
    return names;
  }
};

const char* const kNoHttp = "Bitte kein \"http://\" eingeben!";

}  // namespace

TEST(RankingWindow, FieldsFollowTheirChangeRules) {
  Window w;
  w.form->FormActivate();
  EXPECT_EQ(w.Engines(), (std::vector<std::string>{"Blocked_DE", "Down_DE", "Found_DE", "Never_COM"}));
  EXPECT_EQ(w.form->PageLimit(), 5);

  // A pasted address is cut to its last part and lower-cased, with the message once.
  w.form->SearchURLEdit->setText(QStringLiteral("HTTP://www.Meine-Seite.DE/"));
  EXPECT_EQ(w.form->SearchURLEdit->text().toStdString(), "www.meine-seite.de");
  EXPECT_EQ(w.form->SearchAddress(), "www.meine-seite.de");
  EXPECT_EQ(w.dialogs.Texts(), std::vector<std::string>{kNoHttp});
  w.dialogs.Clear();
  w.form->SearchURLEdit->setText(QStringLiteral("WWW.A.DE"));
  EXPECT_EQ(w.form->SearchURLEdit->text().toStdString(), "www.a.de");
  EXPECT_TRUE(w.dialogs.Texts().empty());

  // A page limit that is not a number is refused at once and the previous one holds.
  for (const char* text : {"", "drei", "7x"}) {
    w.form->MaxPosEdit->setText(QString::fromLatin1(text));
    EXPECT_EQ(w.dialogs.LastText(), kBadPageLimitText) << text;
    EXPECT_EQ(w.form->PageLimit(), 5) << text;
  }
  w.form->MaxPosEdit->setText(QStringLiteral(" 3 "));
  EXPECT_EQ(w.form->PageLimit(), 3);

  // Ticks survive the window's own messages but not a new opening.
  w.form->Unmark2BitBtn->click();
  w.form->StartBitBtn->click();
  EXPECT_EQ(w.dialogs.LastText(), kNoKeywordText);
  EXPECT_EQ(w.form->focusWidget(), w.form->KeywordEdit);
  EXPECT_TRUE(w.Engines().empty());
  w.form->KeywordEdit->setText(QStringLiteral("wort"));
  w.form->SearchURLEdit->setText(QStringLiteral("www."));
  w.form->StartBitBtn->click();
  EXPECT_EQ(w.dialogs.LastText(), kNoSiteText);
  EXPECT_EQ(w.form->focusWidget(), w.form->SearchURLEdit);
  EXPECT_TRUE(w.checkedAddresses.empty());
  w.form->FormActivate();
  EXPECT_EQ(w.Engines().size(), 4u);
}

TEST(RankingWindow, StartRunsTheCheckAndOpensTheReport) {
  Window w;
  w.form->FormActivate();
  w.form->SearchURLEdit->setText(QStringLiteral("www.meine-seite.de"));
  w.form->KeywordEdit->setText(QStringLiteral("gute seite "));
  for (int i = 0; i < w.form->SuchmaschinenCheckListBox->count(); ++i) {
    QListWidgetItem* item = w.form->SuchmaschinenCheckListBox->item(i);
    if (item->text() != QStringLiteral("Found_DE")) item->setCheckState(Qt::Unchecked);
  }
  w.form->Memo1->setPlainText(QStringLiteral("alte Zeile"));
  w.form->StartBitBtn->click();

  EXPECT_EQ(w.checkedAddresses, std::vector<std::string>{w.e.server.Url("/found") + "?q=gute+seite+&p=0"});
  EXPECT_EQ(w.form->Memo1->toPlainText().toStdString(),
            "Durchsuche Page: 1 / Found_DE\nDurchsuche Page: 2 / Found_DE\nDurchsuche Page: 3 / Found_DE\n"
            "Position: Found_DE / Page 3");
  EXPECT_NE(w.form->TempMemo->toPlainText().indexOf(QStringLiteral("WWW.Meine-Seite.DE")), -1);
  EXPECT_TRUE(w.dialogs.Texts().empty());
  ASSERT_EQ(w.opener.opened.size(), 1u);
  EXPECT_EQ(w.opener.opened[0], "file://" + w.e.dir.Path() + "reports/Ranking_projekt.html");
  EXPECT_TRUE(w.e.dir.Exists("reports/Ranking_projekt.csv"));
  EXPECT_TRUE(w.form->StartBitBtn->isEnabled());

  // No connection: nothing is fetched or written.
  w.form->CheckConnection = [](const std::string&) { return false; };
  w.e.server.ClearLog();
  w.form->StartBitBtn->click();
  EXPECT_EQ(w.e.server.RequestCount(), 0u);
  EXPECT_EQ(w.opener.opened.size(), 1u);
}
