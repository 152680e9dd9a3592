#pragma once
// The submission run: every marked page of the shown page list goes to every marked engine as
// one request; each answer is kept and the HTML result report lists every attempt. A page is
// dated in an engine's list only when that engine accepted it (answered with a status below
// 400); a page that any marked engine did not accept stays marked in every list, so the next
// run tries it again. The window (or the command line) supplies the engines and the shown list
// and follows the run through the View callbacks.

#include <functional>
#include <string>
#include <vector>

#include "common/Files.h"
#include "platform/FetchURL.h"
#include "store/PageList.h"

namespace mw {

struct SubmissionEngine {
  std::string name;
  bool marked = false;
};

// The start checks' messages (UTF-8), shown by the window and the command line alike.
inline constexpr const char* kNoPageMarkedText =
    "Bitte markieren Sie zuerst alle Internetseiten, welche Sie anmelden m\xc3\xb6"
    "chten in dem Sie in das "
    "\"K\xc3\xa4stchen\" vor der Internetseite klicken!";
inline constexpr const char* kContactDataMissingText = "Bitte f\xc3\xbcllen Sie zuerst die Kontaktdaten aus!";
inline constexpr const char* kNoEngineMarkedText = "Es ist keine Suchmaschine ausgew\xc3\xa4hlt!";
inline constexpr const char* kAllAcceptedText = "Suchmaschineneintrag erfolgreich durchgef\xc3\xbchrt!";

// The closing message of a finished run (UTF-8): the success text only when every attempt was
// accepted.
std::string ClosingMessage(int successes, int total);

// Today's date as dd.mm.yy, the form of the page lists' date field.
std::string TodayStamp();
// Today's date in the system's short date format, for report heads.
std::string ShortDateText();

// Which pages a scripted run submits (the command line's --mark).
enum class MarkChoice {
  AsListed,  // the marks as the list holds them
  All,       // every page
  New,       // pages never submitted to any marked engine ("00.00.00" in each of their lists)
  Failed,    // pages still marked in any marked engine's list (not accepted by a former run)
};

// `entries` (one engine's list) with its marks set by `choice`, looking at the lists of the
// marked engines in `projectFolder`. False (with the German error text) when a list cannot be
// read.
bool ApplyMarkChoice(const std::string& projectFolder, const std::vector<SubmissionEngine>& engines, MarkChoice choice,
                     std::vector<PageListEntry>& entries, std::string* error = nullptr);

class SubmissionRun {
 public:
  struct Services {
    std::function<std::string(const std::string& engine, const std::string& pageUrl)> buildSubmitUrl;
    // The answer with its HTTP status (text "::ERROR:: " + address when no server answered;
    // `aborted` when the user cancelled the request under way); throws std::exception when
    // HTTP cannot work at all.
    std::function<FetchAnswer(const std::string& url)> fetch;
    std::function<std::string()> today = TodayStamp;
    std::function<std::string()> reportDate = ShortDateText;
  };

  // Everything optional. Domain texts are Windows-1252; `information` gets UTF-8 messages.
  struct View {
    std::function<void(std::size_t engineIndex, const std::vector<PageListEntry>& entries)> showEngine;
    std::function<void(const std::string& doneLine)> addDoneLine;
    std::function<void(int successes, int total, int percent)> progress;
    // Row `row` of the shown list now holds `entry` (dated and unmarked when the engine accepted
    // the page, else as it was) and becomes the selected row.
    std::function<void(std::size_t row, const PageListEntry& entry)> selectRow;
    std::function<bool()> processEvents;  // lets the user act; returns true when the run is to be cancelled
    std::function<void(const std::string& message)> information;
  };

  struct Outcome {
    bool cancelled = false;
    bool noEngine = false;  // no engine was marked: nothing was sent or written
    int successes = 0;      // attempts accepted
    int failures = 0;       // attempts not reached or rejected
    int total = 0;
    bool reportWritten = false;
    std::string reportPath;
    std::string error;            // UTF-8; empty when the run went through
    std::size_t shownEngine = 0;  // the engine whose list is shown at the end
    std::vector<PageListEntry> shownEntries;
  };

  SubmissionRun(std::string projectFolder, std::string reportsFolder, std::string projectName, Services services,
                View view);

  // `shownEntries` is the shown page list with the ticks as shown; its lines and marks go into
  // every engine's list at the start.
  Outcome Run(const std::vector<SubmissionEngine>& engines, const std::vector<PageListEntry>& shownEntries);

  static bool AnyMarked(const std::vector<PageListEntry>& entries);
  static bool AnyEngineMarked(const std::vector<SubmissionEngine>& engines);
  static int Percent(int successes, int total);  // rounded, an exact half to the even neighbour

 private:
  std::string ListPath(const std::string& engine) const;
  bool Save(const std::string& engine, const std::vector<PageListEntry>& entries, Outcome& out);
  bool Load(const std::string& engine, std::vector<PageListEntry>& entries, Outcome& out);
  // Gives every engine's list the lines and marks of `pages`, each keeping its own date for an
  // address it already had ("00.00.00" for one it had not).
  bool WriteMarksToAllEngines(const std::vector<SubmissionEngine>& engines, const std::vector<PageListEntry>& pages,
                              Outcome& out);
  // `acceptedByAll` (one flag per line) loses every page this engine did not accept.
  bool SubmitPagesToEngine(const std::string& engine, bool lastEngine, std::vector<PageListEntry>& entries,
                           std::vector<bool>& acceptedByAll, class ResultReport& report, Outcome& out);

  std::string projectFolder_;
  std::string reportsFolder_;
  std::string projectName_;
  Services services_;
  View view_;
  ReplacingWriter writer_;  // the run rewrites a list and keeps an answer for every page
};

}  // namespace mw
