#include "ranking/RankingRun.h"

#include <QDateTime>
#include <algorithm>
#include <exception>

#include "common/SafeFileName.h"
#include "common/Text.h"
#include "ranking/RankingHistory.h"
#include "ranking/RankingReport.h"
#include "submit/ResultReport.h"
#include "submit/SubmissionRun.h"

namespace mw {

std::string RankingSearchAddress(std::string_view text) {
  return LowerCase(ExtractWord(WordCount(text, "/"), text, "/"));
}

bool PageNamesSite(std::string_view page, std::string_view address) {
  // Lines end at line breaks, which an address cannot span.
  if (address.empty() || address.find_first_of("\r\n") != std::string_view::npos) return false;
  if (page.size() < address.size()) return false;
  // A case-blind search over the whole text, without a lower-cased copy of a large page.
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::search(page.begin(), page.end(), address.begin(), address.end(),
                     [&](char p, char a) { return lower(p) == a; }) != page.end();
}

bool CheckRankingInput(const std::string& keyword, const std::string& site, std::string& message) {
  if (Trim(keyword).empty()) {
    message = kNoKeywordText;
    return false;
  }
  if (Trim(site) == "www.") {
    message = kNoSiteText;
    return false;
  }
  return true;
}

// The one place that names the run's files: prefix + "_" + folded project name + extension,
// shortened like every report name.
std::string RankingFileName(const std::string& prefix, const std::string& projectName, const std::string& extension) {
  return FittingFileName(prefix + "_", projectName, extension);
}
std::string RankingReportFileName(const std::string& projectName) {
  return RankingFileName("Ranking", projectName, ".html");
}
std::string RankingHistoryFileName(const std::string& projectName) {
  return RankingFileName("Ranking", projectName, ".csv");
}
std::string RankingChartFileName(const std::string& projectName) {
  return RankingFileName("RankingVerlauf", projectName, ".html");
}

std::string RankingEngineResult::ResultLine() const {
  if (foundPage > 0) return "Position: " + engine + " / Page " + std::to_string(foundPage);
  if (failedPages > 0)
    return "Position: " + engine + " / nicht gefunden (" + std::to_string(failedPages) + " von " +
           std::to_string(searchedPages) + " Seiten nicht abrufbar)";
  return "Position: " + engine + " / nicht gefunden";
}

bool RankingRun::Outcome::AnyFound() const {
  return std::any_of(results.begin(), results.end(), [](const auto& r) { return r.foundPage > 0; });
}

std::string RankingTimeStamp() {
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

RankingRun::RankingRun(std::string tempFolder, std::string reportsFolder, std::string projectName, Services services,
                       View view)
    : tempFolder_(IncludeTrailingSlash(tempFolder)),
      reportsFolder_(IncludeTrailingSlash(reportsFolder)),
      projectName_(std::move(projectName)),
      services_(std::move(services)),
      view_(std::move(view)) {
  if (!services_.reportDate) services_.reportDate = ShortDateText;
  if (!services_.timeStamp) services_.timeStamp = RankingTimeStamp;
}

bool RankingRun::SearchEngine(const Request& request, RankingEngineResult& result, Outcome& out) {
  for (int i = 0; i < request.pageLimit; ++i) {
    result.lastAddress = services_.buildUrl(result.engine, i, request.keyword);
    const FetchAnswer answer = services_.fetch(result.lastAddress);
    ++result.searchedPages;
    if (view_.pageFetched) view_.pageFetched(answer.text);
    if (!writer_.Write(tempFolder_ + result.engine + std::to_string(i + 1) + ".html", answer.text, &out.error))
      return false;
    if (view_.addLine) view_.addLine("Durchsuche Page: " + std::to_string(i + 1) + " / " + result.engine);
    // A block page or a failed fetch says nothing about the site's position.
    if (IsFetchError(answer.text) || answer.Rejected()) {
      ++result.failedPages;
      continue;
    }
    if (PageNamesSite(answer.text, request.searchAddress)) {
      result.foundPage = i + 1;
      return true;
    }
  }
  return true;
}

RankingRun::Outcome RankingRun::Run(const Request& request) {
  Outcome out;
  const std::string stamp = services_.timeStamp();
  try {
    RankingReport report(projectName_, services_.reportDate());
    for (const auto& engine : request.engines) {
      RankingEngineResult result;
      result.engine = engine;
      if (!SearchEngine(request, result, out)) return out;
      if (view_.addLine) view_.addLine(result.ResultLine());
      report.AddEngine(result.ResultLine(), result.lastAddress);
      out.results.push_back(std::move(result));
    }
    report.Finish();

    // The history first: a report that cannot be written must not cost the run's rows.
    std::vector<RankingHistoryRow> rows;
    for (const auto& r : out.results)
      rows.push_back(
          {stamp, request.keyword, request.searchAddress, r.engine, r.foundPage, r.failedPages, r.searchedPages});
    std::string historyError;
    const bool historyWritten =
        rows.empty() ||
        AppendRankingHistory(reportsFolder_ + RankingHistoryFileName(projectName_), rows, &historyError);
    out.reportPath = reportsFolder_ + RankingReportFileName(projectName_);
    out.reportWritten = report.Write(out.reportPath, &out.error);
    if (!historyWritten && out.error.empty()) out.error = historyError;
  } catch (const std::exception& e) {
    out.error = e.what();
  }
  return out;
}

}  // namespace mw
