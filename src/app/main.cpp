#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "auxiliary/fAbout.h"
#include "auxiliary/fTip.h"
#include "auxiliary/fWerbung.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "shell/AppContext.h"
#include "shell/fMain.h"
#include "shell/fNew.h"
#include "shell/fOpen.h"
#include "shell/fOpenListe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Meldewerk"));
  QApplication::setApplicationDisplayName(QStringLiteral("Meldewerk"));

  // German captions on Qt's standard buttons, whatever the desktop's language.
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslations);

  mw::AppContext context;
  context.folder = mw::ProgramFolder::Choose(QApplication::applicationDirPath().toStdString(), mw::UserDataHome());
  context.facts = mw::ProductFacts::Load(context.folder);
  mw::QtDialogs dialogs;
  context.dialogs = &dialogs;
  mw::DesktopUrlOpener opener;
  context.opener = &opener;

  // Every window is created once, the main window first: the others read the program folder
  // and the product facts when they are made.
  mw::TMainForm mainForm(context);
  dialogs.SetParent(&mainForm);
  mw::TAboutBox aboutBox(context, &mainForm);
  mw::TTipForm tipForm(context, &mainForm);
  mw::TNewForm newForm(context, &mainForm);
  mw::TOpenForm openForm(context, &mainForm);
  mw::TWerbungForm werbungForm(context, &mainForm);
  mw::TListeForm listeForm(context, &mainForm);
  mainForm.SetWindows({&aboutBox, &tipForm, &newForm, &openForm, &werbungForm, &listeForm});

  mainForm.showMaximized();
  return QApplication::exec();
}
