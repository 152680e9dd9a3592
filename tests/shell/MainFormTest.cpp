// The main window's flows: start screen, project commands, the step gates and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "MainFormHarness.h"
#include "common/Files.h"
#include "shell/fMainWidgets.h"
#include "support/TestHttpServer.h"

using mwtest::MainFormHarness;

namespace {

std::string U8(const char* text) {
  return text;
}

bool CloseBox(mw::TMainForm& main) {
  QCloseEvent event;
  QApplication::sendEvent(&main, &event);
  return event.isAccepted();
}

}  // namespace

TEST(MainForm, StartsOnTheStartScreenWithProjectMenusOff) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  EXPECT_TRUE(m.PageControl1->isHidden());
  EXPECT_EQ(m.windowTitle(), QStringLiteral("Meldewerk"));
  EXPECT_FALSE(m.Berichte1->menuAction()->isEnabled());
  EXPECT_FALSE(m.Zusatzprogramme1->menuAction()->isEnabled());
  EXPECT_FALSE(m.MetatagGenerator1->isEnabled());
  EXPECT_FALSE(m.Einstellungen1->isEnabled());
  EXPECT_TRUE(m.Hilfe1->menuAction()->isEnabled());
  EXPECT_FALSE(m.PageControl1->isTabVisible(2));
  EXPECT_FALSE(m.PageControl1->isTabVisible(5));
  EXPECT_TRUE(h.dir.Exists("Temp") && h.dir.Exists("reports"));
}

TEST(MainForm, NewProjectShowsStepOneWithNoModeTicked) {
  MainFormHarness h;
  h.Template("Google_DE");
  h.Template("Yahoo_COM");
  h.Build();
  auto& m = h.Main();
  // An empty name keeps the window open with its message.
  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TNewForm&>(d);
    form.Edit1->setText(QStringLiteral("   "));
    form.BitBtn1->click();
    EXPECT_FALSE(form.result() == QDialog::Accepted);
    return int(QDialog::Rejected);
  });
  m.NewBitBtn->click();
  EXPECT_EQ(h.dialogs.LastText(), U8("Bitte geben Sie einen Namen für das neue Projekt ein!"));
  EXPECT_TRUE(m.PageControl1->isHidden());

  h.ThenNewProject(" Meine Seite ");
  m.NewBitBtn->click();
  EXPECT_FALSE(m.PageControl1->isHidden());
  EXPECT_EQ(m.ProjectFolderName, "Project_0001");
  EXPECT_EQ(m.windowTitle(), QStringLiteral("Meldewerk : Meine Seite"));  // read back trimmed
  EXPECT_EQ(m.CurrentTab(), 0);
  EXPECT_EQ(m.URLEdit->text(), QStringLiteral("http://www."));
  for (QRadioButton* b : {m.OnePageSubpagesRadioButton, m.OnePageRadioButton, m.ListeRadioButton})
    EXPECT_FALSE(b->isChecked());
  EXPECT_TRUE(m.GroupBox8->isHidden());
  EXPECT_TRUE(m.ErgMemo->isHidden());
  EXPECT_FALSE(m.ModeGroupBox->isHidden());
  EXPECT_TRUE(m.Berichte1->menuAction()->isEnabled());
  EXPECT_TRUE(m.Einstellungen1->isEnabled());
  EXPECT_TRUE(h.dir.Exists("Projects/Project_0001/Project.ini"));
  EXPECT_TRUE(h.dir.Exists("Projects/Project_0001/Google_DE.ser"));
  EXPECT_TRUE(h.dir.Exists("Projects/Project_0001/Yahoo_COM.ser"));
  // "Die Wichtigsten" are ticked after creation.
  EXPECT_EQ(m.SuchmaschinenCheckListBox->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(m.SuchmaschinenCheckListBox->item(1)->checkState(), Qt::Unchecked);
}

