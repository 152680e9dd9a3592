#pragma once
// The plain-text submission report "MeldeBericht.txt": per engine its page list with the date
// of the last submission of each page.

#include <string>
#include <vector>

#include "store/PageList.h"

namespace mw {

struct EnginePages {
  std::string engine;
  std::vector<PageListEntry> pages;
};

std::vector<std::string> SubmissionReportLines(const std::string& projectName, const std::vector<EnginePages>& engines);

// What is printed: "Meldewerk: " + date, the rule, a blank line, then the report's lines.
std::vector<std::string> PrintedReportLines(const std::string& date, const std::vector<std::string>& memoLines);

}  // namespace mw
