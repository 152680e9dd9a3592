#include "support/TempProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mwtest {

TempProgramFolder::TempProgramFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "meldewerk-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
  MakeFolder("Projects/templates");
}

TempProgramFolder::~TempProgramFolder() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempProgramFolder::Write(const std::string& relativeName, std::string_view content) const {
  const std::filesystem::path p = path_ + relativeName;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(content.data(), std::streamsize(content.size()));
  return p.string();
}

std::string TempProgramFolder::Read(const std::string& relativeName) const {
  std::ifstream in(path_ + relativeName, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempProgramFolder::Exists(const std::string& relativeName) const {
  return std::filesystem::exists(path_ + relativeName);
}

void TempProgramFolder::MakeFolder(const std::string& relativeName) const {
  std::filesystem::create_directories(path_ + relativeName);
}

}  // namespace mwtest
