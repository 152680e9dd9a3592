// A fresh program folder with the shipped engine templates: the project key on step 2, its key
// file, and a run that sends IndexNow requests to a local stand-in for the endpoint; the
// keyboard on step 4 and the mode buttons of step 1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "MainFormHarness.h"
#include "common/Files.h"
#include "common/IniFile.h"
#include "store/ProjectStore.h"
#include "submit/EngineTemplates.h"
#include "support/TestHttpServer.h"

using mwtest::MainFormHarness;

namespace {

// The shipped templates, with the shared endpoint's host turned into the local server.
void InstallShippedTemplates(const MainFormHarness& h, const mwtest::TestHttpServer& server) {
  const std::string shipped = std::string(MELDEWERK_SOURCE_DIR) + "/data/Projects/templates/";
  for (const auto& file : std::filesystem::directory_iterator(shipped)) {
    std::string text;
    ASSERT_TRUE(mw::ReadWholeFile(file.path().string(), text));
    const std::string host = "https://api.indexnow.org";
    if (const auto at = text.find(host); at != std::string::npos) text.replace(at, host.size(), server.Url(""));
    h.dir.Write("Projects/templates/" + file.path().filename().string(), text);
  }
}

void PressKey(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}

}  // namespace

TEST(IndexNowWindow, FreshFolderSubmitsToTheSharedEndpointWithTheProjectKey) {
  mwtest::TestHttpServer server;
  server.SetPage("/product", "<html>Meldewerk</html>");
  server.Set("/indexnow", {202, "text/plain", "", 0, {}});
  MainFormHarness h;
  InstallShippedTemplates(h, server);
  h.Build();
  h.context.facts.productPage = server.Url("/product");
  auto& m = h.Main();
  h.CreateProject("Neu");

  // The shipped engines, with the shared endpoint as the only one of "Die Wichtigsten".
  ASSERT_EQ(m.SuchmaschinenCheckListBox->count(), 6);
  for (int i = 0; i < 6; ++i) {
    const QListWidgetItem* item = m.SuchmaschinenCheckListBox->item(i);
    EXPECT_EQ(item->checkState() == Qt::Checked, item->text() == QStringLiteral("IndexNow")) << i;
  }

  // Step 2 shows the key kept in Project.ini.
  const std::string key = m.IndexNowKeyEdit->text().toStdString();
  EXPECT_TRUE(m.IndexNowKeyEdit->isReadOnly());
  EXPECT_EQ(key.size(), 32u);
  EXPECT_EQ(key, mw::ReadIniString(h.dir.Path() + "Projects/" + m.ProjectFolderName + "/Project.ini", "SETTINGS",
                                   "IndexNowKey"));

  // The key file: saved under the key's name, then checked on the site (missing, then there).
  h.dialogs.fileAnswers = {QString::fromStdString(h.dir.Path() + key + ".txt")};
  m.SaveKeyFileBitBtn->click();
  EXPECT_EQ(h.dialogs.lastDefaultName.toStdString(), key + ".txt");
  EXPECT_EQ(h.dir.Read(key + ".txt"), key);
  m.URLEdit->setText(QString::fromStdString(server.Url("/")));
  m.CheckKeyFileBitBtn->click();
  EXPECT_NE(h.dialogs.LastText().find("nicht erreichbar"), std::string::npos) << h.dialogs.LastText();
  server.Set("/" + key + ".txt", {200, "text/plain", key, 0, {}});
  m.CheckKeyFileBitBtn->click();
  EXPECT_NE(h.dialogs.LastText().find("ist vorhanden und enth"), std::string::npos) << h.dialogs.LastText();

  // A run started with Enter on step 4 sends the page percent-encoded with the key.
  m.ErgMemo->setPlainText(QStringLiteral("http://www.site.test/b.php?x=1&y=2"));
  m.AddPagesToProject();
  h.UserSelectsTab(4);
  m.CheckListBox1->item(0)->setCheckState(Qt::Checked);
  h.dialogs.Clear();
  server.ClearLog();
  PressKey(m.CheckListBox1, Qt::Key_Return);
  std::vector<std::string> targets;
  for (const auto& r : server.Requests()) targets.push_back(r.target);
  EXPECT_EQ(targets, (std::vector<std::string>{
                         "/product", "/indexnow?url=http%3A%2F%2Fwww.site.test%2Fb.php%3Fx%3D1%26y%3D2&key=" + key}));
  EXPECT_EQ(h.dialogs.LastText(), "Suchmaschineneintrag erfolgreich durchgeführt!");
}

