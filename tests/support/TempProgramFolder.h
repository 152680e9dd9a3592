#pragma once
// A program folder of its own for one test: "Projects/templates/" is created, everything else
// is what the test puts in. Removed with the object.

#include <string>
#include <string_view>

#include "store/ProgramFolder.h"

namespace mwtest {

class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;

  const std::string& Path() const { return path_; }  // ends in "/"
  mw::ProgramFolder Folder() const { return mw::ProgramFolder(path_); }
  std::string Templates() const { return path_ + "Projects/templates/"; }

  // Writes `content` to Path() + relativeName, creating folders on the way; returns the path.
  std::string Write(const std::string& relativeName, std::string_view content) const;
  std::string Read(const std::string& relativeName) const;
  bool Exists(const std::string& relativeName) const;
  void MakeFolder(const std::string& relativeName) const;

 private:
  std::string path_;
};

}  // namespace mwtest
