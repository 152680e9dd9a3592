// Not a test: draws the main window at 1280 x 800 with a small project open and saves the
// start screen and every step tab as PNG pictures, to look at the layout. Run it on a display,
// for example: xvfb-run -a -s "-screen 0 1280x800x24" build/bin/meldewerk_screenshots /tmp/shots
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "common/Files.h"
#include "metatags/FMetaTagsResult.h"
#include "metatags/fMetaTag.h"
#include "platform/Dialogs.h"
#include "shell/ProgramWindows.h"

namespace {

class SilentDialogs final : public mw::Dialogs {
 public:
  void Information(const QString& t) override { std::fprintf(stderr, "info: %s\n", t.toUtf8().constData()); }
  void Error(const QString& t) override { std::fprintf(stderr, "error: %s\n", t.toUtf8().constData()); }
  void Message(const QString& t) override { std::fprintf(stderr, "message: %s\n", t.toUtf8().constData()); }
  bool YesNo(const QString&) override { return true; }
  QString OpenFile(const QString&, const QString&) override { return {}; }
  QString SaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/meldewerk-shots");
  QDir().mkpath(out);
  QTemporaryDir temp;
  const std::string root = temp.path().toStdString() + "/";
  QDir(QString::fromStdString(root)).mkpath(QStringLiteral("Projects/templates"));
  QDir(QString::fromStdString(root)).mkpath(QStringLiteral("recom"));
  for (const QString& f : QDir(QApplication::applicationDirPath() + QStringLiteral("/recom")).entryList(QDir::Files))
    QFile::copy(QApplication::applicationDirPath() + QStringLiteral("/recom/") + f,
                QString::fromStdString(root) + QStringLiteral("recom/") + f);
  for (const char* engine : {"Google_DE", "Abacho_DE", "Acoon_DE", "Fireball_DE", "Lycos_CH", "Suchfibel_AT",
                             "Yahoo_COM", "AltaVista_COM", "Web_DE_COM", "Webverzeichnis"})
    mw::WriteFileAtomic(root + "Projects/templates/" + engine + ".ini", "[SETTINGS]\r\nBasicURL=http://x/?KLXURL\r\n");
  mw::WriteFileAtomic(root + "NoTip.ini", "");
  mw::WriteFileAtomic(root + "ver.ini", "Version 1.0\r\n");
  for (const QString& f :
       QDir(QApplication::applicationDirPath()).entryList({QStringLiteral("page*.ini")}, QDir::Files))
    QFile::copy(QApplication::applicationDirPath() + QStringLiteral("/") + f, QString::fromStdString(root) + f);