TEST(IndexNowWindow, AnInvalidKeyIsReplacedAndTheUserTold) {
  MainFormHarness h;
  h.Template("Alpha_DE");
  h.dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Alt\r\nIndexNowKey=kurz\r\n");
  h.Build();
  auto& m = h.Main();
  m.OpenProject("Project_0001");
  EXPECT_NE(h.dialogs.LastText().find("war ungültig"), std::string::npos);
  const std::string key = m.IndexNowKeyEdit->text().toStdString();
  EXPECT_TRUE(mw::IsValidIndexNowKey(key));
  h.dialogs.Clear();
  m.OpenProject("Project_0001");
  EXPECT_TRUE(h.dialogs.shown.empty());
  EXPECT_EQ(m.IndexNowKeyEdit->text().toStdString(), key);
}

TEST(IndexNowWindow, TypingInTheEngineBoxSelectsNothingAndTheListModeOpensOnce) {
  MainFormHarness h;
  for (const char* e : {"Alpha_DE", "Beta_DE", "Gamma_COM"}) h.Template(e);
  h.Build();
  auto& m = h.Main();
  h.CreateProject("Tasten");
  h.UserSelectsTab(4);
  PressKey(m.ComboBox1, Qt::Key_G, QStringLiteral("g"));
  EXPECT_EQ(m.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(m.ShownList().Engine(), "Alpha_DE");

  h.UserSelectsTab(0);
  h.shownWindows.clear();
  m.ListeRadioButton->click();
  m.ListeRadioButton->click();  // already chosen: the address window does not open again
  EXPECT_EQ(h.shownWindows, std::vector<std::string>{"ListeForm"});
  m.OnePageRadioButton->click();
  m.ListeRadioButton->click();
  EXPECT_EQ(h.shownWindows, (std::vector<std::string>{"ListeForm", "ListeForm"}));
}

TEST(IndexNowWindow, SitemapOfTheFoundPagesWithTheRobotsLine) {
  MainFormHarness h;
  h.Build();
  auto& m = h.Main();
  h.CreateProject("Karte");
  EXPECT_FALSE(m.SitemapBitBtn->isEnabled());  // no discovery yet
  m.URLEdit->setText(QStringLiteral("http://www.site.test/index.html"));
  m.ErgMemo->setPlainText(QStringLiteral("http://www.site.test/\nhttp://www.site.test/a&b.html"));
  h.dialogs.fileAnswers = {QString::fromStdString(h.dir.Path() + "sitemap.xml")};
  m.SaveSitemapClick();
  EXPECT_EQ(h.dialogs.lastDefaultName, QStringLiteral("sitemap.xml"));
  EXPECT_NE(h.dir.Read("sitemap.xml").find("<loc>http://www.site.test/a&amp;b.html</loc>"), std::string::npos);
  EXPECT_NE(h.dialogs.LastText().find("\nSitemap: http://www.site.test/sitemap.xml"), std::string::npos);

  h.dialogs.fileAnswers = {QString::fromStdString(h.dir.Path() + "fehlt/sitemap.xml")};
  m.SaveSitemapClick();
  EXPECT_EQ(h.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_EQ(h.dialogs.LastText().rfind("Die Sitemap konnte nicht gespeichert werden.", 0), 0u);
}
