#pragma once
// Runs meldewerk-cli as the program itself: a copy of the built program placed in a temporary
// program folder (so it works there), with HOME and XDG_DATA_HOME inside that folder too.

#include <string>
#include <vector>

#include "support/TempProgramFolder.h"

namespace mwtest {

struct CliRun {
  int exitCode = -1;  // -1 when the program did not end within a minute
  std::string out, err;
};

// `builtProgram` is the path of the built meldewerk-cli (the test's MELDEWERK_CLI); it is copied
// into `folder` at the first run. Arguments and output are UTF-8.
CliRun RunCli(const TempProgramFolder& folder, const std::string& builtProgram, const std::vector<std::string>& args);

}  // namespace mwtest
