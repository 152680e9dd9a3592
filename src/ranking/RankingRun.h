#pragma once
// The ranking run: for every chosen engine, result pages 1, 2, ... up to the page limit are
// fetched one after another and searched for the user's site; the first page that names it is
// the engine's position. Each fetched page is kept in "Temp/", the HTML ranking report is
// written to "reports/" and every engine's result is added to the project's ranking history.
// The ranking window and `meldewerk-cli rank` drive the same run.
//
// A page that could not be searched (the fetch failed, or the engine answered 400 or more, as
// a block page, a rate limit or a captcha does) is never taken as "not found": it counts as
// failed, and an engine not found with failed pages says how many could not be fetched.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Files.h"
#include "platform/FetchURL.h"

namespace mw {

// Messages of the ranking checks (UTF-8), shown by the window and the command line alike.
inline constexpr const char* kNoKeywordText =
    "Bitte geben Sie zuerst den Suchbegriff ein, f\xc3\xbcr den Ihre Seite gefunden werden soll!";
inline constexpr const char* kNoSiteText =
    "Bitte geben Sie zuerst eine g\xc3\xbcltige Webseite ein, welche gefunden werden soll!";
inline constexpr const char* kBadPageLimitText = "Kein g\xc3\xbcltige Seitennummer eingegeben!";
inline constexpr const char* kNoRankingHistoryText = "Noch kein Ranking-Verlauf vorhanden!";

// The address to look for, made from what the user typed or pasted: its last "/"-separated
// word (a trailing "/" ignored), lower-cased. "http://www.Beispiel.de/" gives "www.beispiel.de".
std::string RankingSearchAddress(std::string_view text);

// Whether the page names the site: some line of it, lower-cased, contains `address`. An empty
// address is never found.
bool PageNamesSite(std::string_view page, std::string_view address);

// The start checks on the typed texts; false with the message (UTF-8) to show.
bool CheckRankingInput(const std::string& keyword, const std::string& site, std::string& message);

// The run's file names for a project: prefix + SafeFileName(project name) + extension, shortened
// like every other report name when the title is very long.
std::string RankingFileName(const std::string& prefix, const std::string& projectName, const std::string& extension);
std::string RankingReportFileName(const std::string& projectName);   // "Ranking_....html"
std::string RankingHistoryFileName(const std::string& projectName);  // "Ranking_....csv"
std::string RankingChartFileName(const std::string& projectName);    // "RankingVerlauf_....html"

struct RankingEngineResult {
  std::string engine;
  int foundPage = 0;        // 1 = first result page; 0 when not found
  int failedPages = 0;      // pages that could not be searched
  int searchedPages = 0;    // pages requested for the engine (the page limit when not found)
  std::string lastAddress;  // the page the site was found on, else the last page requested

  // "Position: " + engine + " / Page " + page, or " / nicht gefunden", with the count of pages
  // that could not be fetched when there were any.
  std::string ResultLine() const;
};

class RankingRun {
 public:
  struct Services {
    // The result page with the HTTP status; throws HttpLibraryError when HTTP cannot work.
    std::function<FetchAnswer(const std::string& url)> fetch;
    // The address of result page `pageIndex` (from 0) of an engine.
    std::function<std::string(const std::string& engine, int pageIndex, const std::string& keyword)> buildUrl;
    std::function<std::string()> reportDate;  // today in the short date format; ShortDateText by default
    std::function<std::string()> timeStamp;   // "yyyy-MM-dd HH:mm:ss" of now, for the history
  };
  struct View {
    std::function<void(const std::string& line)> addLine;          // a progress or result line (Windows-1252)
    std::function<void(const std::string& pageText)> pageFetched;  // the page about to be searched
  };
  struct Request {
    std::vector<std::string> engines;  // the ticked engines, in list order
    std::string keyword;               // sent as typed
    std::string searchAddress;         // lower case, as RankingSearchAddress gives it
    int pageLimit = 5;
  };
  struct Outcome {
    std::vector<RankingEngineResult> results;
    std::string reportPath;
    bool reportWritten = false;
    std::string error;  // UTF-8; empty when the run went through
    bool AnyFound() const;
  };

  // `projectName` is the project title (Windows-1252).
  RankingRun(std::string tempFolder, std::string reportsFolder, std::string projectName, Services services, View view);

  Outcome Run(const Request& request);

 private:
  bool SearchEngine(const Request& request, RankingEngineResult& result, Outcome& out);

  std::string tempFolder_;
  std::string reportsFolder_;
  std::string projectName_;
  Services services_;
  View view_;
  ReplacingWriter writer_;  // the result pages in "Temp/", rewritten on every run
};

// Today and now as the run uses them by default.
std::string RankingTimeStamp();

}  // namespace mw
