#include "support/CliRun.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace mwtest {

CliRun RunCli(const TempProgramFolder& folder, const std::string& builtProgram, const std::vector<std::string>& args) {
  const QString program = QString::fromStdString(folder.Path()) + QStringLiteral("meldewerk-cli");
  if (!QFile::exists(program)) QFile::copy(QString::fromStdString(builtProgram), program);
  QStringList list;
  for (const auto& a : args) list << QString::fromStdString(a);
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), QString::fromStdString(folder.Path()));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(folder.Path()));
  p.setProcessEnvironment(env);
  p.start(program, list);
  CliRun run;
  if (!p.waitForFinished(60000)) return run;
  run.exitCode = p.exitCode();
  run.out = p.readAllStandardOutput().toStdString();
  run.err = p.readAllStandardError().toStdString();
  return run;
}

}  // namespace mwtest
