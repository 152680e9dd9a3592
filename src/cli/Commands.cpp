#include "cli/Commands.h"

#include "common/Text.h"
#include "store/ProjectStore.h"

namespace mw::cli {

extern const Command kCrawlCommand;
extern const Command kSubmitCommand;
extern const Command kDiscoverCommand;
extern const Command kBrokenCommand;
extern const Command kMetaCommand;
extern const Command kMetaTagsCommand;
extern const Command kRankCommand;
extern const Command kClickCommand;
extern const Command kIndexNowKeyCommand;

bool FindProject(const ProjectStore& store, const std::string& wanted, std::string& folder) {
  ProjectSettings settings;
  if (!Contains(wanted, "/") && store.ReadProjectSettings(wanted, settings)) {
    folder = wanted;
    return true;
  }
  for (const auto& p : store.ListProjects())
    if (p.title == wanted) {
      folder = p.folderName;
      return true;
    }
  return false;
}

// Each command lives in a file of its own; add it here.
const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {kCrawlCommand,    kDiscoverCommand, kBrokenCommand,
                                                kMetaCommand,     kSubmitCommand,   kIndexNowKeyCommand,
                                                kMetaTagsCommand, kRankCommand,     kClickCommand};
  return commands;
}

}  // namespace mw::cli
