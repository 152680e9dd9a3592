// meldewerk-cli submit: the submission run of step 4 without a window, for users who submit
// again from a script after publishing.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "store/ProductFacts.h"
#include "store/ProjectStore.h"
#include "submit/EngineSelection.h"
#include "submit/EngineTemplates.h"
#include "submit/SubmissionRun.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli submit PROJECT [--engines NAME,...|--important|--all|--german|--english]\n"
    "                            [--pages-from ENGINE] [--mark all|new|failed]\n\n"
    "Submits every marked page of a project to the chosen engines, exactly as the window's\n"
    "\"Anmeldung starten\" does: the marks are taken from one engine's page list (the one named\n"
    "by --pages-from, else the first engine in list order) and written to every engine, each\n"
    "answer is kept in reports/, a page is dated in an engine's list when that engine accepted\n"
    "it, and the HTML result report is written. A page that a chosen engine did not accept stays\n"
    "marked, so the next run tries it again. One line per attempt.\n\n"
    "PROJECT is a project folder name (Project_0001) or a project title.\n"
    "  --engines A,B   submit to these engines (names as in the templates folder)\n"
    "  --important     the most important engines (the default)\n"
    "  --all           every engine\n"
    "  --german        every German-language engine\n"
    "  --english       every English-language engine\n"
    "  --pages-from E  take the pages and their marks from engine E's page list\n"
    "  --mark M        set the marks before the run: all (every page), new (pages never\n"
    "                  submitted to any chosen engine), failed (pages still marked in a chosen\n"
    "                  engine's list after a run they were not accepted in); without it the\n"
    "                  marks are taken as the list holds them\n\n"
    "Exit codes: 0 every attempt accepted, 3 the run finished with at least one page not reached\n"
    "or rejected, 1 nothing to submit, no connection or a file error, 2 bad usage.\n";

void Say(const std::string& cp1252) {
  std::printf("%s\n", Cp1252ToUtf8(cp1252).c_str());
}
void SayUtf8(const std::string& utf8) {
  std::printf("%s\n", utf8.c_str());
}
int Fail(const std::string& utf8, int code) {
  std::fprintf(stderr, "meldewerk-cli submit: %s\n", utf8.c_str());
  return code;
}