TEST(MainForm, StepThreeNeedsNameAndEmail) {
  MainFormHarness h;
  h.Build();
  h.CreateProject("P", false);
  auto& m = h.Main();
  h.UserSelectsTab(3);
  EXPECT_EQ(m.CurrentTab(), 1);
  EXPECT_EQ(h.dialogs.LastText(), U8("Bitte füllen Sie zuerst die Kontaktdaten aus!"));
  m.NameEdit->setText(QStringLiteral("Name"));
  m.EmailEdit->setText(QStringLiteral("keine-adresse"));
  h.dialogs.Clear();
  h.UserSelectsTab(3);
  EXPECT_EQ(m.CurrentTab(), 3);
  EXPECT_TRUE(h.dialogs.shown.empty());
  // Code selecting a tab runs no checks.
  m.NameEdit->clear();
  m.SelectTab(4);
  EXPECT_EQ(m.CurrentTab(), 4);
  EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(MainForm, SinglePageIsAddedOnceOnEnteringStepTwo) {
  MainFormHarness h;
  h.Template("A_DE");
  h.Template("B_DE");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  m.OnePageRadioButton->click();
  EXPECT_FALSE(m.GroupBox8->isHidden());
  EXPECT_TRUE(m.StartBitBtn->isHidden());

  h.UserSelectsTab(1);  // address still "http://www."
  EXPECT_EQ(m.CurrentTab(), 0);
  EXPECT_EQ(h.dialogs.LastText(),
            U8("Bitte geben Sie zuerst eine gültige Webseite ein! (z.B. http://www.beispiel.de)"));
  EXPECT_TRUE(m.ErgMemo->toPlainText().isEmpty());
  EXPECT_EQ(h.ProjectFile("A_DE.ser"), "");

  m.URLEdit->setText(QStringLiteral("http://www.seite.de/"));
  h.UserSelectsTab(1);
  EXPECT_EQ(m.CurrentTab(), 1);
  EXPECT_EQ(h.ProjectFile("A_DE.ser"), "00.00.00 | http://www.seite.de/ | FALSE\r\n");
  EXPECT_EQ(h.ProjectFile("B_DE.ser"), "00.00.00 | http://www.seite.de/ | FALSE\r\n");
  h.UserSelectsTab(0);
  h.UserSelectsTab(1);  // ErgMemo holds the page: nothing more, no question
  EXPECT_EQ(h.ProjectFile("A_DE.ser"), "00.00.00 | http://www.seite.de/ | FALSE\r\n");
}

TEST(MainForm, SubpagesModeAsksForTheStartButtonFirst) {
  MainFormHarness h;
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  m.OnePageSubpagesRadioButton->click();
  EXPECT_FALSE(m.StartBitBtn->isHidden());
  m.URLEdit->setText(QStringLiteral("http://www.seite.de/"));
  h.UserSelectsTab(1);
  EXPECT_EQ(m.CurrentTab(), 0);
  EXPECT_FALSE(m.Memo7->isHidden());
  EXPECT_EQ(h.dialogs.LastText(),
            U8("Drücken Sie zuerst den \"Start-Knopf\" um die Unterseiten Ihrer Webseite zu ermitteln die "
               "anschließend angemeldet werden!"));
  m.ErgMemo->setPlainText(QStringLiteral("http://www.seite.de/\nhttp://www.seite.de/a.html"));
  h.dialogs.Clear();
  h.UserSelectsTab(1);
  EXPECT_EQ(m.CurrentTab(), 1);
  EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(MainForm, EmailCheckOnLeavingTheField) {
  MainFormHarness h;
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  const auto leave = [&](const char* text) {
    h.dialogs.Clear();
    m.EmailEdit->setText(QString::fromUtf8(text));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(m.EmailEdit, &out);
    return h.dialogs.shown.empty();
  };
  EXPECT_FALSE(leave("name@beispiel"));
  EXPECT_EQ(h.dialogs.LastText(), U8("Keine gültige Email-Adresse"));
  EXPECT_FALSE(leave(""));
  EXPECT_TRUE(leave("a.b@c"));
  EXPECT_TRUE(leave("name@beispiel.de"));
}

TEST(MainForm, OpenAndDeleteListOnlyRealProjects) {
  MainFormHarness h;
  h.dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Erstes\r\nName= Max \r\nEMail=m@x.de\r\n");
  h.dir.Write("Projects/Modell_0003/Project.ini", "[SETTINGS]\r\nTitel=Modell\r\n");
  h.dir.Write("Projects/Alt.bak/Project.ini", "[SETTINGS]\r\nTitel=Alt\r\n");
  h.Template("Google_DE");
  h.Build();
  auto& m = h.Main();
  // Nothing chosen: the window asks for a choice and stays.
  h.Then([&](QDialog& d) {
    auto& form = static_cast<mw::TOpenForm&>(d);
    EXPECT_EQ(form.OpenListBox->count(), 1);
    EXPECT_EQ(form.OpenListBox->item(0)->text(), QStringLiteral("Project_0001 Erstes"));
    EXPECT_EQ(form.OpenBitBtn->text(), QString::fromUtf8("Öffnen"));
    form.OpenBitBtn->click();
    EXPECT_EQ(h.dialogs.LastText(), U8("Bitte treffen Sie zuerst eine Auswahl!"));
    return form.result();
  });
  m.OpenBitBtn->click();
  EXPECT_TRUE(m.PageControl1->isHidden());

  h.ThenOpenItem(0);
  m.OpenBitBtn->click();
  EXPECT_EQ(m.ProjectFolderName, "Project_0001");
  EXPECT_EQ(m.CurrentTab(), 3);
  EXPECT_EQ(m.NameEdit->text(), QStringLiteral("Max"));
  EXPECT_EQ(m.windowTitle(), QStringLiteral("Meldewerk : Erstes"));
  EXPECT_EQ(m.ComboBox1->count(), 1);

  // The next project number also counts the folder that is not listed.
  h.ThenNewProject("Zweites");
  m.NewBitBtn->click();
  EXPECT_EQ(m.ProjectFolderName, "Project_0004");

  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TOpenForm&>(d);
    EXPECT_EQ(form.DoLabel->text(), QString::fromUtf8("Projekt löschen"));
    EXPECT_EQ(form.OpenListBox->count(), 2);
    form.OpenListBox->setCurrentRow(0);
    form.OpenBitBtn->click();
    return form.result();
  });
  h.dialogs.answers = {true};
  m.DelBitBtn->click();
  EXPECT_FALSE(h.dir.Exists("Projects/Project_0001"));
  EXPECT_TRUE(h.dir.Exists("Projects/Project_0004"));
  EXPECT_TRUE(m.ProjectFolderName.empty());  // the open project is closed even so
  EXPECT_TRUE(m.PageControl1->isHidden());
}

