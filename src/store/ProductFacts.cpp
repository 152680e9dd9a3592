#include "store/ProductFacts.h"

#include "common/Files.h"
#include "common/IniFile.h"
#include "store/ProgramFolder.h"

namespace mw {

ProductFacts ProductFacts::Load(const ProgramFolder& folder) {
  ProductFacts facts;
  std::vector<std::string> lines;
  if (ReadLineFile(folder.File("ver.ini"), lines) && !lines.empty()) facts.version = lines.front();

  IniFile settings(folder.ProgramIni());
  settings.Load();
  if (settings.HasKey("SETTINGS", "ProductPage")) {
    facts.productPage = settings.ReadString("SETTINGS", "ProductPage");
    facts.productPageFromSettings = true;
  }
  return facts;
}

}  // namespace mw
