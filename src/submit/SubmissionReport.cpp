#include "submit/SubmissionReport.h"

namespace mw {

std::vector<std::string> SubmissionReportLines(const std::string& projectName, const std::vector<EnginePages>& engines) {
  std::vector<std::string> lines = {" ", " ", "Meldewerk Anmeldebericht", " ", "Projekt: " + projectName,
                                    std::string(61, '_'), " ", " "};
  for (const auto& e : engines) {
    lines.push_back("Suchmaschine: " + e.engine);
    lines.push_back(" ");
    lines.push_back("Datum         Page ");
    lines.push_back(std::string(61, '-'));
    for (const auto& page : e.pages) lines.push_back(PageListDisplayText(page));
    lines.insert(lines.end(), {" ", " ", " "});
  }
  return lines;
}

std::vector<std::string> PrintedReportLines(const std::string& date, const std::vector<std::string>& memoLines) {
  std::vector<std::string> lines = {"Meldewerk: " + date, std::string(61, '_'), " "};
  lines.insert(lines.end(), memoLines.begin(), memoLines.end());
  return lines;
}

}  // namespace mw