TEST(MainForm, OpenWithoutProjectsOnlyInforms) {
  MainFormHarness h;
  h.Build();
  h.Main().OpenBitBtn->click();
  EXPECT_EQ(h.dialogs.LastText(), U8("Kein Projekt vorhanden! Bitte erstellen Sie zuerst ein neues Projekt!"));
  h.Main().DelBitBtn->click();
  EXPECT_EQ(h.dialogs.LastText(), U8("Kein Projekt vorhanden! Bitte legen Sie zuerst ein Projekt an!"));
  EXPECT_TRUE(h.shownWindows.empty());
}

TEST(MainForm, ListModeTakesPagesAndAsksBeforeAddingToAFilledList) {
  MainFormHarness h;
  h.Template("A_DE");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TListeForm&>(d);
    EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
    form.Memo1->setPlainText(QStringLiteral("www.ohne-schema.de\n"));
    form.WeiterBitBtn->click();
    EXPECT_NE(form.result(), int(QDialog::Accepted));
    form.Memo1->setPlainText(QStringLiteral("  HTTPS://WWW.GROSS.DE/  \n\nhttp://b.de/\n"));
    form.WeiterBitBtn->click();
    return form.result();
  });
  m.ListeRadioButton->click();
  EXPECT_EQ(h.dialogs.Texts().front(),
            U8("Sie haben vergessen \"http://\" bzw. \"https://\" vor die Webseite zu schreiben!"));
  EXPECT_EQ(m.ErgMemo->toPlainText(), QStringLiteral("HTTPS://WWW.GROSS.DE/\nhttp://b.de/"));
  EXPECT_EQ(h.ProjectFile("A_DE.ser"),
            "00.00.00 | HTTPS://WWW.GROSS.DE/ | FALSE\r\n00.00.00 | http://b.de/ | FALSE\r\n");
  EXPECT_FALSE(m.ErgMemo->isHidden());

  // The list is no longer empty: adding asks first; "Nein" adds nothing.
  m.ErgMemo->setPlainText(QStringLiteral("http://c.de/"));
  h.dialogs.answers = {false};
  m.AddPagesToProject();
  EXPECT_EQ(h.dialogs.shown.back().kind, mwtest::ShownMessage::Question);
  EXPECT_EQ(h.ProjectFile("A_DE.ser"),
            "00.00.00 | HTTPS://WWW.GROSS.DE/ | FALSE\r\n00.00.00 | http://b.de/ | FALSE\r\n");
}

