// meldewerk-cli click: runs meldewerk-click from the same folder in this process's place, with
// the same words, so its output and exit code are the command's own. Only that program links the
// browser engine; every other command starts without it.
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace mw::cli {
namespace {

int Launch(const Args& args) {
  const std::string program = QCoreApplication::applicationDirPath().toStdString() + "/meldewerk-click";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(stdout);
  ::execv(program.c_str(), argv.data());
  std::fprintf(stderr, "meldewerk-cli click: %s kann nicht gestartet werden: %s\n", program.c_str(),
               std::strerror(errno));
  return 2;
}

}  // namespace

extern const Command kClickCommand{"click", "open the addresses of a file in browser windows, one after another",
                                   Launch};

}  // namespace mw::cli
