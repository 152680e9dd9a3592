#pragma once
// A program folder with six small choice lists, and inputs that pass every check.

#include <string>
#include <vector>

#include "metatags/MetaTagGenerator.h"
#include "support/TempProgramFolder.h"

namespace mwtest {

struct MetaTagFolder {
  // Lists whose entry 0 is "DEFAULT"; topic entry 1 is a lower-case "default".
  MetaTagFolder() {
    const char* const lists[][4] = {
        {"pagetopic.ini", "default | auch keine", "Reisen | Reisen", "Sport | Sport"},
        {"pagetype.ini", "Shop | Onlineshop", nullptr, nullptr},
        {"pageaudience.ini", "Alle | alle", nullptr, nullptr},
        {"pagerevisit.ini", " 7 days |jede Woche ", nullptr, nullptr},
        {"pagelanguage.ini", "de | Deutsch", "de-AT | Deutsch (\xd6sterreich)", nullptr},
        {"pagerobots.ini", "noindex, follow | nicht aufnehmen, Links folgen", nullptr, nullptr}};
    for (const auto& list : lists) {
      std::string text = "DEFAULT | keine Angaben\r\n";
      for (int i = 1; i < 4 && list[i]; ++i) text += std::string(list[i]) + "\r\n";
      dir.Write(list[0], text);
    }
  }
  TempProgramFolder dir;
};

inline mw::MetaTagInputs FilledInputs() {
  mw::MetaTagInputs in;
  in.title = "T";
  in.author = "A";
  in.copyright = "C";
  in.publisher = "P";
  in.description = "D";
  in.keywords = "K";
  return in;
}

// A valid "metatags.met", one string per line.
inline std::vector<std::string> SavedLines() {
  return {"[METATTAGS]",         "title=Gespeichert",  "author=Autorin",  "topic=2",
          "copyright=Ich, 2005", "publisher=Verlag",   "dateexists=true", "date=22.03.2005",
          "expiresexists=true",  "expires=01.04.2006", "type=1",          "audience=0",
          "revisit=1",           "language=2",         "robots=5",        "description=Eine Seite",
          "keywords=a, b",       "dublin=true"};
}

}  // namespace mwtest
