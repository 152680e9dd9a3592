#include "cli/Commands.h"

namespace mw::cli {

extern const Command kCrawlCommand;
extern const Command kSubmitCommand;
extern const Command kDiscoverCommand;
extern const Command kBrokenCommand;
extern const Command kMetaCommand;
extern const Command kIndexNowKeyCommand;

// Each command lives in a file of its own; add it here.
const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {kCrawlCommand, kDiscoverCommand, kBrokenCommand, kMetaCommand,
                                                         kSubmitCommand, kIndexNowKeyCommand};
  return commands;
}

}  // namespace mw::cli
