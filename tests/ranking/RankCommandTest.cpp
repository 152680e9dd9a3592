// meldewerk-cli rank run as the program itself, from a copy in the temporary program folder,
// against the local ranking engines: its lines, the report it names last and its exit codes.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "RankingEngines.h"

namespace {

struct CliRun {
  int exitCode = -1;
  std::string out;
};

CliRun Rank(const mwtest::RankingEngines& e, QStringList args) {
  const QString program = QString::fromStdString(e.dir.Path()) + QStringLiteral("meldewerk-cli");
  if (!QFile::exists(program)) QFile::copy(QStringLiteral(MELDEWERK_CLI), program);
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), QString::fromStdString(e.dir.Path()));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(e.dir.Path()));
  p.setProcessEnvironment(env);
  args.prepend(QStringLiteral("rank"));
  p.start(program, args);
  CliRun run;
  if (!p.waitForFinished(60000)) return run;
  run.exitCode = p.exitCode();
  run.out = p.readAllStandardOutput().toStdString();
  return run;
}

}  // namespace

TEST(RankCommand, LinesReportHistoryAndExitCodes) {
  mwtest::RankingEngines e;
  e.dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + e.server.Url("/product") + "\r\n");
  e.dir.Write("Projects/Project_0001/Project.ini",
              "[SETTINGS]\r\nTitel=B\xe4\x63kerei\r\nURL=http://www.Meine-Seite.de/\r\n");
  const std::string report = e.dir.Path() + "reports/Ranking_baeckerei.html";

  // Found by the first engine on page 3; the site comes from the project's address.
  CliRun run = Rank(e, {QStringLiteral("B\u00e4ckerei"), QStringLiteral("--keyword"), QStringLiteral("gute seite"),
                        QStringLiteral("--engines"), QStringLiteral("Found_DE,Never_COM"), QStringLiteral("--pages"),
                        QStringLiteral("3")});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out,
            "Durchsuche Page: 1 / Found_DE\nDurchsuche Page: 2 / Found_DE\nDurchsuche Page: 3 / Found_DE\n"
            "Position: Found_DE / Page 3\nDurchsuche Page: 1 / Never_COM\nDurchsuche Page: 2 / Never_COM\n"
            "Durchsuche Page: 3 / Never_COM\nPosition: Never_COM / nicht gefunden\nBericht: " +
                report + "\n");
  EXPECT_TRUE(e.dir.Exists("reports/Ranking_baeckerei.html"));

  // Found by none: 1, and an engine that could not be searched says so.
  run =
      Rank(e, {QStringLiteral("Project_0001"), QStringLiteral("--keyword"), QStringLiteral("x"),
               QStringLiteral("--engines"), QStringLiteral("Down_DE"), QStringLiteral("--pages"), QStringLiteral("1")});
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("Position: Down_DE / nicht gefunden (1 von 1 Seiten nicht abrufbar)\n"), std::string::npos);

  // The history of both runs as a chart page.
  run = Rank(e, {QStringLiteral("Project_0001"), QStringLiteral("--history")});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "Verlauf: " + e.dir.Path() + "reports/RankingVerlauf_baeckerei.html\n");
  EXPECT_NE(e.dir.Read("reports/RankingVerlauf_baeckerei.html").find("<svg"), std::string::npos);

  // Bad usage: no keyword, an unknown project, an unknown engine, a page limit that is no number.
  for (const QStringList& args :
       {QStringList{QStringLiteral("Project_0001")},
        QStringList{QStringLiteral("Nirgends"), QStringLiteral("--keyword"), QStringLiteral("x")},
        QStringList{QStringLiteral("Project_0001"), QStringLiteral("--keyword"), QStringLiteral("x"),
                    QStringLiteral("--engines"), QStringLiteral("Gibtsnicht")},
        QStringList{QStringLiteral("Project_0001"), QStringLiteral("--keyword"), QStringLiteral("x"),
                    QStringLiteral("--pages"), QStringLiteral("zwei")}}) {
    run = Rank(e, args);
    EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
  }
}
