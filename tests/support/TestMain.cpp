// The main of every test executable: a QApplication on the offscreen platform, so tests can
// build windows and run event loops without a display.
//
// Each test process gets a home of its own below one temporary folder: HOME, the XDG folders
// and TMPDIR point there, and the data folder (~/.local/share) does not exist yet, as on a
// fresh account. So nothing a test does reaches the real home, its trash or its settings. A
// check around the run fails it when a test leaves anything new in the current folder or in
// the source tree.
#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

fs::path MakeTestHome() {
  std::string pattern = (fs::temp_directory_path() / "meldewerk-home-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  const fs::path root = pattern;
  for (const char* folder : {"home", "runtime", "tmp"}) ::mkdir((root / folder).c_str(), 0700);
  const fs::path home = root / "home";
  const std::pair<const char*, fs::path> variables[] = {
      {"HOME", home},
      {"XDG_DATA_HOME", home / ".local/share"},
      {"XDG_CONFIG_HOME", home / ".config"},
      {"XDG_CACHE_HOME", home / ".cache"},
      {"XDG_STATE_HOME", home / ".local/state"},
      {"XDG_RUNTIME_DIR", root / "runtime"},
      {"TMPDIR", root / "tmp"},
  };
  for (const auto& [name, value] : variables) ::setenv(name, value.c_str(), 1);
  return root;
}

// Every entry below `folder`; at the top level, the build folders and ".git" are left out.
std::set<std::string> Entries(const fs::path& folder, bool recursive) {
  std::set<std::string> names;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool skipped = it.depth() == 0 && (name.starts_with("build") || name == ".git" || name == ".cache");
    if (!recursive || skipped) it.disable_recursion_pending();
    if (!skipped) names.insert(fs::relative(it->path(), folder, ec).string());
  }
  return names;
}

class NoWritesOutsideTemporaryFolders : public ::testing::Environment {
 public:
  void SetUp() override {
    cwd_ = Entries(fs::current_path(), false);
    sources_ = Entries(MELDEWERK_SOURCE_DIR, true);
  }
  void TearDown() override {
    Expect(fs::current_path(), cwd_, Entries(fs::current_path(), false));
    Expect(MELDEWERK_SOURCE_DIR, sources_, Entries(MELDEWERK_SOURCE_DIR, true));
  }

 private:
  static void Expect(const fs::path& folder, const std::set<std::string>& before,
                     const std::set<std::string>& after) {
    for (const auto& name : after)
      if (!before.contains(name)) ADD_FAILURE() << "A test wrote outside its temporary folders: " << (folder / name);
  }
  std::set<std::string> cwd_, sources_;
};

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  const fs::path testHome = MakeTestHome();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new NoWritesOutsideTemporaryFolders);
  int result = 0;
  {
    QApplication app(argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ec;
  fs::remove_all(testHome, ec);
  return result;
}
