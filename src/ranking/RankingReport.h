#pragma once
// The HTML ranking report: a fixed head, four lines per searched engine and a closing line;
// written with CR LF line ends as Windows-1252 ("iso-8859-1" in the head). The project name,
// the result lines and the link targets are inserted HTML-escaped.

#include <string>
#include <vector>

namespace mw {

class RankingReport {
 public:
  // `date` is today's date in the system's short date format.
  RankingReport(const std::string& projectName, const std::string& date);

  // One engine's row: its result line and the result page it links to.
  void AddEngine(const std::string& resultLine, const std::string& pageAddress);
  void Finish();  // the closing "</table></body></html>"

  const std::vector<std::string>& Lines() const { return lines_; }
  bool Write(const std::string& path, std::string* error = nullptr) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace mw
