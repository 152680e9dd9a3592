// meldewerk-cli submit and indexnow-key from a script: a copy of the program in a temporary
// program folder, local engines, exit codes and the lines printed.
#include <gtest/gtest.h>

#include "common/IniFile.h"
#include "store/PageList.h"
#include "support/CliRun.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace {

struct Cli {
  mwtest::TempProgramFolder dir;
  mwtest::TestHttpServer server;
  Cli() {
    server.SetPage("/product", "<html>Meldewerk</html>");
    server.Set("/alpha", {202, "text/plain", "", 0, {}});
    server.Set("/beta", {403, "text/plain", "nein", 0, {}});
    dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + server.Url("/product") + "\r\n");
    dir.Write("Projects/templates/Alpha_DE.ini",
              "[SETTINGS]\r\nBasicURL=" + server.Url("/alpha") + "?url=KLXURL&key=KLXKEY\r\nPercentEncode=true\r\n");
    dir.Write("Projects/templates/Beta_DE.ini", "[SETTINGS]\r\nBasicURL=" + server.Url("/beta") + "?url=KLXURL\r\n");
    dir.Write("Projects/Project_0001/Project.ini",
              "[SETTINGS]\r\nTitel=Skript\r\nName=Erika\r\nEmail=e@x.de\r\nURL=" + server.Url("/") + "\r\n");
    mw::PageList::Write(dir.Path() + "Projects/Project_0001/Alpha_DE.ser",
                        {{"01.02.03", "http://s.de/a", false}, {"01.02.03", "http://s.de/b", false}});
  }
  int Run(const std::vector<std::string>& args, std::string* out = nullptr) {
    const mwtest::CliRun run = mwtest::RunCli(dir, MELDEWERK_CLI, args);
    EXPECT_NE(run.exitCode, -1);
    if (out) *out = run.out;
    return run.exitCode;
  }
};

}  // namespace

TEST(SubmitCommand, MarksFromTheCommandLineAndExitCodesTellTheOutcome) {
  Cli cli;
  const std::string project = "Project_0001";
  EXPECT_EQ(cli.Run({"submit", project, "--engines", "Alpha_DE"}), 1);  // nothing marked
  EXPECT_EQ(cli.Run({"submit", project, "--mark", "sometimes"}), 2);
  EXPECT_EQ(cli.server.CountFor("/alpha"), 0u);

  std::string out;
  EXPECT_EQ(cli.Run({"submit", project, "--engines", "Alpha_DE", "--mark", "all"}, &out), 0);
  EXPECT_NE(out.find("Alpha_DE ---> http://s.de/b ---> Seite angemeldet!\n"), std::string::npos) << out;
  EXPECT_EQ(cli.server.CountFor("/alpha"), 2u);
  const std::string key =
      mw::ReadIniString(cli.dir.Path() + "Projects/Project_0001/Project.ini", "SETTINGS", "IndexNowKey");
  EXPECT_EQ(cli.server.Requests().back().target, "/alpha?url=http%3A%2F%2Fs.de%2Fb&key=" + key);

  // Beta rejects: exit 3, and the pages stay marked for "--mark failed".
  EXPECT_EQ(cli.Run({"submit", project, "--all", "--mark", "all"}, &out), 3);
  EXPECT_NE(out.find("Beta_DE ---> http://s.de/a ---> Seite abgelehnt (HTTP 403)!\n"), std::string::npos) << out;
  EXPECT_EQ(cli.Run({"submit", project, "--engines", "Beta_DE", "--mark", "failed"}), 3);
  EXPECT_EQ(cli.server.CountFor("/beta"), 4u);
  EXPECT_EQ(cli.Run({"submit", project, "--engines", "Alpha_DE", "--mark", "new"}), 1);  // Alpha has them all

  // The key file: written, then checked on the site.
  EXPECT_EQ(cli.Run({"indexnow-key", project, "--write", cli.dir.Path(), "--check"}, &out), 1);
  EXPECT_EQ(out.substr(0, 33), key + "\n");
  EXPECT_EQ(cli.dir.Read(key + ".txt"), key);
  cli.server.Set("/" + key + ".txt", {200, "text/plain", key, 0, {}});
  EXPECT_EQ(cli.Run({"indexnow-key", project, "--check"}), 0);
}
