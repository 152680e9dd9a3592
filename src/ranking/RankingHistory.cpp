#include "ranking/RankingHistory.h"

#include <algorithm>
#include <map>
#include <utility>

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"
#include "ranking/RankingRun.h"
#include "submit/ResultReport.h"

namespace mw {
namespace {

constexpr int kColumns = 7;

std::string CsvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvLine(const RankingHistoryRow& r) {
  return CsvField(r.time) + "," + CsvField(Cp1252ToUtf8(r.keyword)) + "," + CsvField(Cp1252ToUtf8(r.site)) + "," +
         CsvField(Cp1252ToUtf8(r.engine)) + "," + (r.foundPage > 0 ? std::to_string(r.foundPage) : std::string()) +
         "," + std::to_string(r.failedPages) + "," + std::to_string(r.searchedPages) + "\r\n";
}

// Splits RFC 4180 text into records of fields; quoted fields may hold commas and line breaks.
std::vector<std::vector<std::string>> ParseCsv(std::string_view text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
        field += '"', ++i;
      else if (c == '"')
        quoted = false;
      else
        field += c;
    } else if (c == '"') {
      quoted = any = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
      any = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      if (any || !field.empty()) fields.push_back(std::move(field)), records.push_back(std::move(fields));
      fields.clear();
      field.clear();
      any = false;
    } else {
      field += c;
      any = true;
    }
  }
  if (any || !field.empty()) fields.push_back(std::move(field)), records.push_back(std::move(fields));
  return records;
}

std::string Html(const std::string& cp1252) {
  return HtmlEscape(Cp1252ToUtf8(cp1252));
}

// "2026-03-14 09:05:00" as "14.03.2026 09:05".
std::string ShownTime(const std::string& time) {
  if (time.size() < 16 || time[4] != '-' || time[7] != '-') return time;
  return time.substr(8, 2) + "." + time.substr(5, 2) + "." + time.substr(0, 4) + " " + time.substr(11, 5);
}

std::string ResultText(const RankingHistoryRow& r) {
  if (r.foundPage > 0) return "Seite " + std::to_string(r.foundPage);
  RankingEngineResult result;
  result.engine = r.engine;
  result.failedPages = r.failedPages;
  result.searchedPages = r.searchedPages;
  const std::string line = result.ResultLine();
  return line.substr(line.find(" / ") + 3);
}

// One keyword and engine: the found page of each run as a line over the runs, page 1 at the top
// and "nicht gefunden" one step below the last page searched.
std::string Chart(const std::vector<const RankingHistoryRow*>& runs) {
  int lastPage = 1;
  for (const auto* r : runs) lastPage = std::max({lastPage, r->searchedPages, r->foundPage});
  const int steps = lastPage + 1;  // pages 1..lastPage and "nicht gefunden"
  const int rowHeight = std::clamp(360 / steps, 4, 24);
  const int left = 120, top = 16, width = 640, plotWidth = width - left - 24;
  const int height = top + rowHeight * (steps - 1) + 48;
  const auto y = [&](int page) { return top + rowHeight * ((page > 0 ? page : steps) - 1); };
  const auto x = [&](std::size_t i) {
    return runs.size() == 1 ? left + plotWidth / 2 : left + int(i * std::size_t(plotWidth) / (runs.size() - 1));
  };
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
                    std::to_string(height) +
                    "\" role=\"img\" font-family=\"Arial, Helvetica, sans-serif\" font-size=\"11\">\n";
  const int labelEvery = std::max(1, (steps * 14 + 359) / 360);
  for (int page = 1; page <= steps; ++page) {
    const int py = y(page == steps ? 0 : page);
    const bool label = page == steps || page == 1 || (page - 1) % labelEvery == 0;
    svg += "<line x1=\"" + std::to_string(left) + "\" y1=\"" + std::to_string(py) + "\" x2=\"" +
           std::to_string(left + plotWidth) + "\" y2=\"" + std::to_string(py) + "\" stroke=\"" +
           (page == steps ? "#cc0000" : "#dddddd") + "\"/>\n";
    if (label)
      svg += "<text x=\"" + std::to_string(left - 8) + "\" y=\"" + std::to_string(py + 4) + "\" text-anchor=\"end\">" +
             (page == steps ? std::string("nicht gefunden") : "Seite " + std::to_string(page)) + "</text>\n";
  }
  std::string points;
  for (std::size_t i = 0; i < runs.size(); ++i)
    points += (i ? " " : "") + std::to_string(x(i)) + "," + std::to_string(y(runs[i]->foundPage));
  svg += "<polyline fill=\"none\" stroke=\"#000099\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
  const std::size_t dateEvery = std::max<std::size_t>(1, (runs.size() + 5) / 6);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const RankingHistoryRow& r = *runs[i];
    const bool couldNotLook = r.foundPage == 0 && r.failedPages > 0;
    svg += "<circle cx=\"" + std::to_string(x(i)) + "\" cy=\"" + std::to_string(y(r.foundPage)) + "\" r=\"4\" fill=\"" +
           (couldNotLook ? "#ffffff\" stroke=\"#cc0000\" stroke-width=\"2" : "#000099") + "\"><title>" +
           HtmlEscape(ShownTime(r.time)) + ": " + HtmlEscape(Cp1252ToUtf8(ResultText(r))) + "</title></circle>\n";
    if (i % dateEvery == 0 || i + 1 == runs.size())
      svg += "<text x=\"" + std::to_string(x(i)) + "\" y=\"" + std::to_string(height - 20) +
             "\" text-anchor=\"middle\">" + HtmlEscape(ShownTime(r.time).substr(0, 10)) + "</text>\n";
  }
  return svg + "</svg>\n";
}