TEST(MainForm, SettingsTabAppearsOnlyAfterItsMenuItem) {
  MainFormHarness h;
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  EXPECT_FALSE(m.PageControl1->isTabVisible(5));
  m.Einstellungen1->trigger();
  EXPECT_TRUE(m.PageControl1->isTabVisible(5));
  EXPECT_EQ(m.CurrentTab(), 5);
  h.UserSelectsTab(0);
  EXPECT_TRUE(m.PageControl1->isTabVisible(5));
  EXPECT_FALSE(m.PageControl1->isTabVisible(2));
}

TEST(MainForm, BeendenSavesOnlyTheSettings) {
  MainFormHarness h;
  h.Template("A_DE");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  const std::string before = h.ProjectFile("Project.ini");
  m.NameEdit->setText(QStringLiteral("Geändert"));
  m.Edit5->setText(QStringLiteral("7"));
  h.dir.Write("Meldewerk.bin", "x");
  m.MayClose = false;
  m.Beenden1->trigger();  // refused while a crawl runs
  EXPECT_TRUE(h.dir.Exists("Meldewerk.bin"));
  EXPECT_FALSE(h.dir.Exists("Program.ini"));
  m.MayClose = true;
  m.show();
  m.Beenden1->trigger();
  EXPECT_FALSE(m.isVisible());
  EXPECT_FALSE(h.dir.Exists("Meldewerk.bin"));
  EXPECT_NE(h.dir.Read("Program.ini").find("Retrys=7"), std::string::npos);
  EXPECT_EQ(h.ProjectFile("Project.ini"), before);
  EXPECT_TRUE(h.shownWindows.size() == 1);  // only the new-project window, no product window
}

TEST(MainForm, CloseBoxSavesEverythingAndShowsTheProductWindow) {
  MainFormHarness h;
  h.Template("A_DE");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  m.ErgMemo->setPlainText(QStringLiteral("http://a.de/"));
  m.AddPagesToProject();
  m.CheckListBox1->item(0)->setCheckState(Qt::Checked);
  m.NameEdit->setText(QStringLiteral("Neuer Name"));
  m.Edit9->setText(QStringLiteral("8080"));
  EXPECT_TRUE(CloseBox(m));
  EXPECT_NE(h.ProjectFile("Project.ini").find("Name=Neuer Name"), std::string::npos);
  EXPECT_EQ(h.ProjectFile("A_DE.ser"), "00.00.00 | http://a.de/ | TRUE\r\n");
  EXPECT_NE(h.dir.Read("Program.ini").find("Port=8080"), std::string::npos);
  EXPECT_EQ(h.shownWindows.back(), "WerbungForm");

  h.dir.Write("NoWer.ini", "");
  h.shownWindows.clear();
  EXPECT_TRUE(CloseBox(m));
  EXPECT_TRUE(h.shownWindows.empty());
}

