// meldewerk-click: the click tool's run from a terminal, without the options window and the file
// dialog, in the same browser windows as the program (it needs a display like the program).
// "meldewerk-cli click" hands over to it, so the other commands never load the browser engine.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"
#include "platform/BrowserControl.h"
#include "platform/FetchURL.h"
#include "store/ProductFacts.h"
#include "store/ProgramFolder.h"
#include "tools/BrowserRuns.h"
#include "tools/ClickSchedule.h"
#include "tools/ClickTiming.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli click FILE [--seconds S] [--max N] [--vary]\n\n"
    "Opens the addresses of FILE (one per line, blank lines skipped) one after another in a\n"
    "browser window, as the program's click tool does: each page is loaded, left on screen for\n"
    "S seconds and closed; the list starts again from the top until N - 1 clicks are made or\n"
    "\"Abbrechen\" is pressed in a window. Needs a display (X11 or Wayland).\n\n"
    "  --seconds S  seconds per click, at least 1 (default 2)\n"
    "  --max N      stop when the click counter reaches N (default 1000)\n"
    "  --vary       wait between S and 2 * S seconds, at random\n\n"
    "Exit codes: 0 run ended, 2 bad usage, an unreadable file, no connection or no display.\n";

int Fail(const std::string& utf8) {
  std::fprintf(stderr, "meldewerk-cli click: %s\n", utf8.c_str());
  return 2;
}

bool HasDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int Click(const Args& args) {
  std::string file, secondsText = "2", maximumText = "1000";
  bool vary = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--seconds" && i + 1 < args.size()) {
      secondsText = args[++i];
    } else if (a == "--max" && i + 1 < args.size()) {
      maximumText = args[++i];
    } else if (a == "--vary") {
      vary = true;
    } else if (!a.starts_with("--") && file.empty()) {
      file = a;
    } else {
      std::fputs(kHelp, stderr);
      return 2;
    }
  }
  if (file.empty()) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  ClickRunSettings settings;
  settings.vary = vary;
  int maximum = 0;
  std::string error;
  if (!ClickTiming::ReadOptions(secondsText, maximumText, settings.seconds, maximum, error)) return Fail(error);
  std::vector<std::string> lines;
  if (!ReadLineFile(file, lines, &error)) return Fail(error);
  if (!HasDisplay()) return Fail("keine Anzeige gefunden (DISPLAY ist nicht gesetzt); das Klicktool braucht eine.");

  PrepareBrowserEngine();
  int argc = 1;
  char name[] = "meldewerk-cli";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  const ProgramFolder folder = CommandProgramFolder();
  const ProductFacts facts = ProductFacts::Load(folder);
  try {
    // Without a route to the product page, the first address of the file stands in for it.
    std::string firstAddress;
    for (const std::string& line : lines)
      if (firstAddress.empty()) firstAddress = Trim(line);
    if (!CheckConnection(
            facts.productPage, [](const std::string& url) { return FetchURL(url, kMainFetchTimeoutMs); }, firstAddress))
      return Fail(kNoConnectionText);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }

  ClickSchedule schedule(lines, maximum);
  settings.onClickStart = [](const std::string& address, const std::string& counter) {
    std::printf("%s\n", Cp1252ToUtf8("Klick erzeugen: " + address + "  (" + counter + ")").c_str());
    std::fflush(stdout);
  };
  bool cancel = false;
  RunClicks(schedule, settings, cancel, nullptr);
  std::printf("Klicks wurden erzeugt!\n");
  return 0;
}

}  // namespace
}  // namespace mw::cli

int main(int argc, char* argv[]) {
  const mw::cli::Args args(argv + 1, argv + argc);
  const int code = mw::cli::Click(args);
  if (std::ranges::any_of(args, [](const std::string& a) { return a == "--help" || a == "-h"; })) {
    const QCoreApplication app(argc, argv);  // the program folder is found from the executable's
    mw::cli::PrintProgramFolder(code == 0 ? stdout : stderr);
  }
  return code;
}
