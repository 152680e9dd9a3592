// The generator and result windows on the offscreen platform: lists at creation, the
// inputs restored from "metatags.met", a press of "Metatags erzeugen" and the clipboard.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "MetaTagFixture.h"
#include "common/Files.h"
#include "metatags/FMetaTagsResult.h"
#include "metatags/fMetaTag.h"
#include "store/AppContext.h"
#include "support/ScriptedDialogs.h"

namespace {

struct Windows {
  explicit Windows(bool lists = true) {
    if (lists) folder.WriteLists();
    context.folder = folder.dir.Folder();
    context.dialogs = &dialogs;
  }
  void Build() {
    form = std::make_unique<mw::TMetaTagForm>(context);
    result = std::make_unique<mw::TReadyMetaTagsForm>(context);
    form->SetResultWindow(result.get());
    form->RunModal = [this](QDialog& d) {
      shown.push_back(d.objectName().toStdString());
      return int(QDialog::Accepted);
    };
  }
  void Fill(const QString& title) const {
    form->TitleEdit->setText(title);
    form->AuthorEdit->setText(QStringLiteral("Autorin"));
    form->CopyrightEdit->setText(QStringLiteral("Ich, 2005"));
    form->PublisherEdit->setText(QStringLiteral("Verlag"));
    form->DescriptionEdit->setText(QStringLiteral("Eine Seite"));
    form->KeywordsEdit->setText(QStringLiteral("a, b"));
  }
  QStringList ResultLines() const { return result->Memo1->toPlainText().split(QLatin1Char('\n')); }

  mwtest::MetaTagFolder folder;
  mwtest::ScriptedDialogs dialogs;
  mw::AppContext context;
  std::unique_ptr<mw::TMetaTagForm> form;
  std::unique_ptr<mw::TReadyMetaTagsForm> result;
  std::vector<std::string> shown;
};

QString Clipboard() {
  return QGuiApplication::clipboard()->text();
}

}  // namespace

TEST(MetaTagForm, AMissingListIsReportedAndLeavesItsBoxAndTheLaterOnesEmpty) {
  Windows w;
  mw::DeleteFileIfExists(w.folder.dir.Path() + "pageaudience.ini");
  w.Build();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("pageaudience.ini"), std::string::npos);
  EXPECT_EQ(w.form->PageTopicComboBox->count(), 4);
  EXPECT_EQ(w.form->PageTopicComboBox->itemText(0), QStringLiteral("keine Angaben"));
  EXPECT_EQ(w.form->PageTypeComboBox->currentText(), QStringLiteral("keine Angaben"));
  for (QComboBox* box :
       {w.form->AudienceComboBox, w.form->RevisitComboBox, w.form->LanguageComboBox, w.form->RobotsComboBox})
    EXPECT_EQ(box->count(), 0) << box->objectName().toStdString();

  // The program goes on: the empty boxes count as "keine Angaben".
  w.Fill(QStringLiteral("T"));
  w.form->BitBtn1->click();
  EXPECT_EQ(w.shown, std::vector<std::string>{"ReadyMetaTagsForm"});
  EXPECT_EQ(w.ResultLines().size(), 12);
}

TEST(MetaTagForm, ABlankTitleIsRefusedAfterSavingThenTheBlockReachesTheClipboard) {
  Windows w;
  w.Build();
  EXPECT_TRUE(w.dialogs.shown.empty());
  EXPECT_EQ(w.form->size(), QSize(668, 576));
  EXPECT_TRUE(w.form->DateDateTimePicker->isHidden());
  EXPECT_EQ(w.form->ExpiresDateTimePicker->date(), QDate(2005, 3, 22));
  w.Fill(QStringLiteral("   "));
  w.form->PageTopicComboBox->setCurrentIndex(2);
  w.form->BitBtn1->click();
  EXPECT_EQ(w.dialogs.Texts(), std::vector<std::string>{"Bitte geben Sie einen Titel ein!"});
  EXPECT_TRUE(w.shown.empty());
  const auto saved = mw::SplitLines(w.folder.dir.Read("metatags.met"));
  ASSERT_EQ(saved.size(), 18u);
  EXPECT_EQ(saved[1], "title=   ");
  EXPECT_EQ(saved[3], "topic=2");

  w.form->TitleEdit->setText(QStringLiteral("Übersicht"));
  w.form->DateCheckBox->click();
  EXPECT_FALSE(w.form->DateDateTimePicker->isHidden());
  w.form->DateDateTimePicker->setDate(QDate(2007, 11, 5));
  w.form->DublinCoreCheckBox->setChecked(true);
  w.form->BitBtn1->click();
  EXPECT_EQ(w.shown, std::vector<std::string>{"ReadyMetaTagsForm"});
  const QStringList lines = w.ResultLines();
  EXPECT_EQ(lines[1], QStringLiteral("<title>Übersicht</title>"));
  EXPECT_EQ(lines.filter(QStringLiteral("content=\"2007-11-05\"")).size(), 2);
  EXPECT_TRUE(lines.contains(QStringLiteral("<meta name=\"DC.Subject\" content=\"Reisen\">")));
  EXPECT_EQ(Clipboard(), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

  // An edit in the result window is what the next activation copies.
  w.result->Memo1->appendPlainText(QStringLiteral("<!-- von Hand -->"));
  w.result->show();
  w.result->activateWindow();
  QEventLoop loop;
  QTimer poll, bound;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (Clipboard().endsWith(QStringLiteral("</head>\r\n<!-- von Hand -->\r\n"))) loop.quit();
  });
  QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(10);
  bound.start(10000);
  loop.exec();
  EXPECT_TRUE(Clipboard().endsWith(QStringLiteral("</head>\r\n<!-- von Hand -->\r\n"))) << Clipboard().toStdString();
  w.result->BitBtn1->click();
  EXPECT_FALSE(w.result->isVisible());
}