TEST(MainForm, CloseIsRefusedWhileACrawlRunsAndFollowsItsEnd) {
  MainFormHarness h;
  h.dir.Write("NoWer.ini", "");
  h.Build();
  auto& m = h.Main();
  int stops = 0;
  m.StopCrawl = [&] { return ++stops > 0; };
  m.MayClose = false;
  m.show();
  EXPECT_FALSE(CloseBox(m));
  EXPECT_EQ(stops, 1);
  EXPECT_TRUE(m.CloseRequested);
  EXPECT_FALSE(h.dir.Exists("Program.ini"));
  // The crawl reports its end: the window closes without a further request.
  m.MayClose = true;
  m.CloseIfRequested();
  QApplication::processEvents();
  EXPECT_FALSE(m.isVisible());
  EXPECT_TRUE(h.dir.Exists("Program.ini"));
}

TEST(MainForm, CloseTimerGivesBackTheCloseOnce) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  m.StartCloseTimer();
  EXPECT_FALSE(m.MayClose);
  EXPECT_TRUE(m.CloseTimer->isActive());
  EXPECT_TRUE(m.CloseTimer->isSingleShot());
  EXPECT_EQ(m.CloseTimer->interval(), 2000);
  QEventLoop loop;
  QObject::connect(m.CloseTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_TRUE(m.MayClose);
  EXPECT_FALSE(m.CloseTimer->isActive());
}

TEST(MainForm, TipWindowOncePerRunUnlessMarked) {
  {
    MainFormHarness h;
    h.Build();
    h.Then([](QDialog& d) {
      auto& tip = static_cast<mw::TTipForm&>(d);
      tip.CheckBox1->setChecked(true);
      tip.reject();  // the close box writes nothing
      return tip.result();
    });
    h.Main().FormActivate();
    h.Main().FormActivate();
    EXPECT_EQ(h.shownWindows, std::vector<std::string>{"TipForm"});
    EXPECT_FALSE(h.dir.Exists("NoTip.ini"));

    h.Then([](QDialog& d) {
      auto& tip = static_cast<mw::TTipForm&>(d);
      tip.CheckBox1->setChecked(true);
      tip.BitBtn1->click();
      return tip.result();
    });
    h.Main().ShowModal(*h.tip);
    EXPECT_TRUE(h.dir.Exists("NoTip.ini"));
  }
  MainFormHarness h;
  h.dir.Write("NoTip.ini", "beliebig");
  h.Build();
  h.Main().FormActivate();
  EXPECT_TRUE(h.shownWindows.empty());
}

TEST(MainForm, ConnectionCheckFetchesTheProductPage) {
  mwtest::TestHttpServer server;
  server.SetPage("/produkt", "<html>ok</html>");
  MainFormHarness h;
  h.dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + server.Url("/produkt") + "\r\n");
  h.Build();
  EXPECT_TRUE(h.Main().CheckConnection());
  EXPECT_EQ(server.CountFor("/produkt"), 1u);
  EXPECT_TRUE(h.dialogs.shown.empty());
  EXPECT_TRUE(h.Main().Memo1->toPlainText().isEmpty());
  server.Stop();
  mwtest::TestHttpServer intranet;  // no route to the product page, but to the site itself
  intranet.SetPage("/", "<html>intern</html>");
  EXPECT_TRUE(h.Main().CheckConnection(intranet.Url("/")));
  EXPECT_EQ(intranet.CountFor("/"), 1u);
  EXPECT_FALSE(h.Main().CheckConnection());
  EXPECT_EQ(h.dialogs.LastText(), U8("Die Verbindung ins Internet kann nicht hergestellt werden! Bitte stellen Sie "
                                     "eine Internetverbindung her!"));
}

