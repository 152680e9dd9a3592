// meldewerk-cli rank run as the program itself, from a copy in the temporary program folder,
// against the local ranking engines: its lines, the report it names last and its exit codes.
#include <gtest/gtest.h>

#include "RankingEngines.h"
#include "support/CliRun.h"

namespace {

mwtest::CliRun Rank(const mwtest::RankingEngines& e, std::vector<std::string> args) {
  args.insert(args.begin(), "rank");
  return mwtest::RunCli(e.dir, MELDEWERK_CLI, args);
}

}  // namespace

TEST(RankCommand, LinesReportHistoryAndExitCodes) {
  mwtest::RankingEngines e;
  e.dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + e.server.Url("/product") + "\r\n");
  e.dir.Write("Projects/Project_0001/Project.ini",
              "[SETTINGS]\r\nTitel=B\xe4\x63kerei\r\nURL=http://www.Meine-Seite.de/\r\n");
  const std::string report = e.dir.Path() + "reports/Ranking_baeckerei.html";

  // Found by the first engine on page 3; the site comes from the project's address.
  mwtest::CliRun run = Rank(e, {"B\xc3\xa4"
                                "ckerei",
                                "--keyword", "gute seite", "--engines", "Found_DE,Never_COM", "--pages", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out,
            "Durchsuche Page: 1 / Found_DE\nDurchsuche Page: 2 / Found_DE\nDurchsuche Page: 3 / Found_DE\n"
            "Position: Found_DE / Page 3\nDurchsuche Page: 1 / Never_COM\nDurchsuche Page: 2 / Never_COM\n"
            "Durchsuche Page: 3 / Never_COM\nPosition: Never_COM / nicht gefunden\nBericht: " +
                report + "\n");
  EXPECT_TRUE(e.dir.Exists("reports/Ranking_baeckerei.html"));

  // Found by none: 1, and an engine that could not be searched says so.
  run = Rank(e, {"Project_0001", "--keyword", "x", "--engines", "Down_DE", "--pages", "1"});
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("Position: Down_DE / nicht gefunden (1 von 1 Seiten nicht abrufbar)\n"), std::string::npos);

  // The history of both runs as a chart page.
  run = Rank(e, {"Project_0001", "--history"});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "Verlauf: " + e.dir.Path() + "reports/RankingVerlauf_baeckerei.html\n");
  EXPECT_NE(e.dir.Read("reports/RankingVerlauf_baeckerei.html").find("<svg"), std::string::npos);

  // Bad usage: no keyword, an unknown project, an unknown engine, a page limit that is no number.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"Project_0001"}, std::vector<std::string>{"Nirgends", "--keyword", "x"},
        std::vector<std::string>{"Project_0001", "--keyword", "x", "--engines", "Gibtsnicht"},
        std::vector<std::string>{"Project_0001", "--keyword", "x", "--pages", "zwei"}}) {
    run = Rank(e, args);
    EXPECT_EQ(run.exitCode, 2) << args[0] + " " + args.back();
  }
}
