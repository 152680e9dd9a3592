// meldewerk-cli: the program's work without a window, for scripts and large sites.
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"

namespace {

int Usage(FILE* out) {
  std::fprintf(out, "Usage: meldewerk-cli COMMAND [options]\n\nCommands:\n");
  for (const auto& c : mw::cli::AllCommands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
  std::fprintf(out,
               "\nRun 'meldewerk-cli COMMAND --help' for the options of a command, 'meldewerk-cli --version'\n"
               "for the version.\n");
  mw::cli::PrintProgramFolder(out);
  return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return Usage(stderr);
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return Usage(stdout);
  if (!std::strcmp(argv[1], "--version")) return mw::cli::PrintVersion();
  for (const auto& c : mw::cli::AllCommands()) {
    if (std::strcmp(argv[1], c.name)) continue;
    const mw::cli::Args args(argv + 2, argv + argc);
    const bool help = std::ranges::any_of(args, [](const std::string& a) { return a == "--help" || a == "-h"; });
    const int code = c.run(args);
    // Every command's help ends with the folder it works in.
    if (help) mw::cli::PrintProgramFolder(code == 0 ? stdout : stderr);
    return code;
  }
  std::fprintf(stderr, "meldewerk-cli: unknown command '%s'\n\n", argv[1]);
  return Usage(stderr);
}
