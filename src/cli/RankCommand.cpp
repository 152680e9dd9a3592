// meldewerk-cli rank: the ranking window's run without a window, and the ranking history chart.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Text.h"
#include "platform/FetchURL.h"
#include "ranking/RankingHistory.h"
#include "ranking/RankingRun.h"
#include "ranking/RankingTemplates.h"
#include "store/ProductFacts.h"
#include "store/ProjectStore.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli rank PROJECT --keyword TEXT [--site ADDRESS] [--pages N] [--engines NAME,...]\n"
    "       meldewerk-cli rank PROJECT --history\n\n"
    "Looks for the project's site in the result pages of the ranking engines, as the ranking\n"
    "window does: result pages 1 to N of every engine are fetched one after another (kept in\n"
    "Temp/), the first page that names the site is the engine's position, the ranking report is\n"
    "written to reports/ and the results are added to the project's ranking history.\n"
    "Each progress and result line is printed as it comes; the report's path comes last.\n\n"
    "PROJECT is a project folder name (Project_0001) or a project title.\n"
    "  --keyword TEXT    the keyword, sent as given\n"
    "  --site ADDRESS    the address to look for (default: the project's address); only its\n"
    "                    last \"/\"-separated part counts, in lower case\n"
    "  --pages N         result pages per engine (default 5)\n"
    "  --engines A,B     these ranking engines (default: every ranking template)\n"
    "  --history         write the history chart (reports/RankingVerlauf_...html) and print its path\n\n"
    "Exit codes: 0 found by at least one engine (or chart written), 1 found by none (or no\n"
    "history yet), 2 bad usage, no connection or a file error.\n";

void SayUtf8(const std::string& utf8) {
  std::printf("%s\n", utf8.c_str());
  std::fflush(stdout);
}
int Fail(const std::string& utf8, int code) {
  std::fprintf(stderr, "meldewerk-cli rank: %s\n", utf8.c_str());
  return code;
}
int BadUsage() {
  std::fputs(kHelp, stderr);
  return 2;
}

// The ranking engines named in a comma list, in the list's order; false for an unknown name.
bool ChooseEngines(const std::vector<std::string>& names, const std::string& list, std::vector<std::string>& chosen,
                   std::string& unknown) {
  const int n = WordCount(list, ",");
  for (int w = 1; w <= n; ++w) {
    const std::string wanted = Trim(ExtractWord(w, list, ","));
    bool found = false;
    for (const auto& name : names)
      if (SameText(name, wanted)) chosen.push_back(name), found = true;
    if (!found) {
      unknown = wanted;
      return false;
    }
  }
  return true;
}

int Rank(const Args& args) {
  std::string project, keyword, site, pages, engineList;
  bool haveKeyword = false, haveSite = false, havePages = false, haveEngines = false, history = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool value = i + 1 < args.size();
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--keyword" && value) {
      keyword = Utf8ToCp1252(args[++i]);
      haveKeyword = true;
    } else if (a == "--site" && value) {
      site = Utf8ToCp1252(args[++i]);
      haveSite = true;
    } else if (a == "--pages" && value) {
      pages = args[++i];
      havePages = true;
    } else if (a == "--engines" && value) {
      engineList = Utf8ToCp1252(args[++i]);
      haveEngines = true;
    } else if (a == "--history") {
      history = true;
    } else if (!a.starts_with("--") && project.empty()) {
      project = Utf8ToCp1252(a);
    } else {
      return BadUsage();
    }
  }
  if (project.empty() || (!history && !haveKeyword)) return BadUsage();

  const ProgramFolder folder = CommandProgramFolder();
  folder.CreateWorkFolders();
  const ProjectStore store(folder);
  std::string projectFolder;
  if (!FindProject(store, project, projectFolder))
    return Fail("Projekt \"" + Cp1252ToUtf8(project) + "\" nicht gefunden.", 2);
  ProjectSettings settings;
  store.ReadProjectSettings(projectFolder, settings);
  const std::string reports = folder.ReportsFolder();

  if (history) {
    const std::string chart = reports + RankingChartFileName(settings.title);
    std::string error;
    if (!WriteRankingChart(reports + RankingHistoryFileName(settings.title), chart, settings.title, &error))
      return Fail(error, error == kNoRankingHistoryText ? 1 : 2);
    SayUtf8("Verlauf: " + chart);
    return 0;
  }

  // The address as the window takes it from the project, then as its field keeps it.
  if (!haveSite) site = RankingSearchAddress(settings.url);
  std::string message;
  if (!CheckRankingInput(keyword, site, message)) return Fail(message, 2);
  RankingRun::Request request;
  request.keyword = keyword;
  request.searchAddress = RankingSearchAddress(site);
  if (havePages && !TryStrToInt(Trim(pages), request.pageLimit)) return Fail(kBadPageLimitText, 2);

  const std::string templates = folder.TemplatesFolder();
  const std::vector<std::string> names = RankingEngineNames(templates);
  std::string unknown;
  if (!haveEngines)
    request.engines = names;
  else if (!ChooseEngines(names, engineList, request.engines, unknown))
    return Fail("Suchmaschine \"" + Cp1252ToUtf8(unknown) + "\" gibt es nicht.", 2);

  const ProductFacts facts = ProductFacts::Load(folder);
  // Without a route to the product page, the first result page stands in for it.
  const std::string firstAddress =
      request.engines.empty() ? std::string() : BuildRankingURL(templates, request.engines[0], 0, request.keyword);
  try {
    // The connection check is the main window's request, with its time-out.
    if (!CheckConnection(
            facts.productPage, [](const std::string& url) { return FetchURL(url, kMainFetchTimeoutMs); }, firstAddress))
      return Fail(kNoConnectionText, 2);
  } catch (const std::exception& e) {
    return Fail(e.what(), 2);
  }

  RankingRun::Services services;
  services.buildUrl = [&templates](const std::string& engine, int page, const std::string& kw) {
    return BuildRankingURL(templates, engine, page, kw);
  };
  services.fetch = [](const std::string& url) {
    return FetchURLAnswer(url, kRankingFetchTimeoutMs, nullptr, kRankingFetchLimitMs);
  };
  RankingRun::View view;
  view.addLine = [](const std::string& line) { SayUtf8(Cp1252ToUtf8(line)); };
  RankingRun run(folder.TempFolder(), reports, settings.title, services, view);
  const RankingRun::Outcome out = run.Run(request);
  if (!out.error.empty()) Fail(out.error, 2);
  if (out.reportWritten) SayUtf8("Bericht: " + out.reportPath);
  if (!out.error.empty()) return 2;
  return out.AnyFound() ? 0 : 1;
}

}  // namespace

extern const Command kRankCommand{"rank", "find the project's site in the engines' result pages", Rank};

}  // namespace mw::cli
