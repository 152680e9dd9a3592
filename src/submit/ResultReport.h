#pragma once
// The HTML result report of a submission run: a fixed head, four lines per attempted page and
// a closing line; written with CR LF line ends as Windows-1252 ("iso-8859-1" in the head).

#include <string>
#include <string_view>
#include <vector>

namespace mw {

// "&", "<", ">" and the double quote as HTML entities. Every text the report takes from
// outside (addresses found on foreign sites, the project name) goes through it, so a crafted
// address cannot carry markup or script into the report.
std::string HtmlEscape(std::string_view text);

// The kept answer of one submission: engine + "_" + SafeFileName(page) + ".html", shortened by
// FittingFileName when too long.
std::string ResponseFileName(const std::string& engine, const std::string& pageUrl);

// The report's file name for a project: SafeFileName(project name) + ".html", shortened by
// FittingFileName when too long.
std::string ResultReportFileName(const std::string& projectName);

enum class AttemptResult { Accepted, Unreachable, Rejected };

class ResultReport {
 public:
  // `date` is today's date in the system's short date format.
  ResultReport(const std::string& projectName, const std::string& date);

  // A failed attempt shows it in the engine cell: engine + " (nicht erreichbar)" or
  // engine + " (abgelehnt, HTTP " + status + ")".
  void AddAttempt(const std::string& engine, const std::string& pageUrl, const std::string& submitUrl,
                  AttemptResult result = AttemptResult::Accepted, int status = 0);
  void Finish();  // the closing "</table></body></html>"

  const std::vector<std::string>& Lines() const { return lines_; }
  bool Write(const std::string& path, std::string* error = nullptr) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace mw
