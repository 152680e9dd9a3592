#include "store/ShippedData.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {

namespace fs = std::filesystem;

// Every data file below `folder` as a name relative to it ("Projects/templates/A.ini"), sorted.
// Executables are the programs themselves when the data lies beside them.
std::vector<std::string> ShippedFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    std::error_code statError;
    if (!it->is_regular_file(statError)) continue;
    if ((it->status(statError).permissions() & fs::perms::owner_exec) != fs::perms::none) continue;
    names.push_back(it->path().lexically_relative(folder).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The path of `relative` below `root`, each part spelled as the folder already spells it, so a
// user's "Projects/Templates/" receives the files shipped in "Projects/templates/".
std::string ResolveIgnoringCase(const std::string& root, const std::string& relative) {
  std::string path = root;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = relative.find('/', start);
    const std::string part = relative.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    path += FindEntryIgnoringCase(path, part);
    if (slash == std::string::npos) return path;
    path += "/";
    start = slash + 1;
  }
}

std::map<std::string, std::string> ReadShippedList(const std::string& path) {
  std::map<std::string, std::string> list;
  std::vector<std::string> lines;
  if (!ReadLineFile(path, lines)) return list;
  for (const std::string& line : lines) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) list[line.substr(tab + 1)] = line.substr(0, tab);
  }
  return list;
}

bool WriteShippedList(const std::string& path, const std::map<std::string, std::string>& list, std::string* error) {
  std::vector<std::string> lines;
  for (const auto& [name, hash] : list) lines.push_back(hash + "\t" + name);
  return WriteLineFile(path, lines, error);
}

bool CopyContent(const std::string& target, const std::string& content, std::string* error) {
  std::error_code ec;
  fs::create_directories(fs::path(target).parent_path(), ec);
  return WriteFileAtomic(target, content, error);
}

}  // namespace

std::string ContentHash(const std::string& content) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : content) hash = (hash ^ c) * 1099511628211ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

ShippedData::Outcome ShippedData::Seed(const std::string& shippedFolder, const std::string& userFolder) {
  Outcome outcome;
  const std::string shipped = IncludeTrailingSlash(shippedFolder);
  const std::string user = IncludeTrailingSlash(userFolder);
  std::error_code ec;
  fs::create_directories(user, ec);

  const std::string listPath = user + kListName;
  ShippedList list = ReadShippedList(listPath);
  bool listChanged = false;
  auto fail = [&outcome](const std::string& error) {
    if (outcome.error.empty()) outcome.error = error;
  };

  for (const std::string& name : ShippedFiles(shipped)) {
    std::string content, error;
    if (!ReadWholeFile(shipped + name, content, &error)) {
      fail(error);
      continue;
    }
    const std::string hash = ContentHash(content);
    const auto known = list.find(name);
    if (known != list.end() && known->second == hash) continue;

    const std::string target = ResolveIgnoringCase(user, name);
    bool copy = false;
    if (known == list.end()) {
      copy = !FileExists(target) && !FolderExists(target);
    } else {
      std::string current;
      copy = ReadWholeFile(target, current) && ContentHash(current) == known->second;
    }
    if (copy && !CopyContent(target, content, &error)) {
      fail(error);
      continue;  // not recorded, so the next start tries again
    }
    if (copy) ++(known == list.end() ? outcome.added : outcome.updated);
    list[name] = hash;
    listChanged = true;
  }

  std::string error;
  if (listChanged && !WriteShippedList(listPath, list, &error)) fail(error);
  return outcome;
}

}  // namespace mw
