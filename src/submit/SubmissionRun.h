#pragma once
// The submission run: every marked page of the shown page list goes to every marked engine as
// one request; each answer is kept, each attempted page is dated and unmarked in the engine's
// page list, and the HTML result report lists every attempt. The window (or the command line)
// supplies the engines and the shown list and follows the run through the View callbacks.

#include <functional>
#include <string>
#include <vector>

#include "common/Files.h"
#include "store/PageList.h"

namespace mw {

struct SubmissionEngine {
  std::string name;
  bool marked = false;
};

// The start checks' messages (UTF-8), shown by the window and the command line alike.
inline constexpr const char* kNoPageMarkedText =
    "Bitte markieren Sie zuerst alle Internetseiten, welche Sie anmelden m\xc3\xb6" "chten in dem Sie in das "
    "\"K\xc3\xa4stchen\" vor der Internetseite klicken!";
inline constexpr const char* kContactDataMissingText = "Bitte f\xc3\xbcllen Sie zuerst die Kontaktdaten aus!";

// Today's date as dd.mm.yy, the form of the page lists' date field.
std::string TodayStamp();
// Today's date in the system's short date format, for report heads.
std::string ShortDateText();

class SubmissionRun {
 public:
  struct Services {
    std::function<std::string(const std::string& engine, const std::string& pageUrl)> buildSubmitUrl;
    // The answer, or "::ERROR:: " + address; throws std::exception when HTTP cannot work at all.
    std::function<std::string(const std::string& url)> fetch;
    std::function<std::string()> today = TodayStamp;
    std::function<std::string()> reportDate = ShortDateText;
  };

  // Everything optional. Domain texts are Windows-1252; `information` gets UTF-8 messages.
  struct View {
    std::function<void(std::size_t engineIndex, const std::vector<PageListEntry>& entries)> showEngine;
    std::function<void(const std::string& doneLine)> addDoneLine;
    std::function<void(int successes, int total, int percent)> progress;
    // Row `row` of the shown list now holds `entry` (dated, unmarked) and becomes the selected row.
    std::function<void(std::size_t row, const PageListEntry& entry)> selectRow;
    std::function<bool()> processEvents;  // lets the user act; returns true when the run is to be cancelled
    std::function<void(const std::string& message)> information;
  };

  struct Outcome {
    bool cancelled = false;
    int successes = 0;
    int total = 0;
    bool reportWritten = false;
    std::string reportPath;
    std::string error;                      // UTF-8; empty when the run went through
    std::size_t shownEngine = 0;            // the engine whose list is shown at the end
    std::vector<PageListEntry> shownEntries;
  };

  SubmissionRun(std::string projectFolder, std::string reportsFolder, std::string projectName, Services services,
                View view);

  // `shownEngine` is the engine whose list `shownEntries` came from (with the ticks as shown);
  // it may be empty when no list was loaded.
  Outcome Run(const std::vector<SubmissionEngine>& engines, const std::string& shownEngine,
              const std::vector<PageListEntry>& shownEntries);

  static bool AnyMarked(const std::vector<PageListEntry>& entries);
  static int Percent(int successes, int total);  // rounded, an exact half to the even neighbour

 private:
  std::string ListPath(const std::string& engine) const;
  bool Save(const std::string& engine, const std::vector<PageListEntry>& entries, Outcome& out);
  bool Load(const std::string& engine, std::vector<PageListEntry>& entries, Outcome& out);
  bool WriteToAllEngines(const std::vector<SubmissionEngine>& engines, const std::vector<PageListEntry>& entries,
                         Outcome& out);
  bool SubmitPagesToEngine(const std::string& engine, bool lastEngine, std::vector<PageListEntry>& entries,
                           class ResultReport& report, Outcome& out);

  std::string projectFolder_;
  std::string reportsFolder_;
  std::string projectName_;
  Services services_;
  View view_;
  ReplacingWriter writer_;  // the run rewrites a list and keeps an answer for every page
};

}  // namespace mw
