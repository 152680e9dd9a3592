// meldewerk-cli metatags: the meta-tag generator's block from the saved inputs of the window,
// for pasting into pages from a script.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Files.h"
#include "metatags/MetaTagGenerator.h"
#include "store/ProgramFolder.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli metatags\n\n"
    "Prints the <head> block of the meta-tag generator for the inputs last saved by the window's\n"
    "\"Metatags erzeugen\" (metatags.met in the program folder), built with the six choice lists\n"
    "beside the program. The lines are UTF-8, each followed by CR LF, as the window puts them on\n"
    "the clipboard.\n\n"
    "Exit codes: 0 block printed, 1 a required field is empty or a file is missing or damaged,\n"
    "2 bad usage.\n";

int Fail(const std::string& utf8) {
  std::fprintf(stderr, "meldewerk-cli metatags: %s\n", utf8.c_str());
  return 1;
}

int MetaTags(const Args& args) {
  for (const auto& a : args) {
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    std::fputs(kHelp, stderr);
    return 2;
  }
  const ProgramFolder folder = CommandProgramFolder();
  MetaTagGenerator generator(folder);
  std::string error;
  if (!generator.LoadLists(&error)) return Fail(error);
  if (!generator.InputsFileExists())
    return Fail("Datei " + generator.InputsFile() +
                " gibt es nicht; sie entsteht mit \"Metatags erzeugen\" im MetaTag Generator.");
  MetaTagInputs inputs;
  if (!generator.LoadInputs(inputs, &error)) return Fail(error);
  const std::string missing = MetaTagGenerator::MissingFieldMessage(inputs);
  if (!missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return 1;
  }
  const std::string text = Cp1252ToUtf8(JoinLinesCrLf(generator.Generate(inputs)));
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

extern const Command kMetaTagsCommand{"metatags", "print the meta-tag generator's <head> block from metatags.met",
                                      MetaTags};

}  // namespace mw::cli