  SilentDialogs dialogs;
  mw::AppContext context;
  context.folder = mw::ProgramFolder(root);
  context.facts = mw::ProductFacts::Load(context.folder);
  context.dialogs = &dialogs;
  mw::ProgramWindows windows(context);
  mw::TMainForm& main = *windows.main;
  mw::TAboutBox& about = *windows.about;
  mw::TTipForm& tip = *windows.tip;
  mw::TNewForm& newForm = *windows.newForm;
  mw::TOpenForm& openForm = *windows.openForm;
  mw::TWerbungForm& werbung = *windows.werbung;
  mw::TListeForm& liste = *windows.liste;
  main.setWindowState(Qt::WindowNoState);
  main.setGeometry(0, 0, 1280, 800);
  main.show();
  Settle();
  const auto shoot = [&](QWidget& w, const char* name) {
    Settle();
    w.grab().save(out + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png"));
  };
  shoot(main, "0-start");

  main.RunModal = [](QDialog& d) {
    auto& form = static_cast<mw::TNewForm&>(d);
    form.Edit1->setText(QStringLiteral("Beispiel GmbH"));
    form.BitBtn1->click();
    return form.result();
  };
  main.NewBitBtn->click();
  main.RunModal = [](QDialog&) { return int(QDialog::Rejected); };
  main.URLEdit->setText(QStringLiteral("http://www.beispiel.de/"));
  main.OnePageSubpagesRadioButton->click();
  main.ErgMemo->setPlainText(
      QStringLiteral("http://www.beispiel.de/\nhttp://www.beispiel.de/produkte.html\n"
                     "http://www.beispiel.de/kontakt.html\nhttp://www.beispiel.de/impressum.html"));
  main.Memo7->setPlainText(
      QStringLiteral("      Noch zu besuchen: 12\n         Besuchte URLs: 4\n"
                     "         Lade herunter: 2\n   Noch zu Analysieren: 0\n"
                     " Wiederholungsversuche: 0\n     Fehlerhafte Links: 1"));
  main.StatusLabel->setText(QStringLiteral("   Working..."));
  shoot(main, "1-step1");
  main.AddPagesToProject();
  main.NameEdit->setText(QStringLiteral("Erika Mustermann"));
  main.EmailEdit->setText(QStringLiteral("erika@beispiel.de"));
  main.PageControl1->setCurrentIndex(1);
  shoot(main, "2-step2");
  main.PageControl1->setCurrentIndex(3);
  shoot(main, "3-step3");
  main.PageControl1->setCurrentIndex(4);
  if (main.CheckListBox1->count() > 1) main.CheckListBox1->item(1)->setCheckState(Qt::Checked);
  shoot(main, "4-step4");

  // A run with made-up answers that take a little while, pictured in the middle and at the end.
  main.MarkAllBitBtn->click();
  int fetches = 0;
  main.FetchURL = [&](const std::string& url) {
    QThread::msleep(60);
    if (++fetches == 9) shoot(main, "4a-step4-running");
    return fetches == 6 ? "::ERROR:: " + url : std::string("<html>Danke</html>");
  };
  main.AlleAnmeldenBitBtn->click();
  shoot(main, "4b-step4-done");
  main.Anmeldebericht1->trigger();
  shoot(*windows.meldebericht, "12-meldebericht");
  windows.meldebericht->hide();
  main.Einstellungen1->trigger();
  shoot(main, "5-settings");
  about.show();
  shoot(about, "6-about");
  tip.show();
  shoot(tip, "7-tip");
  liste.show();
  shoot(liste, "8-liste");
  newForm.show();
  shoot(newForm, "9-new");
  openForm.FormActivate();
  openForm.show();
  shoot(openForm, "10-open");
  werbung.setWindowState(Qt::WindowNoState);
  werbung.setGeometry(0, 0, 1280, 773);
  werbung.show();
  shoot(werbung, "11-werbung");
  werbung.hide();

  // The ranking window after a run, with the shipped ranking templates.
  for (const QString& f : QDir(QApplication::applicationDirPath() + QStringLiteral("/Projects/templates"))
                              .entryList({QStringLiteral("*.ran")}, QDir::Files))
    QFile::copy(QApplication::applicationDirPath() + QStringLiteral("/Projects/templates/") + f,
                QString::fromStdString(root) + QStringLiteral("Projects/templates/") + f);
  mw::TRankingForm& ranking = *windows.ranking;
  ranking.SearchURLEdit->setText(QStringLiteral("www.beispiel.de"));
  ranking.FormActivate();
  ranking.KeywordEdit->setText(QStringLiteral("Bäckerei München"));
  ranking.Memo1->setPlainText(
      QStringLiteral("Durchsuche Page: 1 / Bing_DE\nDurchsuche Page: 2 / Bing_DE\nPosition: Bing_DE / Page 2\n"
                     "Durchsuche Page: 1 / Ecosia_DE\nDurchsuche Page: 2 / Ecosia_DE\nDurchsuche Page: 3 / Ecosia_DE\n"
                     "Position: Ecosia_DE / nicht gefunden (3 von 3 Seiten nicht abrufbar)"));
  ranking.show();
  shoot(ranking, "13-ranking");
  ranking.hide();

  // The meta-tag generator with its inputs, and the block it made.
  mw::TMetaTagForm& metaTag = *windows.metaTag;
  metaTag.FormShow();
  metaTag.show();
  shoot(metaTag, "14-metatags");
  metaTag.hide();
  mw::TReadyMetaTagsForm& ready = *windows.readyMetaTags;
  ready.Memo1->setPlainText(
      QStringLiteral("<title>Bäckerei Beispiel</title>\n<meta name=\"description\" "
                     "content=\"Brot und Brötchen aus München\">"));
  ready.show();
  shoot(ready, "15-metatags-result");
  ready.hide();
  main.MayClose = true;
  mw::WriteFileAtomic(root + "NoWer.ini", "");
  return 0;
}
