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
  Windows() {
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

TEST(MetaTagForm, FileFaultsAreReportedAndTheProgramGoesOn) {
  Windows w;
  mw::DeleteFileIfExists(w.folder.dir.Path() + "pageaudience.ini");
  w.Build();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("pageaudience.ini"), std::string::npos);
  EXPECT_EQ(w.form->PageTopicComboBox->count(), 4);
  EXPECT_EQ(w.form->PageTypeComboBox->currentText(), QStringLiteral("keine Angaben"));
  for (QComboBox* box :
       {w.form->AudienceComboBox, w.form->RevisitComboBox, w.form->LanguageComboBox, w.form->RobotsComboBox})
    EXPECT_EQ(box->count(), 0) << box->objectName().toStdString();

  // The program goes on: the empty boxes count as "keine Angaben".
  w.Fill(QStringLiteral("T"));
  w.form->BitBtn1->click();
  EXPECT_EQ(w.shown, std::vector<std::string>{"ReadyMetaTagsForm"});
  EXPECT_EQ(w.ResultLines().size(), 12);

  // "metatags.met" that cannot be written: the error, and nothing is generated.
  mw::DeleteFileIfExists(w.folder.dir.Path() + "metatags.met");
  w.folder.dir.MakeFolder("metatags.met");
  w.result->Memo1->clear();
  w.form->BitBtn1->click();
  EXPECT_EQ(w.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("metatags.met"), std::string::npos);
  EXPECT_EQ(w.shown.size(), 1u);
  EXPECT_TRUE(w.result->Memo1->toPlainText().isEmpty());
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
  auto lines = mwtest::SavedLines();
  lines[15] = "description=" + std::string(100000, 'd');
  w.folder.dir.Write("metatags.met", mw::JoinLinesCrLf(lines));
  ASSERT_TRUE(w.form->FormShow());
  EXPECT_EQ(w.form->DescriptionEdit->text().size(), 100000);
  const std::pair<QLineEdit*, const char*> texts[] = {{w.form->TitleEdit, "Gespeichert"},
                                                      {w.form->AuthorEdit, "Autorin"},
                                                      {w.form->CopyrightEdit, "Ich, 2005"},
                                                      {w.form->PublisherEdit, "Verlag"},
                                                      {w.form->KeywordsEdit, "a, b"}};
  for (const auto& [edit, text] : texts) EXPECT_EQ(edit->text().toStdString(), text);
  const std::pair<QComboBox*, int> choices[] = {{w.form->PageTopicComboBox, 2}, {w.form->PageTypeComboBox, 1},
                                                {w.form->AudienceComboBox, 0},  {w.form->RevisitComboBox, 1},
                                                {w.form->LanguageComboBox, 2},  {w.form->RobotsComboBox, -1}};
  for (const auto& [box, index] : choices) EXPECT_EQ(box->currentIndex(), index);  // robots' 5 lies beyond its list
  EXPECT_TRUE(w.form->DateCheckBox->isChecked() && !w.form->DateDateTimePicker->isHidden());
  EXPECT_TRUE(w.form->ExpiresCheckBox->isChecked() && !w.form->ExpiresDateTimePicker->isHidden());
  EXPECT_EQ(w.form->DateDateTimePicker->date(), QDate(2005, 3, 22));
  EXPECT_EQ(w.form->ExpiresDateTimePicker->date(), QDate(2006, 4, 1));
  EXPECT_TRUE(w.form->DublinCoreCheckBox->isChecked());

  // A damaged file: the error, and the window is not to be shown; the inputs stay.
  lines[10] = "type=zwei";
  w.folder.dir.Write("metatags.met", mw::JoinLinesCrLf(lines));
  w.form->TitleEdit->setText(QStringLiteral("offen"));
  EXPECT_FALSE(w.form->FormShow());
  EXPECT_EQ(w.dialogs.shown.back().kind, mwtest::ShownMessage::Error);
  EXPECT_NE(w.dialogs.LastText().find("Zeile 11: 'zwei' ist kein gültiger Integerwert"), std::string::npos);
  EXPECT_EQ(w.form->TitleEdit->text(), QStringLiteral("offen"));
}
