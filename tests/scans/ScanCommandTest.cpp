// meldewerk-cli discover, broken and meta run as the program itself, from a copy in a
// temporary program folder, against a site on 127.0.0.1.
#include <gtest/gtest.h>

#include "common/SafeFileName.h"
#include "support/CliRun.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace {

struct ScanCommand : ::testing::Test {
  mwtest::TempProgramFolder dir;
  mwtest::TestHttpServer server;

  mwtest::CliRun Run(const std::vector<std::string>& args) { return mwtest::RunCli(dir, MELDEWERK_CLI, args); }
};

}  // namespace

TEST_F(ScanCommand, ADeadStartAddressIsAnError) {
  server.Set("/gone.html", {404, "text/html", "<p>weg</p>", 0, {}});
  const struct {
    const char* command;
    std::string url;
    int exitCode;
  } cases[] = {{"broken", server.Url("/gone.html"), 1},
               {"discover", server.Url("/gone.html"), 2},
               {"meta", "http://127.0.0.1:1/", 2}};
  for (const auto& c : cases) {
    const mwtest::CliRun run = Run({c.command, c.url});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
    EXPECT_NE(run.out.find("Fehler: Die Startadresse " + c.url + " konnte nicht geladen werden.\n"), std::string::npos)
        << c.command << ": " << run.out;
    EXPECT_EQ(run.out.find("Fertig"), std::string::npos) << c.command;
  }
  EXPECT_FALSE(dir.Exists("keywords_" + mw::SafeFileName("http://127.0.0.1:1/") + ".txt"));
}

TEST_F(ScanCommand, MetaShowsEachPageInItsOwnCharsetAndKeepsOneKeyword) {
  const std::string utf8 =
      "B\xc3\xa4"
      "ckerei";
  server.Set("/", {200,
                   "text/html; charset=utf-8",
                   "<html><head><title>" + utf8 + "</title><meta name=\"keywords\" content=\"" + utf8 +
                       ", Brot\"></head><body><a href=\"alt.html\">alt</a></body></html>",
                   0,
                   {}});
  server.Set("/alt.html", {200,
                           "text/html",
                           "<html><head><meta name=\"keywords\" content=\"B\xe4"
                           "ckerei, K\xe4"
                           "se\"></head></html>",
                           0,
                           {}});
  const mwtest::CliRun run = Run({"meta", server.Url("/")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("Title: " + utf8 + "\n"), std::string::npos) << run.out;  // UTF-8 on the terminal
  EXPECT_NE(run.out.find("Keywords: B\xc3\xa4"
                         "ckerei, K\xc3\xa4"
                         "se\n"),
            std::string::npos)
      << run.out;
  // The keyword file is Windows-1252 like every text file of the program, one line per keyword.
  // (Its order is the user's locale's.)
  const std::string file = dir.Read("keywords_" + mw::SafeFileName(server.Url("/")) + ".txt");
  std::vector<std::string> lines;
  for (std::size_t s = 0, e; (e = file.find("\r\n", s)) != std::string::npos; s = e + 2)
    lines.push_back(file.substr(s, e - s));
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"Brot",
                                             "B\xe4"
                                             "ckerei",
                                             "K\xe4"
                                             "se"}))
      << file;
}
