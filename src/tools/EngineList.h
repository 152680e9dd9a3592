#pragma once
// The multi-search's engine list "OpenEngines.ini": plain lines (no sections), each the address
// of an engine's result page with "KLXKEYWORD" where the search term goes, "|", and the engine's
// name. From it and a term come the browser windows to open, in a cascade from the top-left
// corner of the screen.

#include <string>
#include <vector>

namespace mw {

inline constexpr const char* kOpenEnginesFile = "OpenEngines.ini";

struct SearchWindow {
  std::string caption;  // engine name + "  Suchbegriff(e): " + term
  std::string address;
  int left = 0, top = 0;             // 20 * (line number from 0 + 1)
  static constexpr int kSize = 600;  // width and height
};

class EngineList {
 public:
  // False, with the error naming the file, when it cannot be read.
  bool Read(const std::string& path, std::string* error);
  void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // One window per line whose address part is not blank; a blank line is skipped but still
  // moves the cascade on. The term is inserted as it stands.
  std::vector<SearchWindow> Windows(const std::string& term) const;

  // The template with the first "KLXKEYWORD" replaced by the term; unchanged without one.
  static std::string InsertTerm(const std::string& addressTemplate, const std::string& term);

 private:
  std::vector<std::string> lines_;
};

}  // namespace mw
