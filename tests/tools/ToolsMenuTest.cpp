// The main window's "Klicktool" and "Multisuche" up to the point where browser windows open:
// the connection check, the explanation, the options and term windows, the file and the lists.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "MainFormHarness.h"
#include "platform/FetchURL.h"
#include "tools/fClickOptions.h"
#include "tools/fInternetBrowser.h"
#include "tools/fKeywords.h"

namespace {

using mwtest::MainFormHarness;

const std::string kExplanation =
    "Diese Funktion klickt zu Testzwecken einfach beliebige URLs an. \r\rSie können einfach eine Liste mit URLs "
    "einfügen, welche angeklickt werden sollen. Erstellen Sie  hierzu eine Text-Datei in der Sie alle URLs eintragen. "
    "(Bitte immer nur eine URL pro Zeile)";

struct Tools : MainFormHarness {
  Tools() {
    Build();
    Main().FetchURL = [](const std::string&) { return std::string("<html>online</html>"); };
  }
  // The options window, filled in and ended with `button` (null: the close box).
  void ThenOptions(const char* seconds, const char* maximum, const char* button) {
    Then([=](QDialog& d) {
      auto& form = static_cast<mw::TClickOptionsForm&>(d);
      form.Edit1->setText(QString::fromUtf8(seconds));
      form.Edit2->setText(QString::fromUtf8(maximum));
      if (!button) return int(QDialog::Rejected);
      form.findChild<QPushButton*>(QString::fromLatin1(button))->click();
      return form.result();
    });
  }
  int BrowserWindows() { return int(Main().findChildren<mw::TBrowserForm*>().size()); }
};

TEST(ClickToolMenu, EndsBeforeAnyClickWhenRefused) {
  struct Case {
    const char *seconds, *maximum, *button;
    std::vector<std::string> messages;  // after the explanation
  } cases[] = {
      {"2", "1000", "AbortBitBtn", {}},
      {"0", "1000", "WeiterBitBtn", {"Bitte geben Sie mindestens 1 Sekunde ein!"}},
      {"2", "viele", nullptr, {"'viele' ist kein gültiger Integerwert"}},
  };
  for (const auto& c : cases) {
    Tools t;
    t.ThenOptions(c.seconds, c.maximum, c.button);
    t.Main().Klicktool1Click();
    std::vector<std::string> want = {kExplanation};
    want.insert(want.end(), c.messages.begin(), c.messages.end());
    EXPECT_EQ(t.dialogs.Texts(), want) << c.seconds << " " << c.maximum;
    EXPECT_TRUE(t.dialogs.lastFilter.isEmpty());  // no file dialog
    EXPECT_EQ(t.BrowserWindows(), 1);             // the one made at start
  }
}

TEST(ClickToolMenu, FileChoiceAndItsFaults) {
  Tools t;
  t.dir.Write("blank.txt", "\r\n   \r\n\r\n");
  // Closing the options window with its close box goes on with the values shown.
  t.ThenOptions("2", "1000", nullptr);
  t.dialogs.fileAnswers.push_back(QString::fromStdString(t.dir.Path() + "blank.txt"));
  t.Main().Klicktool1Click();
  EXPECT_EQ(t.dialogs.lastFolder.toStdString(), t.dir.Path());
  EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{kExplanation, "Klicks wurden erzeugt!"}));

  t.dialogs.Clear();
  t.ThenOptions("2", "1000", "WeiterBitBtn");
  t.dialogs.fileAnswers.push_back(QString::fromStdString(t.dir.Path() + "fehlt.txt"));
  t.Main().Klicktool1Click();
  ASSERT_EQ(t.dialogs.shown.size(), 2u);
  EXPECT_EQ(t.dialogs.shown[1].kind, mwtest::ShownMessage::Error);
  EXPECT_NE(t.dialogs.LastText().find(t.dir.Path() + "fehlt.txt"), std::string::npos);

  t.dialogs.Clear();
  t.Main().FetchURL = [](const std::string& url) { return "::ERROR:: " + url; };
  t.Main().Klicktool1Click();
  EXPECT_EQ(t.dialogs.Texts(), (std::vector<std::string>{mw::kNoConnectionText}));
  EXPECT_EQ(t.BrowserWindows(), 1);
}

TEST(MultiSearchMenu, OpensNothingUnlessTheTermIsConfirmedAndTheListRead) {
  Tools t;
  t.Then([](QDialog& d) { return static_cast<mw::TKeywordsForm&>(d).AbortBitBtn->click(), d.result(); });
  t.Then([](QDialog&) { return int(QDialog::Rejected); });  // closed
  t.Then([](QDialog& d) { return static_cast<mw::TKeywordsForm&>(d).WeiterBitBtn->click(), d.result(); });
  for (int i = 0; i < 3; ++i) t.Main().Multisuche1Click();
  EXPECT_EQ(t.shownWindows, (std::vector<std::string>{"KeywordsForm", "KeywordsForm", "KeywordsForm"}));
  ASSERT_EQ(t.dialogs.shown.size(), 1u);  // only the third went on, to the missing list
  EXPECT_NE(t.dialogs.LastText().find(t.dir.Path() + "OpenEngines.ini"), std::string::npos);
  EXPECT_EQ(t.BrowserWindows(), 1);
}

TEST(ToolWindows, HilfeOpensTheHelpPageOrSaysWhyNot) {
  Tools t;
  t.windows->clickOptions->HilfeBitBtn->click();
  t.opener.succeed = false;
  t.windows->keywords->HilfeBitBtn->click();
  ASSERT_EQ(t.opener.opened.size(), 2u);
  for (const auto& url : t.opener.opened) EXPECT_EQ(url, "file://" + t.dir.Path() + "help/help.html");
  ASSERT_EQ(t.dialogs.shown.size(), 1u);  // the help page that could not be opened, by its full path
  EXPECT_EQ(t.dialogs.LastText().rfind("Datei " + t.dir.Path() + "help/help.html kann nicht ge", 0), 0u);
}

}  // namespace
