#include "platform/DesktopServices.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include "common/Text.h"

namespace mw {
namespace {

constexpr int kXdgOpenWaitMs = 5000;

bool RunXdgOpen(const QString& file) {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (program.isEmpty()) return false;
  auto* process = new QProcess;
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start(program, {file});
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  if (process->waitForFinished(kXdgOpenWaitMs)) {
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
  }
  // The program showing the file runs on; the process object goes when it ends, and is never
  // destroyed while it runs, which would end the program.
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  return true;
}

}  // namespace

bool DesktopUrlOpener::Open(const QUrl& url) {
  if (url.isLocalFile()) return RunXdgOpen(url.toLocalFile());
  return QDesktopServices::openUrl(url);
}

bool OpenLocalFile(UrlOpener* opener, const std::string& path, std::string* error) {
  if (opener && opener->Open(QUrl::fromLocalFile(QString::fromLocal8Bit(path.c_str())))) return true;
  if (error)
    *error = FileOpenErrorMessage(path, "Es ist kein Programm eingerichtet, das sie anzeigen kann, "
                                        "oder es konnte nicht gestartet werden.");
  return false;
}

}  // namespace mw
