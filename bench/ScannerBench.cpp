// The page scanner over a generated multi-page corpus: Normalize, PlaceMarkers, ExtractLinks
// and ScanHead per page, in bytes per second, with the allocations counted per page.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "crawler/HtmlScanner.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

void* operator new(std::size_t n) {
  ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// Pages as sites write them: a head with title and meta tags, navigation, paragraphs of text
// with inline links, images, a form with options, scripts and styles, mixed letter case.
std::vector<std::string> Corpus(int pages) {
  std::mt19937 rng(7);
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  const char* words[] = {"Suchmaschine", "Anmeldung", "Seite",     "und",      "der",     "die", "das", "Webseite",
                         "Eintrag",      "schnell",   "kostenlos", "Ergebnis", "Projekt", "mit", "für", "Angebot"};
  std::vector<std::string> out;
  for (int p = 0; p < pages; ++p) {
    std::string h = "<!DOCTYPE html>\r\n<HTML lang=\"de\">\r\n<head>\r\n<title>Seite " + std::to_string(p) +
                    " - Beispiel</title>\r\n<meta name=\"keywords\" content=\"suchmaschine, anmeldung, seite\">\r\n"
                    "<meta name=\"description\" content=\"Eine Beispielseite fuer den Crawler\">\r\n"
                    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">\r\n"
                    "<link rel=\"stylesheet\" href=\"/css/site.css\">\r\n<script type=\"text/javascript\">\r\n"
                    "function openwin(u,n){ window.open(u,'w'+n,'width=400,height=300'); }\r\n</script>\r\n"
                    "<style>body { font-family: Arial, sans-serif; } .nav a { color: #003366; }</style>\r\n"
                    "</head>\r\n<body bgcolor=\"#FFFFFF\">\r\n<div class=\"nav\">\r\n";
    for (int i = 0; i < 12; ++i)
      h += "  <a href=\"/bereich" + std::to_string(i) + "/index.html\" title=\"Bereich\">Bereich " + std::to_string(i) +
           "</a> |\r\n";
    h += "</div>\r\n<table width=\"100%\" border=\"0\" cellpadding=\"4\"><tr><td valign=\"top\">\r\n";
    const int paragraphs = 20 + pick(30);
    for (int i = 0; i < paragraphs; ++i) {
      h += "<p class=\"text\">";
      const int n = 40 + pick(60);
      for (int w = 0; w < n; ++w) {
        h += words[pick(16)];
        h += ' ';
        if (pick(25) == 0) h += "<a href=\"seite" + std::to_string(pick(5000)) + ".html\">mehr</a> ";
        if (pick(60) == 0)
          h += "<IMG SRC=\"/bilder/foto" + std::to_string(pick(300)) + ".jpg\" alt=\"Foto\" width=\"120\"> ";
        if (pick(200) == 0)
          h += "<a href=\"javascript:openwin( 'popup" + std::to_string(pick(50)) + ".html',3)\">Info</a> ";
      }
      h += "</p>\r\n";
    }
    h += "<form action=\"/suche.php\" method=\"get\"><select name=\"ziel\">\r\n";
    for (int i = 0; i < 8; ++i)
      h += "<option value=\"/ziel/" + std::to_string(i) + "/\">Ziel " + std::to_string(i) + "</option>\r\n";
    h += "</select><input type=\"text\" name=\"q\" value=\"\"></form>\r\n</td></tr></table>\r\n"
         "<a href=\"mailto:info@beispiel.test?subject=Frage\">Kontakt</a>\r\n</body>\r\n</html>\r\n";
    out.push_back(std::move(h));
  }
  return out;
}

void BM_ScanPages(benchmark::State& state) {
  const auto pages = Corpus(200);
  std::size_t bytes = 0;
  for (const auto& p : pages) bytes += p.size();
  std::string body;
  body.reserve(1 << 20);
  long long values = 0;
  const mw::HeadSink head{[&](const std::string&) { ++values; }, [&](const mw::TMetaTag&) { ++values; }};
  const mw::LinkValueSink onValue = [&](unsigned char, std::string_view v) { values += long(v.size() > 0); };
  const std::function<bool()> stopping = [] { return false; };
  long long before = allocations;
  for (auto _ : state) {
    for (const auto& p : pages) {
      mw::ScanHead(p, head);
      mw::NormalizeInto(p, true, false, body);
      if (mw::PlaceMarkers(body)) mw::ExtractLinks(body, stopping, onValue);
    }
  }
  const long long allocated = allocations - before;
  benchmark::DoNotOptimize(values);
  state.SetBytesProcessed(std::int64_t(state.iterations() * bytes));
  state.counters["pages"] = double(pages.size());
  state.counters["avg_page_KB"] = double(bytes) / pages.size() / 1024.0;
  state.counters["allocs_per_page"] = double(allocated) / double(state.iterations() * pages.size());
  state.counters["values_per_page"] = double(values) / double(state.iterations() * pages.size());
}
BENCHMARK(BM_ScanPages)->Unit(benchmark::kMillisecond);

// The pages of a real site: every .html file below SCANNER_PAGES (for example the Python
// manual in /usr/share/doc/python3.11/html), scanned as the crawler scans a received page.
void BM_ScanFolder(benchmark::State& state) {
  const char* root = std::getenv("SCANNER_PAGES");
  if (!root) {
    state.SkipWithError("set SCANNER_PAGES to a folder of HTML pages");
    return;
  }
  std::vector<std::string> pages;
  std::size_t bytes = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(
           root, std::filesystem::directory_options::follow_directory_symlink)) {
    if (!e.is_regular_file() || e.path().extension() != ".html") continue;
    std::ifstream in(e.path(), std::ios::binary);
    pages.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    bytes += pages.back().size();
  }
  std::string body;
  long long values = 0;
  const mw::HeadSink head{[&](const std::string&) { ++values; }, [&](const mw::TMetaTag&) { ++values; }};
  const mw::LinkValueSink onValue = [&](unsigned char, std::string_view v) { values += long(v.size() > 0); };
  const std::function<bool()> stopping = [] { return false; };
  for (auto _ : state) {
    for (const auto& p : pages) {
      mw::ScanHead(mw::HeadPart(p), head);
      mw::NormalizeInto(p, true, false, body);
      if (mw::PlaceMarkers(body)) mw::ExtractLinks(body, stopping, onValue);
    }
  }
  benchmark::DoNotOptimize(values);
  state.SetBytesProcessed(std::int64_t(state.iterations() * bytes));
  state.counters["pages"] = double(pages.size());
}
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond);

