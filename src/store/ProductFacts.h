#pragma once
// The fixed facts about the program that several windows show.

#include <string>

namespace mw {

class ProgramFolder;

struct ProductFacts {
  // A page that answers wherever the Internet is reachable, so the connection check works out of
  // the box; "ProductPage" in "Program.ini" points it elsewhere (an intranet, a test server).
  static constexpr const char* kDefaultProductPage = "https://www.example.org/";

  std::string productName = "Meldewerk";
  std::string productPage = kDefaultProductPage;  // also fetched by the connection check
  std::string makerName = "Das Meldewerk-Projekt";
  std::string makerWebText = "www.example.org";
  std::string makerWeb = kDefaultProductPage;
  std::string makerMail = "info@example.org";
  std::string version;                      // first line of "ver.ini"
  std::string wizardPicture = "recom/wizard.jpg";
  std::string aboutPicture = "recom/about.jpg";
  std::string helpPage = "help.html";       // below "help/"
  bool productPageFromSettings = false;     // "ProductPage" was given in "Program.ini"

  // Reads the version text from "ver.ini" and an optional "ProductPage" override from the
  // SETTINGS section of "Program.ini" (for offline and intranet use).
  static ProductFacts Load(const ProgramFolder& folder);
};

}  // namespace mw
