#include "cli/Commands.h"

namespace mw::cli {

int RunSubmit(const Args& args);

// Each command lives in a file of its own; add it here.
const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"submit", "submit a project's marked pages to its engines", RunSubmit},
  };
  return commands;
}

}  // namespace mw::cli
