#include "cli/ProgramInfo.h"

#include <QCoreApplication>
#include <string>
#include <vector>

#include "common/Cp1252.h"
#include "common/Files.h"
#include "store/ProgramFolder.h"

namespace mw::cli {
namespace {

std::string ProgramDir() {
  return QCoreApplication::applicationDirPath().toStdString();
}

}  // namespace

ProgramFolder CommandProgramFolder() {
  std::string seedError;
  ProgramFolder folder = ProgramFolder::Choose(ProgramDir(), UserDataHome(), &seedError);
  if (!seedError.empty()) std::fprintf(stderr, "meldewerk-cli: %s\n", seedError.c_str());
  return folder;
}

int PrintVersion() {
  const ProgramFolder folder = CommandProgramFolder();
  std::vector<std::string> lines;
  if (!ReadLineFile(folder.File("ver.ini"), lines) || lines.empty()) {
    std::fprintf(stderr, "meldewerk-cli: no version text in %sver.ini\n", folder.Path().c_str());
    return 1;
  }
  std::printf("%s\n", Cp1252ToUtf8(lines.front()).c_str());
  return 0;
}

void PrintProgramFolder(FILE* out) {
  const ProgramFolder::Location where = ProgramFolder::Locate(ProgramDir(), UserDataHome());
  std::fprintf(out, "\nProgram folder: %s", where.work.c_str());
  if (where.Seeded()) std::fprintf(out, " (shipped data from %s)", where.shipped.c_str());
  std::fprintf(out, "\n");
}

}  // namespace mw::cli
