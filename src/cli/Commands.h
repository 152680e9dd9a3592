#pragma once
// The commands of meldewerk-cli. Each gets the words after its name and returns the exit code.

#include <string>
#include <vector>

namespace mw {
class ProjectStore;
}

namespace mw::cli {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* summary;  // one line for --help
  int (*run)(const Args& args);
};

// A project by folder name (Project_0001) or title; false when there is none.
bool FindProject(const ProjectStore& store, const std::string& wanted, std::string& folder);

// Every command the program offers, in the order --help lists them.
const std::vector<Command>& AllCommands();

}  // namespace mw::cli
