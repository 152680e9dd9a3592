#pragma once
// What every window receives at creation instead of reaching for globals: the program folder,
// the product facts, the dialogs and the desktop's link opener. Tests build one against a temporary folder.

#include "store/ProductFacts.h"
#include "store/ProgramFolder.h"

namespace mw {

class Dialogs;
class UrlOpener;

struct AppContext {
  ProgramFolder folder;
  ProductFacts facts;
  Dialogs* dialogs = nullptr;
  UrlOpener* opener = nullptr;  // web addresses, local pages and mail in the desktop
};

}  // namespace mw