TEST(MainForm, HelpMenuOpensLinksAndReportsFailures) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  m.Hilfedatei1->trigger();
  ASSERT_EQ(h.opener.opened.size(), 1u);
  EXPECT_EQ(h.opener.opened[0], "file://" + h.dir.Path() + "help/help.html");
  h.opener.succeed = false;
  m.Update1->trigger();
  EXPECT_EQ(h.opener.opened.back(), h.context.facts.productPage);
  EXPECT_EQ(h.dialogs.LastText(),
            "Unable to start internet browser! Make sure you have it properly set-up on your system!");
  m.Hilfedatei1->trigger();  // a local file that cannot be shown is named
  EXPECT_NE(h.dialogs.LastText().find(h.dir.Path() + "help/help.html kann nicht ge\xc3\xb6" "ffnet werden."),
            std::string::npos)
      << h.dialogs.LastText();
  m.Info1->trigger();
  EXPECT_EQ(h.shownWindows.back(), "AboutBox");
}

TEST(MainForm, AVanishedProjectFolderIsReportedAndTheSettingsStillSaved) {
  MainFormHarness h;
  h.Template("A_DE");
  h.dir.Write("NoWer.ini", "");
  h.Build();
  h.CreateProject();
  auto& m = h.Main();
  m.ErgMemo->setPlainText(QStringLiteral("http://a.de/"));
  m.AddPagesToProject();
  std::filesystem::remove_all(h.dir.Path() + "Projects/" + m.ProjectFolderName);
  h.dialogs.Clear();
  EXPECT_TRUE(CloseBox(m));
  ASSERT_GE(h.dialogs.shown.size(), 1u);
  EXPECT_EQ(h.dialogs.shown.front().kind, mwtest::ShownMessage::Error);
  EXPECT_NE(h.dialogs.shown.front().text.toStdString().find("kann nicht"), std::string::npos);
  EXPECT_TRUE(h.dir.Exists("Program.ini"));
}

TEST(MainForm, DoubleClickOpensAndSeitenHinzufuegenReturnsToStepOne) {
  MainFormHarness h;
  h.dir.Write("Projects/Project_0002/Project.ini", "[SETTINGS]\r\nTitel=Zwei\r\nName=N\r\nEMail=n@x.de\r\n");
  h.Build();
  auto& m = h.Main();
  EXPECT_FALSE(h.openForm->windowFlags() & Qt::WindowCloseButtonHint);
  h.Then([](QDialog& d) {
    auto& form = static_cast<mw::TOpenForm&>(d);
    Q_EMIT form.OpenListBox->itemDoubleClicked(form.OpenListBox->item(0));
    return form.result();
  });
  m.OpenBitBtn->click();
  EXPECT_EQ(m.ProjectFolderName, "Project_0002");
  EXPECT_EQ(m.CurrentTab(), 3);

  m.OnePageRadioButton->click();
  h.UserSelectsTab(4);
  m.BitBtn5->click();
  EXPECT_EQ(m.CurrentTab(), 0);
  for (QRadioButton* b : {m.OnePageSubpagesRadioButton, m.OnePageRadioButton, m.ListeRadioButton})
    EXPECT_FALSE(b->isChecked());
  EXPECT_TRUE(m.GroupBox8->isHidden());
}

TEST(MainForm, FirstActivationOfTheShownWindowBringsTheTips) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  m.show();
  QApplication::setActiveWindow(&m);
  QEventLoop loop;
  QTimer::singleShot(200, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_EQ(h.shownWindows, std::vector<std::string>{"TipForm"});
  m.FormActivate();
  EXPECT_EQ(h.shownWindows.size(), 1u);
}
