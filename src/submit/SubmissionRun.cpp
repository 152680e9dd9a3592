#include "submit/SubmissionRun.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <exception>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "submit/ResultReport.h"

namespace mw {

std::string TodayStamp() { return QDate::currentDate().toString(QStringLiteral("dd.MM.yy")).toStdString(); }

std::string ShortDateText() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toLatin1().toStdString();
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

int SubmissionRun::Percent(int successes, int total) {
  return total > 0 ? static_cast<int>(std::nearbyint(100.0 * successes / total)) : 0;
}

std::string SubmissionRun::ListPath(const std::string& engine) const { return projectFolder_ + engine + ".ser"; }

bool SubmissionRun::Save(const std::string& engine, const std::vector<PageListEntry>& entries, Outcome& out) {
  if (engine.empty()) return true;
  return writer_.Write(ListPath(engine), PageList::Format(entries), &out.error);
}

bool SubmissionRun::Load(const std::string& engine, std::vector<PageListEntry>& entries, Outcome& out) {
  return PageList::Read(ListPath(engine), entries, &out.error);
}

bool SubmissionRun::WriteToAllEngines(const std::vector<SubmissionEngine>& engines,
                                      const std::vector<PageListEntry>& entries, Outcome& out) {
  for (const auto& e : engines)
    if (!Save(e.name, entries, out)) return false;
  return true;
}

SubmissionRun::Outcome SubmissionRun::Run(const std::vector<SubmissionEngine>& engines, const std::string& shownEngine,
                                          const std::vector<PageListEntry>& shownEntries) {
  Outcome out;
  try {
    // Every engine's list starts with the shown pages and their marks.
    if (!WriteToAllEngines(engines, shownEntries, out)) return out;
    std::string current = shownEngine;
    std::vector<PageListEntry> entries = shownEntries;
    if (!engines.empty()) {
      if (!Save(current, entries, out) || !Load(engines.front().name, entries, out)) return out;
      current = engines.front().name;
      if (view_.showEngine) view_.showEngine(0, entries);
    }

    int markedEngines = 0;
    for (const auto& e : engines) markedEngines += e.marked;
    int markedPages = 0;
    for (const auto& e : entries) markedPages += e.marked;
    out.total = markedPages * markedEngines;

    ResultReport report(projectName_, services_.reportDate());
    const std::string reportPath = reportsFolder_ + ResultReportFileName(projectName_);
    for (std::size_t p = 0; p < engines.size(); ++p) {
      if (!engines[p].marked) continue;
      if (!Save(current, entries, out) || !Load(engines[p].name, entries, out)) return out;
      current = engines[p].name;
      out.shownEngine = p;
      if (view_.showEngine) view_.showEngine(p, entries);
      bool lastEngine = true;
      for (std::size_t q = p + 1; q < engines.size(); ++q) lastEngine = lastEngine && !engines[q].marked;
      if (!SubmitPagesToEngine(current, lastEngine, entries, report, out)) return out;
      if (out.cancelled) {
        report.Finish();
        out.reportWritten = report.Write(reportPath, &out.error);
        out.reportPath = reportPath;
        out.shownEntries = entries;
        return out;
      }
    }

    // All lists now take the last engine's list, in which every submitted page is dated.
    if (!WriteToAllEngines(engines, entries, out)) return out;
    if (!engines.empty()) {
      if (!Save(current, entries, out) || !Load(engines.front().name, entries, out)) return out;
      out.shownEngine = 0;
      if (view_.showEngine) view_.showEngine(0, entries);
    }
    if (view_.information) view_.information("Suchmaschineneintrag erfolgreich durchgef\xc3\xbchrt!");
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
                                        ResultReport& report, Outcome& out) {
  if (!Save(engine, entries, out)) return false;
  const std::string today = services_.today();
  for (std::size_t i = 0; i < entries.size() && !out.cancelled; ++i) {
    if (!entries[i].marked) continue;
    const std::string url = entries[i].url;
    const std::string submitUrl = services_.buildSubmitUrl(engine, url);
    const std::string answer = services_.fetch(submitUrl);
    if (!writer_.Write(reportsFolder_ + ResponseFileName(engine, url), answer, &out.error)) return false;
    const bool reached = !IsFetchError(answer);
    out.successes += reached;
    if (view_.addDoneLine)
      view_.addDoneLine(engine + " ---> " + url + (reached ? " ---> Seite angemeldet!" : " ---> Seite nicht erreichbar!"));
    if (view_.progress) view_.progress(out.successes, out.total, Percent(out.successes, out.total));
    report.AddAttempt(engine, url, submitUrl);

    // The page is dated and unmarked at once, so an interrupted run never submits it again.
    entries[i] = PageListEntry{today, url, false};
    if (view_.selectRow) view_.selectRow(i, entries[i]);
    if (!Save(engine, entries, out)) return false;
    if (view_.processEvents) out.cancelled = view_.processEvents();
  }
  if (!out.cancelled && lastEngine && view_.information)
    view_.information("Anmeldung fertig! Es wurden " + std::to_string(out.successes) + " Seite(n) angemeldet.");
  return true;
}

}  // namespace mw
