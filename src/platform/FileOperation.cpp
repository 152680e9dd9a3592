#include "platform/FileOperation.h"

#include <QFile>
#include <QString>
#include <filesystem>

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

}  // namespace

bool FileOperation(const std::string& operation, const std::string& source, const std::string& target,
                   bool renameOnCollision, bool /*noConfirmation*/, bool /*simpleProgress*/, bool /*silent*/) {
  // There are no shell dialogs here, so confirmation, progress and silence need no handling.
  std::string from = source;
  while (from.size() > 1 && from.back() == '/') from.pop_back();
  if (!FolderExists(from)) return false;
  const std::string op = UpperCase(operation);
  try {
    if (op == "DELETE") return QFile::moveToTrash(QString::fromLocal8Bit(from.c_str()));
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
