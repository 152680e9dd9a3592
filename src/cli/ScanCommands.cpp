// meldewerk-cli discover, broken and meta: the three site scans of the main window without a
// window, with the same crawler settings (those of "Program.ini" when it exists) and the same
// SiteScan rules. The result list is printed as the window's list would hold it.
#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ProgramInfo.h"
#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"
#include "crawler/HttpScan.h"
#include "scans/MainCrawler.h"
#include "scans/SiteScan.h"
#include "scans/Sitemap.h"
#include "store/ProgramFolder.h"
#include "store/ProgramSettings.h"

namespace mw::cli {
namespace {

constexpr const char* kHelp =
    "Usage: meldewerk-cli discover URL [--max N] [--parallel N] [--sitemap FILE]\n"
    "       meldewerk-cli broken URL [--parallel N]\n"
    "       meldewerk-cli meta URL [--parallel N]\n\n"
    "discover  lists the site's HTML and script pages below URL, at most N lines with the start\n"
    "          address (default 20), as step 1 of the window finds them; with --sitemap FILE\n"
    "          also writes them as a sitemap (sitemaps.org, UTF-8) to FILE\n"
    "broken    lists every page that loads (\"OK: \") and every page-like address that cannot be\n"
    "          loaded, with the page that links to it; exits 1 when a broken page was found\n"
    "meta      lists title, description and keywords page by page and writes the keyword file\n"
    "          keywords_<address>.txt into the program folder\n\n"
    "  --parallel N  simultaneous downloads (default 6, as in the window)\n\n"
    "The crawler uses the retries, time-out and proxy of Program.ini. Exit codes: 0 done,\n"
    "1 broken pages found or the start address cannot be loaded (broken) or the sitemap could not\n"
    "be written, 2 bad usage, the crawl could not start or the start address cannot be loaded\n"
    "(discover, meta).\n";

void Print(const std::string& cp1252) {
  std::printf("%s\n", Cp1252ToUtf8(cp1252).c_str());
}

int RunScan(ScanMode mode, const Args& args) {
  std::string url, sitemap;
  int maxPages = 20, parallel = 6;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if ((a == "--max" && mode == ScanMode::Discovery) || a == "--parallel") {
      int value = 0;
      if (i + 1 >= args.size() || !TryStrToInt(args[i + 1], value) || value < 1) {
        std::fprintf(stderr, "meldewerk-cli: %s takes a whole number of at least 1\n", a.c_str());
        return 2;
      }
      (a == "--max" ? maxPages : parallel) = value;
      ++i;
    } else if (a == "--sitemap" && mode == ScanMode::Discovery && i + 1 < args.size()) {
      sitemap = args[++i];
    } else if (!a.starts_with("--") && url.empty()) {
      url = Utf8ToCp1252(a);
    } else {
      std::fputs(kHelp, stderr);
      return 2;
    }
  }
  if (url.empty()) {
    std::fputs(kHelp, stderr);
    return 2;
  }

  const ProgramFolder folder = CommandProgramFolder();
  ProgramSettings settings;
  settings.Load(folder.ProgramIni());
  THttpScan crawler([](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); });
  SetDesignTimeValues(crawler);
  CrawlerBinding binding;
  binding.Apply = [&crawler](CrawlerProperty p, const CrawlerValues& v) { ApplyCrawlerValue(crawler, p, v); };
  BindProgramSettings(binding, folder, settings);
  crawler.SetConcurrentDownloads(parallel);

  std::vector<std::string> listed;
  const auto printAndKeep = [&listed](const std::string& line) {
    Print(line);
    listed.push_back(line);
  };
  SiteScan scan(folder, SiteScan::View{printAndKeep, {}, {}});
  QEventLoop loop;
  ScanHooks hooks;
  hooks.limitReached = [&crawler] { crawler.Stop(); };
  hooks.ended = [&loop] { loop.quit(); };
  ConnectSiteScan(crawler, scan, hooks);

  const std::string start = SiteScan::WithScheme(url);
  // The start address is the list's first line; Begin prints it once the crawl runs.
  if (!crawler.Start(start)) return 2;
  scan.Begin(mode, crawler.StartingUrl(), maxPages);
  if (crawler.Working()) loop.exec();
  DeleteFileIfExists(folder.ResultsFile());
  if (!scan.StartLoaded()) {
    // Nothing was scanned: no summary, and no keyword file in place of a good one.
    Print(scan.StartFailedLine());
    return mode == ScanMode::BrokenLinks ? 1 : 2;
  }

  const SiteScan::Ending end = scan.Finish(url);
  if (!end.summary.empty()) std::printf("%s\n", end.summary.c_str());
  if (!end.keywordFile.empty()) std::printf("Keywords: %s\n", end.keywordFile.c_str());
  if (!end.error.empty()) std::fprintf(stderr, "%s\n", end.error.c_str());
  if (!sitemap.empty()) {
    std::string error;
    if (!WriteSitemap(sitemap, listed, &error)) {
      std::fprintf(stderr, "Die Sitemap konnte nicht gespeichert werden. %s\n", error.c_str());
      return 1;
    }
    std::printf("Sitemap: %s\n", sitemap.c_str());
    std::printf("%s\n", Cp1252ToUtf8(RobotsSitemapLine(crawler.StartingUrl())).c_str());
  }
  return mode == ScanMode::BrokenLinks && scan.BrokenCount() > 0 ? 1 : 0;
}

int Discover(const Args& args) {
  return RunScan(ScanMode::Discovery, args);
}
int Broken(const Args& args) {
  return RunScan(ScanMode::BrokenLinks, args);
}
int Meta(const Args& args) {
  return RunScan(ScanMode::MetaTags, args);
}

}  // namespace

extern const Command kDiscoverCommand{"discover", "find a site's most important pages", Discover};
extern const Command kBrokenCommand{"broken", "list a site's pages and its broken page links", Broken};
extern const Command kMetaCommand{"meta", "list titles, descriptions and keywords page by page", Meta};

}  // namespace mw::cli