int Submit(const Args& args) {
  std::string project, pagesFrom, engineList;
  EngineChoice choice = EngineChoice::Important;
  MarkChoice marks = MarkChoice::AsListed;
  bool byName = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--engines" && i + 1 < args.size()) {
      engineList = args[++i];
      byName = true;
    } else if (a == "--important") {
      choice = EngineChoice::Important;
    } else if (a == "--all") {
      choice = EngineChoice::All;
    } else if (a == "--german") {
      choice = EngineChoice::German;
    } else if (a == "--english") {
      choice = EngineChoice::English;
    } else if (a == "--mark" && i + 1 < args.size()) {
      const std::string m = args[++i];
      if (m == "all")
        marks = MarkChoice::All;
      else if (m == "new")
        marks = MarkChoice::New;
      else if (m == "failed")
        marks = MarkChoice::Failed;
      else {
        std::fputs(kHelp, stderr);
        return 2;
      }
    } else if (a == "--pages-from" && i + 1 < args.size()) {
      pagesFrom = Utf8ToCp1252(args[++i]);
    } else if (!a.starts_with("--") && project.empty()) {
      project = Utf8ToCp1252(a);
    } else {
      std::fputs(kHelp, stderr);
      return 2;
    }
  }
  if (project.empty()) {
    std::fputs(kHelp, stderr);
    return 2;
  }

  const ProgramFolder folder = CommandProgramFolder();
  folder.CreateWorkFolders();
  const ProductFacts facts = ProductFacts::Load(folder);
  const ProjectStore store(folder);
  std::string projectFolder;
  if (!FindProject(store, project, projectFolder))
    return Fail("Projekt \"" + Cp1252ToUtf8(project) + "\" nicht gefunden.", 2);
  ProjectSettings settings;
  store.ReadProjectSettings(projectFolder, settings);

  const std::string templates = folder.TemplatesFolder();
  const std::vector<std::string> names = EngineListFromTemplates(templates);
  std::vector<bool> ticks = ChooseEngines(names, choice, EnginesMarkedImportant(templates, names));
  if (byName) {
    ticks.assign(names.size(), false);
    const int n = WordCount(engineList, ",");
    for (int w = 1; w <= n; ++w) {
      const std::string wanted = Utf8ToCp1252(Trim(ExtractWord(w, engineList, ",")));
      bool found = false;
      for (std::size_t e = 0; e < names.size(); ++e)
        if (SameText(names[e], wanted)) ticks[e] = found = true;
      if (!found) return Fail("Suchmaschine \"" + Cp1252ToUtf8(wanted) + "\" gibt es nicht.", 2);
    }
  }
  std::vector<SubmissionEngine> engines;
  for (std::size_t e = 0; e < names.size(); ++e) engines.push_back({names[e], ticks[e]});

  // The marks come from one engine's list, as the window takes them from the list it shows.
  std::string source = names.empty() ? std::string() : names.front();
  if (!pagesFrom.empty()) {
    source.clear();
    for (const auto& n : names)
      if (SameText(n, pagesFrom)) source = n;
    if (source.empty()) return Fail("Suchmaschine \"" + Cp1252ToUtf8(pagesFrom) + "\" gibt es nicht.", 2);
  }
  ShownPageList shown;
  std::string error;
  if (!shown.Load(store.ProjectPath(projectFolder), source, &error)) return Fail(error, 1);
  std::vector<PageListEntry> pages = shown.Entries();
  if (!ApplyMarkChoice(store.ProjectPath(projectFolder), engines, marks, pages, &error)) return Fail(error, 1);

  if (!SubmissionRun::AnyMarked(pages)) return Fail(kNoPageMarkedText, 1);
  std::string key;
  IndexNowKeyState keyState = IndexNowKeyState::Kept;
  if (!store.EnsureIndexNowKey(projectFolder, key, &keyState, &error)) return Fail(error, 1);
  if (keyState == IndexNowKeyState::Replaced)
    std::fprintf(
        stderr, "meldewerk-cli submit: Der IndexNow-Schl\xc3\xbcssel war ung\xc3\xbcltig; neuer Schl\xc3\xbcssel: %s\n",
        key.c_str());
  // Without a route to the product page, the first submission address stands in for it.
  std::string firstAddress;
  for (const auto& engine : engines)
    for (const auto& page : pages)
      if (firstAddress.empty() && engine.marked && page.marked)
        firstAddress = BuildSubmitURL(templates, engine.name, page.url, settings.name, settings.email, key);
  const FetchFunction fetch = [](const std::string& url) { return FetchURL(url, kMainFetchTimeoutMs); };
  try {
    if (!CheckConnection(facts.productPage, fetch, firstAddress)) return Fail(kNoConnectionText, 1);
  } catch (const std::exception& e) {
    return Fail(e.what(), 1);
  }
  if (settings.name.empty() || settings.email.empty()) return Fail(kContactDataMissingText, 1);
  if (!SubmissionRun::AnyEngineMarked(engines)) return Fail(kNoEngineMarkedText, 1);

  SubmissionRun::Services services;
  services.buildSubmitUrl = [&](const std::string& engine, const std::string& page) {
    return BuildSubmitURL(templates, engine, page, settings.name, settings.email, key);
  };
  services.fetch = [](const std::string& url) { return FetchURLAnswer(url, kMainFetchTimeoutMs); };
  SubmissionRun::View view;
  view.addDoneLine = Say;
  view.information = SayUtf8;
  SubmissionRun run(store.ProjectPath(projectFolder), folder.ReportsFolder(), settings.title, services, view);
  const auto out = run.Run(engines, pages);
  if (!out.error.empty()) return Fail(out.error, 1);
  SayUtf8("Angemeldet: " + std::to_string(out.successes) + " von " + std::to_string(out.total));
  if (out.reportWritten) SayUtf8("Bericht: " + out.reportPath);
  return out.failures > 0 ? 3 : 0;
}

}  // namespace

extern const Command kSubmitCommand{"submit", "submit a project's marked pages to its engines", Submit};

}  // namespace mw::cli
