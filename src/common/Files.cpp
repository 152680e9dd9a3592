#include "common/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/Text.h"

namespace mw {
namespace {

void SetError(std::string* error, const std::string& path, int err) {
  if (error) *error = FileOpenErrorMessage(path, std::strerror(err));
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

enum class EntryKind { File, Folder };

std::vector<std::string> ListEntries(const std::string& folder, EntryKind kind) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  const std::string base = IncludeTrailingSlash(folder);
  while (dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat((base + name).c_str(), &st) != 0) continue;
    const bool isFolder = S_ISDIR(st.st_mode);
    if ((kind == EntryKind::Folder) == isFolder && (isFolder || S_ISREG(st.st_mode))) names.push_back(name);
  }
  ::closedir(dir);
  // Listed by name without regard to case, as the desktop's file windows show them; the raw
  // directory order of Linux file systems would look random and change between machines.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = LowerCase(a), lb = LowerCase(b);
    return la != lb ? la < lb : a < b;
  });
  return names;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0 || FolderExists(path);
}

bool DeleteFileIfExists(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

long long FileSizeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool NoSuchEntry(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

bool ReadWholeFile(const std::string& path, std::string& content, std::string* error) {
  content.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetError(error, path, errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    SetError(error, path, EISDIR);
    return false;
  }
  if (st.st_size > 0) content.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      SetError(error, path, err);
      return false;
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view content, std::string* error) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    SetError(error, path, errno);
    return false;
  }
  // mkstemp creates 0600; a rewritten file keeps the ordinary permissions of its folder.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
  const int writeErr = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = !written ? writeErr : errno;
    ::unlink(temp.c_str());
    SetError(error, path, err);
    return false;
  }
  return true;
}

namespace {

constexpr std::string_view kSwapPrefix = ".meldewerk-swap";

// Removes the swap files in `folder` that a process left behind when it ended without removing
// them: named ".meldewerk-swap-PID-N" for a PID that no longer runs, or the single fixed name of
// older versions.
void RemoveOrphanedSwaps(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  std::vector<std::string> orphans;
  while (dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (!name.starts_with(kSwapPrefix)) continue;
    std::string_view rest = name.substr(kSwapPrefix.size());
    if (rest.empty()) {
      orphans.emplace_back(name);
      continue;
    }
    if (rest.front() != '-') continue;
    rest.remove_prefix(1);
    const std::size_t dash = rest.find('-');
    int pid = 0;
    if (dash == std::string_view::npos || !TryStrToInt(rest.substr(0, dash), pid) || pid <= 0) continue;
    if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) orphans.emplace_back(name);
  }
  ::closedir(dir);
  for (const auto& name : orphans) ::unlink((folder + name).c_str());
}

// Opens `swap` for rewriting when it is a regular file with no other link; otherwise removes
// that name and creates a fresh file there. `present` says whether the last write left a swap
// file there, which spares the lookup of one that cannot exist. -1 with errno on failure.
int OpenSwapFile(const std::string& swap, bool present) {
  constexpr int kCreate = O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC;
  if (!present) {
    const int fd = ::open(swap.c_str(), kCreate, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  } else if (const int fd = ::open(swap.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC); fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1) return fd;
    ::close(fd);
  }
  ::unlink(swap.c_str());
  return ::open(swap.c_str(), kCreate, 0666);
}

}  // namespace

ReplacingWriter::ReplacingWriter() {
  static std::atomic<unsigned> writers{0};
  swapName_ = std::string(kSwapPrefix) + "-" + std::to_string(::getpid()) + "-" + std::to_string(++writers);
}

ReplacingWriter::~ReplacingWriter() {
  for (const auto& swap : swaps_) ::unlink(swap.path.c_str());
}

bool ReplacingWriter::Write(const std::string& path, std::string_view content, std::string* error) {
  struct stat target {};
  if (::lstat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
    SetError(error, path, EISDIR);  // never exchange a folder into the swap name
    return false;
  }
  const std::string folder = ExtractFilePath(path);
  const std::string swap = folder + swapName_;
  auto known = std::find_if(swaps_.begin(), swaps_.end(), [&](const Swap& s) { return s.path == swap; });
  if (known == swaps_.end()) {
    RemoveOrphanedSwaps(folder);
    known = swaps_.insert(swaps_.end(), Swap{swap, false});
  }
  // The swap file is overwritten in place and cut only where the new content is shorter:
  // emptying it first would free its blocks and allocate them anew on every write, which on
  // ext4 (above all when mounted with "discard") costs milliseconds per file.
  const int fd = OpenSwapFile(swap, known->present);
  known->present = fd >= 0;
  if (fd < 0) {
    SetError(error, swap, errno);
    return false;
  }
  const bool written = WriteAll(fd, content) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0;
  const int writeErr = errno;
  if (::close(fd) != 0 || !written) {
    SetError(error, swap, written ? errno : writeErr);
    return false;
  }
  if (::renameat2(AT_FDCWD, swap.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) return true;
  known->present = false;
  if (::rename(swap.c_str(), path.c_str()) == 0) return true;  // no target yet, or no exchange here
  const int renameErr = errno;
  known->present = FileExists(swap);
  SetError(error, path, renameErr);
  return false;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

bool ReadLineFile(const std::string& path, std::vector<std::string>& lines, std::string* error) {
  std::string content;
  if (!ReadWholeFile(path, content, error)) {
    lines.clear();
    return false;
  }
  lines = SplitLines(content);
  return true;
}

bool WriteLineFile(const std::string& path, const std::vector<std::string>& lines, std::string* error) {
  return WriteFileAtomic(path, JoinLinesCrLf(lines), error);
}

std::vector<std::string> ListFiles(const std::string& folder) {
  return ListEntries(folder, EntryKind::File);
}
std::vector<std::string> ListFolders(const std::string& folder) {
  return ListEntries(folder, EntryKind::Folder);
}

std::vector<std::string> FilesWithExtension(const std::string& folder, std::string_view extension) {
  std::vector<std::string> result;
  for (auto& name : ListFiles(folder))
    if (name.size() >= extension.size() &&
        SameText(std::string_view(name).substr(name.size() - extension.size()), extension))
      result.push_back(std::move(name));
  return result;
}

std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
  const std::string base = IncludeTrailingSlash(folder);
  struct stat st {};
  if (::stat((base + name).c_str(), &st) == 0) return name;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return name;
  std::string found = name;
  while (dirent* e = ::readdir(dir)) {
    if (SameText(e->d_name, name)) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace mw
