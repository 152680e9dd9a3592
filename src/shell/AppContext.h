#pragma once
// What every window receives at creation instead of reaching for globals: the program folder,
// the product facts and the dialogs. Tests build one against a temporary folder.

#include "shell/ProductFacts.h"
#include "shell/ProgramFolder.h"

namespace mw {

class Dialogs;

struct AppContext {
  ProgramFolder folder;
  ProductFacts facts;
  Dialogs* dialogs = nullptr;
};

}  // namespace mw
