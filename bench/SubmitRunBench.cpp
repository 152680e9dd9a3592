// A submission run of 1 000 marked pages on 5 engines against an instant local engine server,
// beside the same 5 000 GET requests made by a bare libcurl loop. The difference is what the
// run itself costs per attempt: building the address, keeping the answer, rewriting the page
// list and the report.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include "common/Files.h"
#include "platform/FetchURL.h"
#include "store/PageList.h"
#include "submit/EngineTemplates.h"
#include "submit/SubmissionRun.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace {

constexpr int kPages = 1000;
constexpr int kEngines = 5;

struct Site {
  mwtest::TestHttpServer server;
  mwtest::TempProgramFolder dir;
  std::vector<mw::SubmissionEngine> engines;
  std::vector<mw::PageListEntry> pages;

  Site() {
    server.SetFallback([](const auto&, auto& res) { res.set_content("<html>danke</html>", "text/html"); });
    for (int e = 0; e < kEngines; ++e) {
      const std::string name = "Engine" + std::to_string(e) + "_DE";
      dir.Write("Projects/templates/" + name + ".ini",
                "[SETTINGS]\r\nBasicURL=" + server.Url("/e" + std::to_string(e)) +
                    "?url=KLXURL&name=KLXNAME&mail=KLXMAIL\r\n");
      engines.push_back({name, true});
    }
    for (int p = 0; p < kPages; ++p)
      pages.push_back({"00.00.00", "http://www.beispiel.de/seite" + std::to_string(p) + ".html", true});
    dir.MakeFolder("Projects/Project_0001");
    dir.MakeFolder("reports");
  }
};

Site& TheSite() {
  static Site site;
  return site;
}

void BM_SubmissionRun(benchmark::State& state) {
  Site& site = TheSite();
  const std::string templates = site.dir.Templates();
  for (auto _ : state) {
    mw::SubmissionRun::Services services;
    services.buildSubmitUrl = [&](const std::string& engine, const std::string& page) {
      return mw::BuildSubmitURL(templates, engine, page, "Hans Meier", "hans@beispiel.de");
    };
    if (state.range(0))
      services.fetch = [](const std::string& url) { return mw::FetchURLAnswer(url, mw::kMainFetchTimeoutMs); };
    else
      services.fetch = [](const std::string&) { return mw::FetchAnswer{"<html>danke</html>", 200, false}; };
    int attempts = 0;
    mw::SubmissionRun::View view;
    view.processEvents = [&] {
      ++attempts;
      return false;
    };
    mw::SubmissionRun run(site.dir.Path() + "Projects/Project_0001", site.dir.Path() + "reports", "Bench", services,
                          view);
    const auto out = run.Run(site.engines, site.pages);
    if (out.successes != kPages * kEngines) state.SkipWithError("not every page was submitted");
    benchmark::DoNotOptimize(attempts);
  }
  state.counters["attempts/s"] =
      benchmark::Counter(double(kPages * kEngines), benchmark::Counter::kIsIterationInvariantRate);
}

size_t Discard(char*, size_t size, size_t count, void*) {
  return size * count;
}

void BM_BareCurlLoop(benchmark::State& state) {
  Site& site = TheSite();
  std::vector<std::string> urls;
  for (const auto& e : site.engines)
    for (const auto& p : site.pages)
      urls.push_back(mw::BuildSubmitURL(site.dir.Templates(), e.name, p.url, "Hans Meier", "hans@beispiel.de"));
  for (auto& u : urls)
    for (std::size_t i = 0; (i = u.find(' ', i)) != std::string::npos;) u.replace(i, 1, "%20");
  for (auto _ : state) {
    for (const auto& url : urls) {
      CURL* curl = curl_easy_init();
      curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
      curl_easy_setopt(curl, CURLOPT_USERAGENT, "Browser");
      curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Discard);
      curl_easy_setopt(curl, CURLOPT_PROXY, "");
      curl_easy_perform(curl);
      curl_easy_cleanup(curl);
    }
  }
  state.counters["attempts/s"] = benchmark::Counter(double(urls.size()), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_BareCurlLoop)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
// Argument 1: real requests; 0: answers made up at once, which leaves the run's own cost.
BENCHMARK(BM_SubmissionRun)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();
