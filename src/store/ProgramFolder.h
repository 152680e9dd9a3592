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

  const std::string& Path() const { return path_; }                // ends in "/"
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

  // The folder the program works in for an installation folder: the installation folder when
  // it is writable, else `dataHome` + "Meldewerk/", which receives a copy of the shipped
  // files on the first start. `dataHome` is $XDG_DATA_HOME or ~/.local/share.
  static ProgramFolder Choose(const std::string& installFolder, const std::string& dataHome);

 private:
  std::string path_;
};

// $XDG_DATA_HOME, or $HOME/.local/share when it is not set.
std::string UserDataHome();

}  // namespace mw
