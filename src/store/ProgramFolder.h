#pragma once
// The program folder and the fixed folders and files below it. Every path is the program
// folder plus a fixed relative name; nothing is resolved against the current directory.

#include <string>

namespace mw {

class ProgramFolder {
 public:
  ProgramFolder() = default;
  // `folder` is taken with one trailing "/" added unless it has one.
  explicit ProgramFolder(const std::string& folder);

  const std::string& Path() const { return path_; }  // ends in "/"
  std::string ProjectsFolder() const { return path_ + "Projects/"; }
  // "Projects/templates/", spelled as the installation spells it ("templates" or "Templates").
  std::string TemplatesFolder() const;
  std::string TempFolder() const { return path_ + "Temp/"; }
  std::string ReportsFolder() const { return path_ + "reports/"; }
  std::string ProgramIni() const { return path_ + "Program.ini"; }
  std::string ResultsFile() const { return path_ + "Meldewerk.bin"; }
  std::string File(const std::string& relativeName) const { return path_ + relativeName; }

  // Creates "Temp/" and "reports/" when missing. False when either could not be created.
  bool CreateWorkFolders() const;

  // Where a program started from `programDir` (the folder of its executable) works, and where its
  // shipped data lies.
  // - Installed (`programDir`/../share/meldewerk/ exists, as below a prefix such as /usr): the
  //   data lies there and the program works in `dataHome` + "Meldewerk/", whoever runs it, so
  //   an installation is never written to, not even by root.
  // - Otherwise the data lies beside the executable, and the program works there when that
  //   folder is writable, else in `dataHome` + "Meldewerk/".
  // `dataHome` is $XDG_DATA_HOME or ~/.local/share (UserDataHome()).
  struct Location {
    std::string work;     // the program folder in use, ending in "/"
    std::string shipped;  // the folder of the shipped data, ending in "/"
    bool Seeded() const { return work != shipped; }
  };
  static Location Locate(const std::string& programDir, const std::string& dataHome);

  // The program folder in use for `programDir`. A user folder is seeded from the shipped data
  // first (see ShippedData): copied at the first start, new files of a later version added,
  // nothing the user changed overwritten. `seedError`, when given, receives the first file
  // that could not be copied (empty when all went well).
  static ProgramFolder Choose(const std::string& programDir, const std::string& dataHome,
                              std::string* seedError = nullptr);

 private:
  std::string path_;
};

// $XDG_DATA_HOME, or $HOME/.local/share when it is not set or not an absolute path.
std::string UserDataHome();

}  // namespace mw
