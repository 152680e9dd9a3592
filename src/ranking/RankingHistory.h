#pragma once
// The ranking history of a project: every run adds one row per searched engine to
// "reports/Ranking_" + SafeFileName(project) + ".csv" (UTF-8, a header line, comma-separated,
// RFC 4180 quoting, rewritten atomically). The chart page "RankingVerlauf_....html" draws, per
// keyword and engine, the page the site was found on over the runs as an inline SVG line chart
// with a table below: self-contained, no script, nothing fetched.

#include <string>
#include <vector>

namespace mw {

struct RankingHistoryRow {
  std::string time;     // "yyyy-MM-dd HH:mm:ss"
  std::string keyword;  // domain text (Windows-1252), as sent
  std::string site;     // the address looked for
  std::string engine;
  int foundPage = 0;      // 0: not found
  int failedPages = 0;    // pages that could not be fetched
  int searchedPages = 0;  // pages requested
};

// The history file's header line.
inline constexpr const char* kRankingHistoryHeader =
    "Zeit,Suchbegriff,Adresse,Suchmaschine,Gefunden auf Seite,Seiten nicht abrufbar,Seiten angefragt";

// Adds rows to the file, creating it with the header line. A file that exists but cannot be
// read is left alone (false with the error), so no earlier row is ever lost.
bool AppendRankingHistory(const std::string& path, const std::vector<RankingHistoryRow>& rows,
                          std::string* error = nullptr);

// Reads the rows; a missing file gives none. Lines that are not rows of the file's form are skipped.
bool ReadRankingHistory(const std::string& path, std::vector<RankingHistoryRow>& rows, std::string* error = nullptr);

// The chart page (UTF-8) for the rows, in their order.
std::string RankingChartHtml(const std::string& projectName, const std::vector<RankingHistoryRow>& rows);

// Reads the history and writes the chart page. False with kNoRankingHistoryText when there is
// no row yet, or with the file error.
bool WriteRankingChart(const std::string& historyPath, const std::string& chartPath, const std::string& projectName,
                       std::string* error = nullptr);

}  // namespace mw
