// About, tip and product windows: their contents, links and marker files.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "auxiliary/Links.h"
#include "auxiliary/fAbout.h"
#include "auxiliary/fTip.h"
#include "auxiliary/fWerbung.h"
#include "platform/DesktopServices.h"
#include "store/AppContext.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

namespace {

struct Aux {
  Aux() {
    dir.Write("ver.ini", "Version 1.0 (Test)\r\nzweite Zeile\r\n");
    context.folder = dir.Folder();
    context.facts = mw::ProductFacts::Load(context.folder);
    context.dialogs = &dialogs;
    context.opener = &opener;
  }
  mwtest::TempProgramFolder dir;
  mwtest::ScriptedDialogs dialogs;
  mwtest::RecordingOpener opener;
  mw::AppContext context;
};

}  // namespace

TEST(AboutBox, ShowsTheProductFactsAndOpensItsLinks) {
  Aux a;
  mw::TAboutBox about(a.context);
  // The picture is missing in this folder: reported once, naming the file.
  ASSERT_EQ(a.dialogs.shown.size(), 1u);
  EXPECT_EQ(a.dialogs.shown[0].kind, mwtest::ShownMessage::Error);
  EXPECT_NE(a.dialogs.LastText().find("recom/about.jpg"), std::string::npos);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Meldewerk"));
  EXPECT_EQ(about.VersionLabel->text(), QStringLiteral("Version 1.0 (Test)"));
  EXPECT_EQ(about.ProductName->text(), QStringLiteral("Meldewerk"));
  EXPECT_EQ(about.size(), QSize(275, 273));

  Q_EMIT about.URLLabel->linkActivated(QStringLiteral("#"));
  about.UpdateButton->click();
  Q_EMIT about.EmailLabel->linkActivated(QStringLiteral("#"));
  ASSERT_EQ(a.opener.opened.size(), 3u);
  EXPECT_EQ(a.opener.opened[0], a.context.facts.productPage);
  EXPECT_EQ(a.opener.opened[1], a.context.facts.productPage);
  EXPECT_EQ(a.opener.opened[2], "mailto:" + a.context.facts.makerMail);

  a.opener.succeed = false;
  Q_EMIT about.EmailLabel->linkActivated(QStringLiteral("#"));
  EXPECT_EQ(a.dialogs.LastText(), "Unable to start mail client. Make sure you have it properly set-up on your system.");
  EXPECT_EQ(a.dialogs.shown.back().kind, mwtest::ShownMessage::Message);
}

TEST(TipForm, OnlySchliessenWithTheBoxTickedLeavesTheMarker) {
  Aux a;
  mw::TTipForm tip(a.context);
  EXPECT_EQ(tip.windowTitle(), QStringLiteral("Tipps"));
  tip.BitBtn1->click();
  EXPECT_FALSE(a.dir.Exists("NoTip.ini"));
  tip.CheckBox1->setChecked(true);
  tip.reject();
  EXPECT_FALSE(a.dir.Exists("NoTip.ini"));
  tip.BitBtn1->click();
  EXPECT_TRUE(a.dir.Exists("NoTip.ini"));
  EXPECT_EQ(a.dir.Read("NoTip.ini"), "");
}

TEST(WerbungForm, AnyCloseWithTheBoxTickedLeavesTheMarker) {
  Aux a;
  mw::TWerbungForm werbung(a.context);
  EXPECT_TRUE(werbung.windowFlags() & Qt::WindowStaysOnTopHint);
  werbung.reject();
  EXPECT_FALSE(a.dir.Exists("NoWer.ini"));
  werbung.CheckBox1->setChecked(true);
  werbung.reject();  // the close box
  EXPECT_TRUE(a.dir.Exists("NoWer.ini"));
  auto* more = werbung.findChild<QPushButton*>(QStringLiteral("MoreButton1"));
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(more->text(), QStringLiteral("Mehr Infos..."));
  more->click();
  EXPECT_EQ(a.opener.opened.back(), a.context.facts.productPage);
}

TEST(WerbungForm, AMarkerThatCannotBeWrittenIsReported) {
  Aux a;
  a.context.folder = mw::ProgramFolder(a.dir.Path() + "fehlt/");
  mw::TWerbungForm werbung(a.context);
  werbung.CheckBox1->setChecked(true);
  werbung.accept();
  ASSERT_FALSE(a.dialogs.shown.empty());
  EXPECT_EQ(a.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_FALSE(a.dir.Exists("fehlt/NoWer.ini"));
}
