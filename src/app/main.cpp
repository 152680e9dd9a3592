#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "shell/ProgramWindows.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Only the name: a display name set explicitly is appended to every window caption by the
  // desktop ("Meldewerk : Titel — Meldewerk"); message boxes take the name as their title.
  QApplication::setApplicationName(QStringLiteral("Meldewerk"));

  // German captions on Qt's standard buttons, whatever the desktop's language.
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslations);

  mw::AppContext context;
  context.folder = mw::ProgramFolder::Choose(QApplication::applicationDirPath().toStdString(), mw::UserDataHome());
  context.facts = mw::ProductFacts::Load(context.folder);
  mw::QtDialogs dialogs;
  context.dialogs = &dialogs;
  mw::DesktopUrlOpener opener;
  context.opener = &opener;

  mw::ProgramWindows windows(context);
  dialogs.SetParent(windows.main.get());
  windows.main->showMaximized();
  return QApplication::exec();
}
