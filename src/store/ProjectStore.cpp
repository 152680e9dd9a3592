#include "store/ProjectStore.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "common/Files.h"
#include "common/IniFile.h"
#include "common/Text.h"
#include "platform/FileOperation.h"

namespace mw {
namespace {
constexpr const char* kSection = "SETTINGS";
constexpr const char* kProjectIni = "Project.ini";
constexpr const char* kIndexNowKey = "IndexNowKey";
}  // namespace

std::string NewIndexNowKey() {
  unsigned char bytes[16];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error(std::string("Zufallsquelle nicht lesbar: ") + std::strerror(errno));
    got += std::size_t(n);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string key;
  for (const unsigned char b : bytes) {
    key += kHex[b >> 4];
    key += kHex[b & 0x0F];
  }
  return key;
}

bool IsValidIndexNowKey(const std::string& key) {
  if (key.size() < 8 || key.size() > 128) return false;
  for (const unsigned char c : key)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-')) return false;
  return true;
}

bool ProjectStore::EnsureIndexNowKey(const std::string& folderName, std::string& key, IndexNowKeyState* state,
                                     std::string* error) const {
  IniFile ini(ProjectPath(folderName) + kProjectIni);
  // A settings file that cannot be read is never written back: it would lose the project's data.
  if (!ini.Load(error)) {
    key.clear();
    return false;
  }
  key = ini.ReadString(kSection, kIndexNowKey);
  if (IsValidIndexNowKey(key)) {
    if (state) *state = IndexNowKeyState::Kept;
    return true;
  }
  if (state) *state = key.empty() ? IndexNowKeyState::Made : IndexNowKeyState::Replaced;
  try {
    key = NewIndexNowKey();
  } catch (const std::exception& e) {
    key.clear();
    if (error) *error = e.what();
    return false;
  }
  ini.WriteString(kSection, kIndexNowKey, key);
  return ini.Save(error);
}

std::string ProjectStore::ProjectPath(const std::string& folderName) const {
  return folder_.ProjectsFolder() + folderName + "/";
}

std::string ProjectStore::PageListPath(const std::string& folderName, const std::string& engine) const {
  return ProjectPath(folderName) + engine + ".ser";
}

std::vector<ProjectListing> ProjectStore::ListProjects() const {
  std::vector<ProjectListing> projects;
  for (const auto& name : ListFolders(folder_.ProjectsFolder())) {
    if (Contains(name, ".") || Contains(UpperCase(name), "DEL")) continue;
    const std::string ini = ProjectPath(name) + kProjectIni;
    if (!FileExists(ini)) continue;
    projects.push_back({name, ReadIniString(ini, kSection, "Titel")});
  }
  return projects;
}

bool ProjectStore::ProjectExists() const { return !ListProjects().empty(); }

std::string ProjectStore::NextProjectFolderName() const {
  long long highest = 0;
  for (const auto& name : ListFolders(folder_.ProjectsFolder())) {
    if (Contains(name, ".") || !Contains(name, "_")) continue;
    int number = 0;
    if (TryStrToInt(ExtractWord(2, name, "_"), number) && number > highest) highest = number;
  }
  return "Project_" + PadLeft(std::to_string(highest + 1), 4, '0');
}

bool ProjectStore::ReadProjectSettings(const std::string& folderName, ProjectSettings& settings) const {
  const std::string path = ProjectPath(folderName) + kProjectIni;
  if (!FileExists(path)) return false;
  IniFile ini(path);
  ini.Load();
  settings.title = ini.ReadString(kSection, "Titel");
  settings.name = ini.ReadString(kSection, "Name");
  settings.email = ini.ReadString(kSection, "EMail");
  settings.url = ini.ReadString(kSection, "URL");
  return true;
}

bool ProjectStore::SaveProjectSettings(const std::string& folderName, const ProjectSettings& settings,
                                       std::string* error) const {
  if (folderName.empty()) return true;
  IniFile ini(ProjectPath(folderName) + kProjectIni);
  ini.Load();
  ini.WriteString(kSection, "Titel", settings.title);
  ini.WriteString(kSection, "Name", settings.name);
  ini.WriteString(kSection, "Email", settings.email);
  ini.WriteString(kSection, "URL", settings.url);
  return ini.Save(error);
}

bool ProjectStore::CreateProject(const std::string& folderName, const ProjectSettings& settings,
                                 std::string* error) const {
  const std::string path = ProjectPath(folderName);
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (!FolderExists(path)) {
    if (error) *error = FileOpenErrorMessage(path, ec ? ec.message() : "Ordner fehlt");
    return false;
  }
  if (!SaveProjectSettings(folderName, settings, error)) return false;
  std::string key;
  if (!EnsureIndexNowKey(folderName, key, nullptr, error)) return false;
  for (const auto& name : FilesWithExtension(folder_.TemplatesFolder(), ".ini")) {
    // X.ini gives X.ser: the name up to and including the dot of ".ini", then "ser".
    const std::string list = path + name.substr(0, name.size() - 3) + "ser";
    if (!FileExists(list) && !WriteFileAtomic(list, {}, error)) return false;
  }
  return true;
}

bool ProjectStore::DeleteProject(const std::string& folderName) const {
  // Only a folder right below the projects folder: an empty or blank name, "." or ".." or a
  // path would name the projects folder itself, with every project and the templates, or a
  // folder outside it.
  const std::string name = Trim(folderName);
  if (name.empty() || name == "." || name == ".." || Contains(folderName, "/")) return false;
  const std::string path = folder_.ProjectsFolder() + folderName;
  std::error_code ec;
  if (std::filesystem::equivalent(path, folder_.ProjectsFolder(), ec)) return false;
  return FileOperation("DELETE", path, {}, false, true, false, true);
}

std::vector<std::string> ProjectStore::PageListFiles(const std::string& folderName) const {
  return FilesWithExtension(ProjectPath(folderName), ".ser");
}

bool ProjectStore::HasPagesAlready(const std::string& folderName) const {
  const auto lists = PageListFiles(folderName);
  return !lists.empty() && FileSizeOf(ProjectPath(folderName) + lists.front()) > 0;
}

bool ProjectStore::AddPages(const std::string& folderName, const std::vector<std::string>& urls,
                            std::string* error) const {
  for (const auto& name : PageListFiles(folderName)) {
    const std::string path = ProjectPath(folderName) + name;
    std::vector<std::string> lines;
    if (!ReadLineFile(path, lines, error)) return false;
    const std::size_t before = lines.size();
    for (const auto& url : urls) {
      bool known = false;
      for (std::size_t i = 0; i < before && !known; ++i) known = Contains(lines[i], url);
      if (!known) lines.push_back("00.00.00 | " + url + " | FALSE");
    }
    if (!WriteLineFile(path, lines, error)) return false;
  }
  return true;
}

}  // namespace mw
