#include "platform/FileOperation.h"

#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <filesystem>
#include <sys/stat.h>

#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {

// A free name beside `target` ("name (2)", "name (3)", ...) when it is taken.
std::string FreeName(const std::string& target) {
  std::error_code ec;
  if (!std::filesystem::exists(target, ec)) return target;
  for (int n = 2;; ++n) {
    std::string candidate = target + " (" + std::to_string(n) + ")";
    if (!std::filesystem::exists(candidate, ec)) return candidate;
  }
}

// Makes `path` and every missing folder above it, each with permissions 0700.
bool MakePrivateFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (!part.empty() && !FolderExists(part) && ::mkdir(part.c_str(), 0700) != 0 && !FolderExists(part)) return false;
    if (slash == std::string::npos) return true;
  }
}

// The desktop's trash in the user's data folder ($XDG_DATA_HOME, else ~/.local/share) with its
// "files" and "info" folders, created as the freedesktop trash rules say when missing. Qt
// creates only "Trash" itself and, when the data folder is missing, puts "files" and "info"
// into the current folder instead.
bool EnsureHomeTrash() {
  const std::string data =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toLocal8Bit().toStdString();
  if (data.empty() || data.front() != '/') return false;
  const std::string trash = IncludeTrailingSlash(data) + "Trash";
  return MakePrivateFolders(trash + "/files") && MakePrivateFolders(trash + "/info");
}

}  // namespace

bool FileOperation(const std::string& operation, const std::string& source, const std::string& target,
                   bool renameOnCollision, bool /*noConfirmation*/, bool /*simpleProgress*/, bool /*silent*/) {
  // There are no shell dialogs here, so confirmation, progress and silence need no handling.
  std::string from = source;
  while (from.size() > 1 && from.back() == '/') from.pop_back();
  if (!FolderExists(from)) return false;
  const std::string op = UpperCase(operation);
  try {
    if (op == "DELETE")
      return EnsureHomeTrash() && QFile::moveToTrash(QString::fromLocal8Bit(from.c_str())) && !FolderExists(from);
    if (target.empty()) return false;
    const std::string to = renameOnCollision ? FreeName(target) : target;
    std::error_code ec;
    if (op == "COPY") {
      std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, ec);
      return !ec;
    }
    if (op == "MOVE" || op == "RENAME") {
      if (std::filesystem::exists(to, ec)) return false;
      std::filesystem::rename(from, to, ec);
      return !ec;
    }
  } catch (...) {
  }
  return false;
}

}  // namespace mw
