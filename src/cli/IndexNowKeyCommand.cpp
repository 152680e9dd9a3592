// meldewerk-cli indexnow-key: a project's IndexNow key, its key file for the site, and the
// check that the site serves it.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "store/ProjectStore.h"
#include "submit/IndexNowKeyFile.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli indexnow-key PROJECT [--write FOLDER] [--check]\n\n"
    "Prints the project's IndexNow key (made and kept in Project.ini when the project has none).\n"
    "The engines that take submissions by IndexNow accept a page only when the site serves the\n"
    "key file: the site's address + KEY.txt, holding the key.\n\n"
    "PROJECT is a project folder name (Project_0001) or a project title.\n"
    "  --write FOLDER  writes the key file FOLDER/KEY.txt, for uploading to the site's root\n"
    "  --check         fetches the key file from the project's site and says whether it holds\n"
    "                  the key\n\n"
    "Exit codes: 0 done (with --check: the file holds the key), 1 the file is missing or wrong,\n"
    "or a file error, 2 bad usage or no such project.\n";

int Fail(const std::string& utf8, int code) {
  std::fprintf(stderr, "meldewerk-cli indexnow-key: %s\n", utf8.c_str());
  return code;
}

int IndexNowKey(const Args& args) {
  std::string project, writeFolder;
  bool check = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--write" && i + 1 < args.size()) {
      writeFolder = args[++i];
    } else if (a == "--check") {
      check = true;
    } else if (!a.starts_with("--") && project.empty()) {
      project = Utf8ToCp1252(a);
    } else {
      std::fputs(kHelp, stderr);
      return 2;
    }
  }
  if (project.empty()) {
    std::fputs(kHelp, stderr);
    return 2;
  }

  const ProgramFolder folder = CommandProgramFolder();
  const ProjectStore store(folder);
  std::string projectFolder;
  if (!FindProject(store, project, projectFolder))
    return Fail("Projekt \"" + Cp1252ToUtf8(project) + "\" nicht gefunden.", 2);
  std::string key, error;
  IndexNowKeyState state = IndexNowKeyState::Kept;
  if (!store.EnsureIndexNowKey(projectFolder, key, &state, &error)) return Fail(error, 1);
  if (state == IndexNowKeyState::Replaced)
    std::fprintf(stderr, "Der IndexNow-Schl\xc3\xbcssel war ung\xc3\xbcltig; ein neuer wurde angelegt.\n");
  std::printf("%s\n", key.c_str());

  if (!writeFolder.empty()) {
    const std::string path = IncludeTrailingSlash(writeFolder) + KeyFileName(key);
    if (!WriteKeyFile(path, key, &error)) return Fail(error, 1);
    std::printf("Schl\xc3\xbcsseldatei: %s\n", path.c_str());
  }
  if (!check) return 0;
  ProjectSettings settings;
  store.ReadProjectSettings(projectFolder, settings);
  try {
    const KeyFileCheck result = CheckKeyFile(
        settings.url, key, [](const std::string& url) { return FetchURLAnswer(url, kMainFetchTimeoutMs); });
    std::printf("%s\n", KeyFileCheckText(result).c_str());
    return result.state == KeyFileState::Holds ? 0 : 1;
  } catch (const std::exception& e) {
    return Fail(e.what(), 1);
  }
}

}  // namespace

extern const Command kIndexNowKeyCommand{"indexnow-key", "show a project's IndexNow key, write and check its key file",
                                         IndexNowKey};

}  // namespace mw::cli
