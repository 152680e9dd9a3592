#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/BrowserControl.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "shell/ProgramWindows.h"
#include "store/AppContext.h"

int main(int argc, char* argv[]) {
  mw::PrepareBrowserEngine();
  QApplication app(argc, argv);
  // Only the name: a display name set explicitly is appended to every window caption by the
  // desktop ("Meldewerk : Titel — Meldewerk"); message boxes take the name as their title.
  QApplication::setApplicationName(QStringLiteral("Meldewerk"));
  // The installed desktop entry and icon, so the desktop's menu, task bar and window agree.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Meldewerk"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.Meldewerk")));

  // German captions on Qt's standard buttons, whatever the desktop's language.
  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslations);

  mw::AppContext context;
  // An installed program works in the user's data folder, which receives the shipped data here.
  std::string seedError;
  context.folder =
      mw::ProgramFolder::Choose(QApplication::applicationDirPath().toStdString(), mw::UserDataHome(), &seedError);
  context.facts = mw::ProductFacts::Load(context.folder);
  mw::QtDialogs dialogs;
  context.dialogs = &dialogs;
  mw::DesktopUrlOpener opener;
  context.opener = &opener;

  mw::ProgramWindows windows(context);
  dialogs.SetParent(windows.main.get());
  windows.main->showMaximized();
  if (!seedError.empty()) dialogs.Error(QString::fromUtf8(seedError));
  return QApplication::exec();
}
