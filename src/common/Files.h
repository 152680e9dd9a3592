#pragma once
// File work shared by every subsystem: whole-file reading, atomic replacement, line files
// (read CR LF, LF or CR; written CR LF) and case-insensitive name lookup in a folder.
// Paths are byte strings as the file system takes them. Error texts are UTF-8 and complete:
// "Datei %s kann nicht geöffnet werden. %s" with the system's reason.

#include <string>
#include <string_view>
#include <vector>

namespace mw {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
bool CreateFolder(const std::string& path);  // one level; true when it exists afterwards
bool DeleteFileIfExists(const std::string& path);
long long FileSizeOf(const std::string& path);  // -1 when missing
// True only when nothing is there by that name: not for a file that cannot be looked at.
bool NoSuchEntry(const std::string& path);

bool ReadWholeFile(const std::string& path, std::string& content, std::string* error = nullptr);

// Writes `content` to a temporary file in the same folder, flushes it to disk and renames it
// over `path`, so a kill, a crash or a full disk never leaves a half-written file. On any
// failure the old file is left as it was and the temporary one removed. For files rewritten
// many times a second, see ReplacingWriter.
bool WriteFileAtomic(const std::string& path, std::string_view content, std::string* error = nullptr);

// Replaces files atomically many times in a row without the cost of a new file each time:
// the new content goes into a swap file beside the target, which is then exchanged with the
// target in one step, so the swap file keeps the old content and is reused by the next write.
// The target is always either the old or the new file, whole. Where the file system cannot
// exchange, it falls back to a plain rename.
//
// A swap file is hidden and named after the process and the writer (".meldewerk-swap-PID-N"),
// so two writers, in one process or two, never share one. An old file that has another link
// (a hard-linked backup) is never written into: the writer takes a fresh swap file instead.
// The swap files go with the writer; the first write into a folder removes those left there by
// a process that no longer runs (killed or crashed). A target that is a folder is refused.
class ReplacingWriter {
 public:
  ReplacingWriter();
  ~ReplacingWriter();
  ReplacingWriter(const ReplacingWriter&) = delete;
  ReplacingWriter& operator=(const ReplacingWriter&) = delete;
  bool Write(const std::string& path, std::string_view content, std::string* error = nullptr);

  // The swap file's name for this writer (without folder).
  const std::string& SwapName() const { return swapName_; }

 private:
  struct Swap {
    std::string path;
    bool present = false;  // the last write left a swap file there
  };
  std::string swapName_;
  std::vector<Swap> swaps_;
};

// Splits text into lines at CR LF, LF or a lone CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

bool ReadLineFile(const std::string& path, std::vector<std::string>& lines, std::string* error = nullptr);
bool WriteLineFile(const std::string& path, const std::vector<std::string>& lines,
                   std::string* error = nullptr);

// Entry names of `folder` (files only, or folders only), by name without regard to ASCII case.
std::vector<std::string> ListFiles(const std::string& folder);
std::vector<std::string> ListFolders(const std::string& folder);

// File names of `folder` ending in `extension` (such as ".ini"), letter case ignored, in the
// order of ListFiles.
std::vector<std::string> FilesWithExtension(const std::string& folder, std::string_view extension);

// The name of the entry of `folder` that equals `name` without regard to ASCII case: the exact
// name when it exists, else the first such entry; `name` itself when there is none.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace mw
