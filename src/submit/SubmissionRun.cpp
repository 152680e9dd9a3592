#include "submit/SubmissionRun.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <exception>
#include <map>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "submit/ResultReport.h"

namespace mw {
namespace {

// The date each address has in one list; the first line of an address counts.
std::map<std::string, std::string> DatesByAddress(const std::vector<PageListEntry>& entries) {
  std::map<std::string, std::string> dates;
  for (const auto& e : entries) dates.emplace(e.url, e.date);
  return dates;
}

}  // namespace

std::string TodayStamp() {
  return QDate::currentDate().toString(QStringLiteral("dd.MM.yy")).toStdString();
}

std::string ShortDateText() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toLatin1().toStdString();
}

std::string ClosingMessage(int successes, int total) {
  if (successes == total) return kAllAcceptedText;
  return "Anmeldung beendet: " + std::to_string(successes) + " von " + std::to_string(total) +
         " Seiten angemeldet. Nicht angenommene Seiten bleiben markiert.";
}

bool ApplyMarkChoice(const std::string& projectFolder, const std::vector<SubmissionEngine>& engines, MarkChoice choice,
                     std::vector<PageListEntry>& entries, std::string* error) {
  if (choice == MarkChoice::AsListed) return true;
  if (choice == MarkChoice::All) {
    for (auto& e : entries) e.marked = true;
    return true;
  }
  std::vector<std::vector<PageListEntry>> lists;
  for (const auto& engine : engines) {
    if (!engine.marked) continue;
    lists.emplace_back();
    if (!PageList::Read(IncludeTrailingSlash(projectFolder) + engine.name + ".ser", lists.back(), error)) return false;
  }
  for (auto& e : entries) {
    bool submittedSomewhere = false, markedSomewhere = false;
    for (const auto& list : lists)
      for (const auto& line : list)
        if (line.url == e.url) {
          submittedSomewhere = submittedSomewhere || line.date != kNeverSubmitted;
          markedSomewhere = markedSomewhere || line.marked;
        }
    e.marked = choice == MarkChoice::New ? !submittedSomewhere : markedSomewhere;
  }
  return true;
}

SubmissionRun::SubmissionRun(std::string projectFolder, std::string reportsFolder, std::string projectName,
                             Services services, View view)
    : projectFolder_(IncludeTrailingSlash(projectFolder)),
      reportsFolder_(IncludeTrailingSlash(reportsFolder)),
      projectName_(std::move(projectName)),
      services_(std::move(services)),
      view_(std::move(view)) {}

bool SubmissionRun::AnyMarked(const std::vector<PageListEntry>& entries) {
  for (const auto& e : entries)
    if (e.marked) return true;
  return false;
}

bool SubmissionRun::AnyEngineMarked(const std::vector<SubmissionEngine>& engines) {
  for (const auto& e : engines)
    if (e.marked) return true;
  return false;
}

int SubmissionRun::Percent(int successes, int total) {
  return total > 0 ? static_cast<int>(std::nearbyint(100.0 * successes / total)) : 0;
}

std::string SubmissionRun::ListPath(const std::string& engine) const {
  return projectFolder_ + engine + ".ser";
}

bool SubmissionRun::Save(const std::string& engine, const std::vector<PageListEntry>& entries, Outcome& out) {
  if (engine.empty()) return true;
  return writer_.Write(ListPath(engine), PageList::Format(entries), &out.error);
}

bool SubmissionRun::Load(const std::string& engine, std::vector<PageListEntry>& entries, Outcome& out) {
  return PageList::Read(ListPath(engine), entries, &out.error);
}

bool SubmissionRun::WriteMarksToAllEngines(const std::vector<SubmissionEngine>& engines,
                                           const std::vector<PageListEntry>& pages, Outcome& out) {
  // Every list is read before any is written: a list that cannot be read stops the run with
  // all lists as they were.
  std::vector<std::map<std::string, std::string>> dates;
  for (const auto& e : engines) {
    std::vector<PageListEntry> own;
    if (!Load(e.name, own, out)) return false;
    dates.push_back(DatesByAddress(own));
  }
  for (std::size_t k = 0; k < engines.size(); ++k) {
    std::vector<PageListEntry> lines = pages;
    for (auto& line : lines) {
      const auto it = dates[k].find(line.url);
      line.date = it == dates[k].end() ? kNeverSubmitted : it->second;
    }
    if (!Save(engines[k].name, lines, out)) return false;
  }
  return true;
}