std::string Table(const std::vector<const RankingHistoryRow*>& runs) {
  std::string table =
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>Zeit</th><th>Adresse</th><th>Ergebnis</th>"
      "<th>Seiten nicht abrufbar</th><th>Seiten angefragt</th></tr>\n";
  for (const auto* r : runs)
    table += "<tr><td>" + HtmlEscape(ShownTime(r->time)) + "</td><td>" + Html(r->site) + "</td><td>" +
             Html(ResultText(*r)) + "</td><td>" + std::to_string(r->failedPages) + "</td><td>" +
             std::to_string(r->searchedPages) + "</td></tr>\n";
  return table + "</table>\n";
}

}  // namespace

bool AppendRankingHistory(const std::string& path, const std::vector<RankingHistoryRow>& rows, std::string* error) {
  std::string content;
  if (FileExists(path) && !ReadWholeFile(path, content, error)) return false;
  if (content.empty())
    content = std::string(kRankingHistoryHeader) + "\r\n";
  else if (content.back() != '\n')
    content += "\r\n";
  for (const auto& r : rows) content += CsvLine(r);
  return WriteFileAtomic(path, content, error);
}

bool ReadRankingHistory(const std::string& path, std::vector<RankingHistoryRow>& rows, std::string* error) {
  rows.clear();
  if (!FileExists(path)) return true;
  std::string content;
  if (!ReadWholeFile(path, content, error)) return false;
  for (const auto& f : ParseCsv(content)) {
    RankingHistoryRow r;
    if (f.size() != kColumns || f[0] == "Zeit") continue;
    int found = 0;
    if (!f[4].empty() && !TryStrToInt(f[4], found)) continue;
    if (!TryStrToInt(f[5], r.failedPages) || !TryStrToInt(f[6], r.searchedPages)) continue;
    r.time = f[0];
    r.keyword = Utf8ToCp1252(f[1]);
    r.site = Utf8ToCp1252(f[2]);
    r.engine = Utf8ToCp1252(f[3]);
    r.foundPage = std::max(found, 0);
    rows.push_back(std::move(r));
  }
  return true;
}

std::string RankingChartHtml(const std::string& projectName, const std::vector<RankingHistoryRow>& rows) {
  // Keyword and engine pairs in the order they first appear.
  std::vector<std::pair<std::string, std::string>> order;
  std::map<std::pair<std::string, std::string>, std::vector<const RankingHistoryRow*>> series;
  for (const auto& r : rows) {
    auto& runs = series[{r.keyword, r.engine}];
    if (runs.empty()) order.emplace_back(r.keyword, r.engine);
    runs.push_back(&r);
  }
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>Meldewerk Ranking-Verlauf</title>\n"
      "<style>body{font-family:Arial,Helvetica,sans-serif;color:#000}h1{color:#000099}"
      "th{background:#000099;color:#fff;text-align:left}td,th{font-size:13px}</style></head>\n<body>\n"
      "<h1>Meldewerk Ranking-Verlauf</h1>\n<p><b>Projekt: " +
      Html(projectName) +
      "</b></p>\n<p>Die Linie zeigt, auf welcher Ergebnisseite die Adresse gefunden wurde (Seite 1 oben). Ein "
      "roter Ring hei\xc3\x9ft: nicht gefunden, aber Ergebnisseiten waren nicht abrufbar.</p>\n";
  for (const auto& key : order) {
    const auto& runs = series[key];
    html += "<h2>Suchbegriff: " + Html(key.first) + " &ndash; Suchmaschine: " + Html(key.second) + "</h2>\n";
    html += Chart(runs) + Table(runs);
  }
  return html + "</body></html>\n";
}

bool WriteRankingChart(const std::string& historyPath, const std::string& chartPath, const std::string& projectName,
                       std::string* error) {
  std::vector<RankingHistoryRow> rows;
  if (!ReadRankingHistory(historyPath, rows, error)) return false;
  if (rows.empty()) {
    if (error) *error = kNoRankingHistoryText;
    return false;
  }
  return WriteFileAtomic(chartPath, RankingChartHtml(projectName, rows), error);
}

}  // namespace mw
