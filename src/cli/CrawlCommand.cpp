// meldewerk-cli crawl: one crawl without a window. Every event of the crawler becomes one
// tab-separated line on standard output; the crawl itself is the component's, unchanged.
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>

#include "cli/Commands.h"
#include "common/Cp1252.h"
#include "common/Text.h"
#include "crawler/HttpScan.h"

namespace mw::cli {
namespace {

std::atomic<bool> interrupted{false};

const char* kHelp =
    "Usage: meldewerk-cli crawl URL [options]\n"
    "\n"
    "Crawls a web site from URL and prints one tab-separated line per event:\n"
    "  working  1|0\n"
    "  page     URL  HOST\n"
    "  error    URL  CODE  MESSAGE\n"
    "  link     URL  TYPE  FROM  H|S|-\n"
    "  meta     URL  TAGTYPE  ATTRIB1  VALUE1  ATTRIB2  VALUE2  ATTRIB3  VALUE3\n"
    "  stats    INQUEUE  DOWNLOADING  TOANALYZE  DONE  RETRIES  ERRORS\n"
    "  log      MESSAGE  (with --log)\n"
    "and finally: summary  pages=N  errors=N  retries=N  seconds=S\n"
    "(pages received, URLs reported as errors, attempts repeated, duration)\n"
    "\n"
    "Options:\n"
    "  --depth N         follow links down to depth N (the start page is depth 1; default 3)\n"
    "  --parallel N      simultaneous downloads (default 6)\n"
    "  --scan MODE       which page links are followed: all, site or path (default all)\n"
    "  --report MODE     which links are reported: all, site or path (default all)\n"
    "  --retries N       extra attempts for a failed URL, 1 or more (default 3)\n"
    "  --timeout S       seconds per download (default 300)\n"
    "  --robots          request /robots.txt of every new host\n"
    "  --no-redirect     do not follow META refresh targets\n"
    "  --include TERMS   report and follow only links containing one of the comma-separated terms\n"
    "  --exclude TERMS   drop links containing one of the comma-separated terms\n"
    "  --types TYPES     report only links of these comma-separated file types (htm, gif, pdf, ...)\n"
    "  --results FILE    write one line per reported link to FILE\n"
    "  --max-queue N     queue a new page link only while fewer than N URLs wait (default 5000)\n"
    "  --log             print the crawler's log messages\n"
    "\n"
    "Exit code: 0 when the crawl finished, 2 when it could not start or the options are wrong.\n";

std::string Out(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

void Line(std::initializer_list<std::string> fields) {
  std::string line;
  for (const auto& f : fields) {
    if (!line.empty()) line += '\t';
    line += Out(f);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// "a,b" becomes one term per line, as the filter lists take them.
std::string TermLines(const std::string& terms) {
  std::string lines;
  const int n = WordCount(terms, ",");
  for (int i = 1; i <= n; ++i) lines += Trim(ExtractWord(i, terms, ",")) + "\n";
  return lines;
}

bool Mode(const std::string& text, int& mode) {
  if (text == "all") mode = 0;
  else if (text == "site") mode = 1;
  else if (text == "path") mode = 2;
  else return false;
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "meldewerk-cli crawl: %s\n", message.c_str());
  return 2;
}

int RunCrawl(const Args& args) {
  THttpScan scan([](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); });
  scan.SetFileOfResults("");
  std::string url;
  bool log = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = Utf8ToCp1252(args[++i]);
      return true;
    };
    auto number = [&](int& out) {
      std::string v;
      return value(v) && TryStrToInt(v, out);
    };
    std::string v;
    int n = 0;
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (a == "--depth" && number(n)) scan.SetDepthSearchLevel(n);
    else if (a == "--parallel" && number(n)) scan.SetConcurrentDownloads(n);
    else if (a == "--scan" && value(v) && Mode(v, n)) scan.SetLinkScan(TLinkScan(n));
    else if (a == "--report" && value(v) && Mode(v, n)) scan.SetLinkReport(TLinkReport(n));
    else if (a == "--retries" && number(n)) scan.SetRetries(n);
    else if (a == "--timeout" && number(n)) scan.SetTimeOut(n);
    else if (a == "--robots") scan.SetSeekRobotsTxt(true);
    else if (a == "--no-redirect") scan.SetAllowRedirect(false);
    else if (a == "--include" && value(v)) {
      scan.SetKeywordsLimiter(TermLines(v));
      scan.SetKeywordsLimiterEnabled(true);
    } else if (a == "--exclude" && value(v)) {
      scan.SetKeywordsFilter(TermLines(v));
      scan.SetKeywordsFilterEnabled(true);
    } else if (a == "--types" && value(v)) {
      scan.SetTypeFilter(TermLines(v));
      scan.SetTypeFilterEnabled(true);
    } else if (a == "--results" && value(v)) {
      scan.SetFileOfResults(Utf8ToCp1252(QFileInfo(QString::fromStdString(args[i])).absoluteFilePath().toStdString()));
    } else if (a == "--max-queue" && number(n)) scan.SetMaxQueueSize(n);
    else if (a == "--log") log = true;
    else if (!a.starts_with("--") && url.empty()) url = Utf8ToCp1252(a);
    else return Fail("unknown or incomplete option '" + a + "' (see --help)");
  }
  if (url.empty()) return Fail("no URL given (see --help)");