SubmissionRun::Outcome SubmissionRun::Run(const std::vector<SubmissionEngine>& engines,
                                          const std::vector<PageListEntry>& shownEntries) {
  Outcome out;
  out.shownEntries = shownEntries;
  if (!AnyEngineMarked(engines)) {
    out.noEngine = true;
    if (view_.information) view_.information(kNoEngineMarkedText);
    return out;
  }
  try {
    // Every engine's list starts with the shown pages and their marks; its dates stay its own.
    const std::vector<PageListEntry> pages = shownEntries;
    if (!WriteMarksToAllEngines(engines, pages, out)) return out;
    std::vector<PageListEntry> entries;
    if (!Load(engines.front().name, entries, out)) return out;
    if (view_.showEngine) view_.showEngine(0, entries);

    int markedEngines = 0;
    for (const auto& e : engines) markedEngines += e.marked;
    int markedPages = 0;
    for (const auto& e : pages) markedPages += e.marked;
    out.total = markedPages * markedEngines;
    std::vector<bool> acceptedByAll(pages.size(), true);

    ResultReport report(projectName_, services_.reportDate());
    const std::string reportPath = reportsFolder_ + ResultReportFileName(projectName_);
    for (std::size_t p = 0; p < engines.size(); ++p) {
      if (!engines[p].marked) continue;
      if (!Load(engines[p].name, entries, out)) return out;
      out.shownEngine = p;
      if (view_.showEngine) view_.showEngine(p, entries);
      bool lastEngine = true;
      for (std::size_t q = p + 1; q < engines.size(); ++q) lastEngine = lastEngine && !engines[q].marked;
      if (!SubmitPagesToEngine(engines[p].name, lastEngine, entries, acceptedByAll, report, out)) return out;
      if (out.cancelled) {
        report.Finish();
        out.reportWritten = report.Write(reportPath, &out.error);
        out.reportPath = reportPath;
        out.shownEntries = entries;
        return out;
      }
    }

    // A page stays marked everywhere unless every marked engine accepted it.
    std::vector<PageListEntry> finalPages = pages;
    for (std::size_t i = 0; i < finalPages.size(); ++i) finalPages[i].marked = pages[i].marked && !acceptedByAll[i];
    if (!WriteMarksToAllEngines(engines, finalPages, out)) return out;
    if (!Load(engines.front().name, entries, out)) return out;
    out.shownEngine = 0;
    if (view_.showEngine) view_.showEngine(0, entries);
    if (view_.information) view_.information(ClosingMessage(out.successes, out.total));
    report.Finish();
    out.reportWritten = report.Write(reportPath, &out.error);
    out.reportPath = reportPath;
    out.shownEntries = entries;
  } catch (const std::exception& e) {
    out.error = e.what();
  }
  return out;
}

bool SubmissionRun::SubmitPagesToEngine(const std::string& engine, bool lastEngine, std::vector<PageListEntry>& entries,
                                        std::vector<bool>& acceptedByAll, ResultReport& report, Outcome& out) {
  if (!Save(engine, entries, out)) return false;
  for (std::size_t i = 0; i < entries.size() && !out.cancelled; ++i) {
    if (!entries[i].marked) continue;
    const std::string url = entries[i].url;
    const std::string submitUrl = services_.buildSubmitUrl(engine, url);
    const FetchAnswer answer = services_.fetch(submitUrl);
    if (answer.aborted) {
      // Cancelled while the request was under way: the page stays as it was, no answer kept.
      out.cancelled = true;
      break;
    }
    if (!writer_.Write(reportsFolder_ + ResponseFileName(engine, url), answer.text, &out.error)) return false;
    AttemptResult result = AttemptResult::Accepted;
    std::string outcome = " ---> Seite angemeldet!";
    if (IsFetchError(answer.text)) {
      result = AttemptResult::Unreachable;
      outcome = " ---> Seite nicht erreichbar!";
    } else if (answer.Rejected()) {
      result = AttemptResult::Rejected;
      outcome = " ---> Seite abgelehnt (HTTP " + std::to_string(answer.status) + ")!";
    }
    const bool accepted = result == AttemptResult::Accepted;
    out.successes += accepted;
    out.failures += !accepted;
    if (view_.addDoneLine) view_.addDoneLine(engine + " ---> " + url + outcome);
    if (view_.progress) view_.progress(out.successes, out.total, Percent(out.successes, out.total));
    report.AddAttempt(engine, url, submitUrl, result, answer.status);

    // Dated at once (each page with the date of its own answer), so an interrupted run never
    // submits an accepted page to this engine again.
    if (accepted)
      entries[i] = PageListEntry{services_.today(), url, false};
    else if (i < acceptedByAll.size())
      acceptedByAll[i] = false;
    if (view_.selectRow) view_.selectRow(i, entries[i]);
    if (!Save(engine, entries, out)) return false;
    if (view_.processEvents) out.cancelled = view_.processEvents();
  }
  if (!out.cancelled && lastEngine && view_.information)
    view_.information("Anmeldung fertig! Es wurden " + std::to_string(out.successes) + " Seite(n) angemeldet.");
  return true;
}

}  // namespace mw
