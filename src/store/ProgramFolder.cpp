#include "store/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "common/Files.h"
#include "common/Text.h"

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

ProgramFolder ProgramFolder::Choose(const std::string& installFolder, const std::string& dataHome) {
  ProgramFolder install(installFolder);
  if (::access(install.Path().c_str(), W_OK) == 0) return install;

  ProgramFolder user(IncludeTrailingSlash(dataHome) + "Meldewerk/");
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::exists(user.Path() + "Projects", ec)) {
    fs::create_directories(user.Path(), ec);
    // Shipped data is copied once (not the programs beside it); what the user changed later is
    // never overwritten.
    for (const auto& entry : fs::directory_iterator(install.Path(), ec)) {
      const auto perms = entry.status(ec).permissions();
      if (entry.is_regular_file(ec) && (perms & fs::perms::owner_exec) != fs::perms::none) continue;
      fs::copy(entry.path(), user.Path() + entry.path().filename().string(),
               fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    }
  }
  return user;
}

std::string UserDataHome() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share";
}

}  // namespace mw
