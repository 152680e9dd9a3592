#include "store/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/Files.h"
#include "common/Text.h"
#include "store/ShippedData.h"

namespace mw {

ProgramFolder::ProgramFolder(const std::string& folder) : path_(IncludeTrailingSlash(folder)) {}

std::string ProgramFolder::TemplatesFolder() const {
  const std::string projects = ProjectsFolder();
  return projects + FindEntryIgnoringCase(projects, "templates") + "/";
}

bool ProgramFolder::CreateWorkFolders() const {
  bool ok = true;
  for (const auto& folder : {TempFolder(), ReportsFolder()})
    if (!FolderExists(folder)) ok = CreateFolder(folder) && ok;
  return ok;
}

ProgramFolder::Location ProgramFolder::Locate(const std::string& programDir, const std::string& dataHome) {
  namespace fs = std::filesystem;
  const std::string userFolder = IncludeTrailingSlash(dataHome) + "Meldewerk/";
  const fs::path installed = (fs::path(programDir) / ".." / "share" / "meldewerk").lexically_normal();
  std::error_code ec;
  if (fs::path(programDir).is_absolute() && fs::is_directory(installed, ec))
    return {userFolder, IncludeTrailingSlash(installed.string())};

  const std::string beside = IncludeTrailingSlash(programDir);
  if (::access(beside.c_str(), W_OK) == 0) return {beside, beside};
  return {userFolder, beside};
}

ProgramFolder ProgramFolder::Choose(const std::string& programDir, const std::string& dataHome,
                                    std::string* seedError) {
  const Location location = Locate(programDir, dataHome);
  if (location.Seeded()) {
    const ShippedData::Outcome outcome = ShippedData::Seed(location.shipped, location.work);
    if (seedError) *seedError = outcome.error;
  } else if (seedError) {
    seedError->clear();
  }
  return ProgramFolder(location.work);
}

std::string UserDataHome() {
  // A relative $XDG_DATA_HOME is invalid by the XDG rules; it would also tie the folder to the
  // current directory.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share";
}

}  // namespace mw