// Each pass on its own, to see where the time goes.
void BM_Pass(benchmark::State& state) {
  const auto pages = Corpus(200);
  std::size_t bytes = 0;
  for (const auto& p : pages) bytes += p.size();
  std::vector<std::string> normalized;
  std::vector<std::string> marked;
  for (const auto& p : pages) {
    normalized.push_back(mw::Normalize(p, true, false));
    marked.push_back(normalized.back());
    mw::PlaceMarkers(marked.back());
  }
  std::string body;
  long long n = 0;
  const std::function<bool()> stopping = [] { return false; };
  const mw::LinkValueSink onValue = [&](unsigned char, std::string_view) { ++n; };
  const mw::HeadSink head{[&](const std::string&) { ++n; }, [&](const mw::TMetaTag&) { ++n; }};
  for (auto _ : state) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      switch (state.range(0)) {
        case 0:
          mw::NormalizeInto(pages[i], true, false, body);
          break;
        case 1:
          body = normalized[i];
          mw::PlaceMarkers(body);
          break;
        case 2:
          body = normalized[i];
          break;  // the copy alone, to subtract
        case 3:
          mw::ScanHead(pages[i], head);
          break;
        case 4:
          mw::ExtractLinks(marked[i], stopping, onValue);
          break;
      }
    }
  }
  benchmark::DoNotOptimize(n);
  state.SetBytesProcessed(std::int64_t(state.iterations() * bytes));
}
BENCHMARK(BM_Pass)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// A page with 200 000 links: the cost stays linear and no allocation grows with the markers.
void BM_ManyLinks(benchmark::State& state) {
  std::string page;
  for (int i = 0; i < 200000; ++i) page += "<a href=\"p" + std::to_string(i) + ".html\">x</a>";
  std::string body;
  long long n = 0;
  const std::function<bool()> stopping = [] { return false; };
  const mw::LinkValueSink onValue = [&](unsigned char, std::string_view) { ++n; };
  long long before = allocations;
  for (auto _ : state) {
    mw::NormalizeInto(page, true, false, body);
    if (mw::PlaceMarkers(body)) mw::ExtractLinks(body, stopping, onValue);
  }
  state.counters["allocs_per_run"] = double(allocations - before) / double(state.iterations());
  state.SetBytesProcessed(std::int64_t(state.iterations() * page.size()));
}
BENCHMARK(BM_ManyLinks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
