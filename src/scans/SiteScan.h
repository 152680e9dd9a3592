#pragma once
// What the main window and the command line do with a crawl: page discovery (the site's
// HTML and script pages for the project), the broken-link finder and the meta-tag analysis.
// The owner forwards the crawler's events here and shows what the View callbacks hand out.

#include <functional>
#include <string>
#include <vector>

#include "store/ProgramFolder.h"

namespace mw {

enum class ScanMode { Discovery = 0, BrokenLinks = 1, MetaTags = 2 };

class SiteScan {
 public:
  struct View {
    std::function<void(const std::string& line)> addResultLine;           // a new line of the result list
    std::function<void(const std::vector<std::string>& lines)> setStats;  // the statistics box, whole
    std::function<void(const std::string& text)> setStatus;               // the status-bar text
  };

  // What a finished crawl leaves to the owner.
  struct Ending {
    std::string summary;                // UTF-8 message for the broken-link and meta-tag scans
    bool offerSave = false;             // ask whether to save the result list
    std::vector<std::string> newPages;  // discovery: the result list, to add to the project
    std::string keywordFile;            // meta-tag analysis: the file written
    std::string error;                  // UTF-8; a keyword file that could not be written
  };

  SiteScan(ProgramFolder folder, View view);

  // The label above the result list for each kind of scan.
  static const char* ModeLabelText(ScanMode mode);
  // The scheme rule of the start: "http://" in front unless "http://" or "https://" occurs.
  static std::string WithScheme(const std::string& address);
  // True for an address whose upper-case form holds ".HTM", ".SHTM", ".PHP", ".ASP", ".CFM" or ".JSP".
  static bool IsPageLike(const std::string& url);
  // The statistics box: six lines with labels right-aligned to 24 characters.
  static std::vector<std::string> StatsLines(int inQueue, int downloading, int toAnalyze, int done, int retries,
                                             int errors);

  // A crawl has started at `startUrl` (the crawler's normalised address) for `mode`; `maxPages`
  // is the page limit of a discovery, read once at the start.
  void Begin(ScanMode mode, const std::string& startUrl, int maxPages = 0);
  ScanMode Mode() const { return mode_; }
  const std::vector<std::string>& ResultLines() const { return lines_; }
  int OkCount() const { return ok_; }
  int BrokenCount() const { return broken_; }
  // Whether the start address came in as a page; a scan whose start page failed found nothing.
  bool StartLoaded() const { return startLoaded_; }
  // The line that says the start address could not be loaded.
  std::string StartFailedLine() const;

  void Working(bool working);  // true: "   Working..." in the status bar
  void Stats(int inQueue, int downloading, int toAnalyze, int done, int retries, int errors);
  // Returns true when a discovery has reached its page limit and the crawl is to be stopped.
  // `maxPagesText` is the limit's edit as it reads now; when it is no longer a whole number the
  // limit read at the start stays in force.
  bool PageReceived(const std::string& url, const std::string& maxPagesText = {});
  // `fromUrl` is the page that links to the failed address, empty when unknown.
  void Error(const std::string& url, const std::string& fromUrl = {});
  void MetaTag(const std::string& url, const std::string& tagType, const std::string& firstValue,
               const std::string& secondValue);
  void StopRequested();  // appends "    stopping..." to the status text

  // The crawl has ended: "     Done." in the status bar, then per mode the summary, the keyword
  // file or the pages for the project. `addressText` names the keyword file.
  Ending Finish(const std::string& addressText);

  // The keyword list of a collection of keyword texts: split at ",", trimmed, no empty words.
  static std::vector<std::string> KeywordList(const std::vector<std::string>& collection);
  // Sorts a keyword file without regard to case in the user's locale and keeps one line per key
  // (the first ";"-field, trimmed and lower-cased).
  static bool DedupKeywordFile(const std::string& path, std::string* error = nullptr);
  static bool SaveResultList(const std::string& path, const std::vector<std::string>& lines,
                             std::string* error = nullptr);

 private:
  void Add(std::string line);
  void SetStatus(std::string text);

  ProgramFolder folder_;
  View view_;
  ScanMode mode_ = ScanMode::Discovery;
  std::vector<std::string> lines_;
  std::vector<std::string> keywords_;
  std::string lastMetaUrl_;
  std::string status_;
  std::string startUrl_;
  bool startLoaded_ = false;
  int maxPages_ = 0;
  int ok_ = 0;
  int broken_ = 0;
};

}  // namespace mw