TEST(MetaTagForm, EveryShowingRestoresTheSavedInputs) {
  Windows w;
  w.Build();
  w.folder.dir.Write("metatags.met", mw::JoinLinesCrLf(mwtest::SavedLines()));
  ASSERT_TRUE(w.form->FormShow());
  EXPECT_EQ(w.form->TitleEdit->text(), QStringLiteral("Gespeichert"));
  EXPECT_EQ(w.form->AuthorEdit->text(), QStringLiteral("Autorin"));
  EXPECT_EQ(w.form->CopyrightEdit->text(), QStringLiteral("Ich, 2005"));
  EXPECT_EQ(w.form->PublisherEdit->text(), QStringLiteral("Verlag"));
  EXPECT_EQ(w.form->DescriptionEdit->text(), QStringLiteral("Eine Seite"));
  EXPECT_EQ(w.form->KeywordsEdit->text(), QStringLiteral("a, b"));
  EXPECT_EQ(w.form->PageTopicComboBox->currentIndex(), 2);
  EXPECT_EQ(w.form->PageTypeComboBox->currentIndex(), 1);
  EXPECT_EQ(w.form->AudienceComboBox->currentIndex(), 0);
  EXPECT_EQ(w.form->RevisitComboBox->currentIndex(), 1);
  EXPECT_EQ(w.form->LanguageComboBox->currentIndex(), 2);
  EXPECT_EQ(w.form->RobotsComboBox->currentIndex(), -1);  // 5 lies beyond the list
  EXPECT_TRUE(w.form->DateCheckBox->isChecked() && !w.form->DateDateTimePicker->isHidden());
  EXPECT_TRUE(w.form->ExpiresCheckBox->isChecked() && !w.form->ExpiresDateTimePicker->isHidden());
  EXPECT_EQ(w.form->DateDateTimePicker->date(), QDate(2005, 3, 22));
  EXPECT_EQ(w.form->ExpiresDateTimePicker->date(), QDate(2006, 4, 1));
  EXPECT_TRUE(w.form->DublinCoreCheckBox->isChecked());

  // "Schließen" saves nothing: the next showing brings the file's inputs back.
  w.form->TitleEdit->setText(QStringLiteral("verworfen"));
  w.form->ExpiresCheckBox->click();
  w.form->BitBtn2->click();
  ASSERT_TRUE(w.form->FormShow());
  EXPECT_EQ(w.form->TitleEdit->text(), QStringLiteral("Gespeichert"));
  EXPECT_FALSE(w.form->ExpiresDateTimePicker->isHidden());

  // A damaged file: the error, and the window is not to be shown; the inputs stay.
  auto lines = mwtest::SavedLines();
  lines[10] = "type=zwei";
  w.folder.dir.Write("metatags.met", mw::JoinLinesCrLf(lines));
  w.form->TitleEdit->setText(QStringLiteral("offen"));
  EXPECT_FALSE(w.form->FormShow());
  EXPECT_EQ(w.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("Zeile 11: 'zwei' ist kein gültiger Integerwert"), std::string::npos);
  EXPECT_EQ(w.form->TitleEdit->text(), QStringLiteral("offen"));
}

TEST(MetaTagForm, AnInputsFileThatCannotBeWrittenStopsTheGeneration) {
  Windows w;
  w.Build();
  w.folder.dir.MakeFolder("metatags.met");
  w.Fill(QStringLiteral("T"));
  w.form->BitBtn1->click();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("metatags.met"), std::string::npos);
  EXPECT_TRUE(w.shown.empty());
  EXPECT_TRUE(w.result->Memo1->toPlainText().isEmpty());
}
