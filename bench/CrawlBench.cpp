// Whole crawls of a generated 2 000-page site served on 127.0.0.1, in pages per second, beside
// the bound the 50 ms pacing allows: a slot needs three passes per page, so at most
// ConcurrentDownloads / 0.15 pages per second.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

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

// A plain HTTP/1.0 server with a deep listen queue: 32 connections opened at once must not
// wait for a SYN to be sent again, which is what a short queue costs (a second each).
class Site {
 public:
  Site() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listener_, 1024);
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    for (int i = 0; i < 40; ++i) workers_.emplace_back([this] { Serve(); });
  }
  ~Site() {
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    for (auto& t : workers_) t.join();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/p0.html"; }

 private:
  void Serve() {
    while (!stop_) {
      const int c = ::accept(listener_, nullptr, nullptr);
      if (c < 0) return;
      std::string request;
      char buf[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(c, buf, sizeof buf, 0);
        if (n <= 0) break;
        request.append(buf, std::size_t(n));
      }
      int page = -1;
      if (std::sscanf(request.c_str(), "GET /p%d.html", &page) != 1 || page < 0 || page >= kPages) page = -1;
      const std::string body = page >= 0 ? Page(page) : "<p>not found</p>";
      const std::string answer = std::string(page >= 0 ? "HTTP/1.0 200 OK" : "HTTP/1.0 404 Not Found") +
                                 "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                                 "\r\nConnection: close\r\n\r\n" + body;
      for (std::size_t sent = 0; sent < answer.size();) {
        const ssize_t n = ::send(c, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += std::size_t(n);
      }
      ::close(c);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::vector<std::thread> workers_;
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