  QEventLoop loop;
  scan.OnWorking = [&](TObject*, bool w) {
    Line({"working", w ? "1" : "0"});
    if (!w) loop.quit();
  };
  int pages = 0, errors = 0;
  scan.OnPageReceived = [&](TObject*, const std::string& host, const std::string& u, const std::string&,
                            const std::string&) {
    ++pages;
    Line({"page", u, host});
  };
  scan.OnError = [&](TObject*, const std::string& u, unsigned code, const std::string& msg, const std::string&) {
    ++errors;
    Line({"error", u, std::to_string(code), msg});
  };
  scan.OnLinkFound = [](TObject*, const std::string& u, const std::string& type, const std::string& from,
                        const std::string&, const std::string&, const std::string&, const std::string&, std::string&,
                        char hs, int, bool&) { Line({"link", u, type, from, std::string(1, hs == ' ' ? '-' : hs)}); };
  scan.OnMetaTag = [](TObject*, const std::string& u, const std::string&, const std::string& type,
                      const std::string& a1, const std::string& v1, const std::string& a2, const std::string& v2,
                      const std::string& a3, const std::string& v3) { Line({"meta", u, type, a1, v1, a2, v2, a3, v3}); };
  int last[6] = {0, 0, 0, 0, 0, 0};
  scan.OnUpdatedStats = [&](TObject*, int q, int d, int t, int done, int r, int e) {
    const int v[6] = {q, d, t, done, r, e};
    std::copy(v, v + 6, last);
    Line({"stats", std::to_string(q), std::to_string(d), std::to_string(t), std::to_string(done), std::to_string(r),
          std::to_string(e)});
  };
  if (log) {
    scan.SetLogsEnabled(true);
    scan.OnLog = [](TObject*, const std::string& m) { Line({"log", m}); };
  }

  // Ctrl-C stops the crawl the way the stop button does; the crawl then ends normally.
  std::signal(SIGINT, [](int) { interrupted = true; });
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
    if (interrupted.exchange(false)) scan.Stop();
  });
  watch.start(50);

  const auto started = std::chrono::steady_clock::now();
  if (!scan.Start(url)) return 2;
  if (scan.Working()) loop.exec();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  char secondsText[32];
  std::snprintf(secondsText, sizeof secondsText, "%.2f", seconds);
  Line({"summary", "pages=" + std::to_string(pages), "errors=" + std::to_string(errors),
        "retries=" + std::to_string(last[4]), std::string("seconds=") + secondsText});
  std::fflush(stdout);
  return 0;
}

}  // namespace

extern const Command kCrawlCommand = {"crawl", "crawl a web site and print its pages, links and errors", &RunCrawl};

}  // namespace mw::cli
