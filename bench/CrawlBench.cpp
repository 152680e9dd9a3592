// Whole crawls of a generated 2 000-page site served on 127.0.0.1, in pages per second, beside
// the bound the 50 ms pacing allows: a slot needs three passes per page, so at most
// ConcurrentDownloads / 0.15 pages per second.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

#include "crawler/HttpScan.h"

namespace {

constexpr int kPages = 2000;

// Page i links to 2i+1 and 2i+2 (every page is reached within a few levels) and to a few
// pages found elsewhere already, so the seen set has work to do.
std::string Page(int i) {
  std::string h = "<html><head><title>Seite " + std::to_string(i) + "</title>"
                  "<meta name=\"keywords\" content=\"crawl, bench\"></head><body><h1>Seite</h1>";
  for (int child : {2 * i + 1, 2 * i + 2, (i * 7 + 3) % kPages, (i * 13 + 5) % kPages, i / 2})
    if (child < kPages) h += "<p><a href=\"/p" + std::to_string(child) + ".html\">Seite " + std::to_string(child) + "</a></p>";
  h += "<img src=\"/logo.gif\"></body></html>";
  return h;
}

class Site {
 public:
  Site() {
    server_.Get(R"(/p(\d+)\.html)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content(Page(std::stoi(req.matches[1])), "text/html");
    });
    server_.new_task_queue = [] { return new httplib::ThreadPool(48); };
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~Site() {
    server_.stop();
    thread_.join();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/p0.html"; }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

void BM_Crawl(benchmark::State& state) {
  static Site site;
  const int parallel = int(state.range(0));
  int pages = 0;
  double toLastPage = 0, whole = 0;
  double samples = 0, downloading = 0, analyzing = 0, queued = 0;
  for (auto _ : state) {
    mw::THttpScan scan;
    scan.SetProxyType(mw::PROXY_DIRECT);
    scan.SetFileOfResults("");
    scan.SetConcurrentDownloads(parallel);
    scan.SetDepthSearchLevel(100);
    pages = 0;
    const auto start = std::chrono::steady_clock::now();
    auto last = start;
    QEventLoop loop;
    scan.OnPageReceived = [&](mw::TObject*, const std::string&, const std::string&, const std::string&,
                              const std::string&) {
      ++pages;
      last = std::chrono::steady_clock::now();
    };
    scan.OnUpdatedStats = [&](mw::TObject*, int q, int d, int a, int, int, int) {
      ++samples;
      downloading += d;
      analyzing += a;
      queued += q;
    };
    scan.OnWorking = [&](mw::TObject*, bool w) {
      if (!w) loop.quit();
    };
    if (!scan.Start(site.Url())) {
      state.SkipWithError("crawl did not start");
      return;
    }
    loop.exec();
    const auto end = std::chrono::steady_clock::now();
    toLastPage = std::chrono::duration<double>(last - start).count();
    whole = std::chrono::duration<double>(end - start).count();
  }
  const double bound = parallel / 0.15;
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = pages / whole;
  state.counters["pages_per_s_to_last"] = pages / toLastPage;
  state.counters["pacing_bound"] = bound;
  state.counters["share_of_bound"] = pages / toLastPage / bound;
  state.counters["avg_downloading"] = downloading / samples;
  state.counters["avg_to_analyze"] = analyzing / samples;
  state.counters["avg_queued"] = queued / samples;
}
BENCHMARK(BM_Crawl)->Arg(6)->Arg(32)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
