// FetchURL against the local test server: the time for a 1 MB body, and how closely the
// receive time-out ends a stalled body (requested against observed, in milliseconds).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "platform/FetchURL.h"
#include "support/TestHttpServer.h"

namespace {

mwtest::TestHttpServer& Server() {
  static mwtest::TestHttpServer server;
  static const bool ready = [] {
    ::setenv("no_proxy", "127.0.0.1", 1);
    std::string body;
    for (int i = 0; i < 1 << 20; ++i) body += char(i % 251);
    server.Set("/big", {200, "application/octet-stream", body, 0, {}});
    server.SetStalled("/stalled", "<html>", 20000, 4000);
    return true;
  }();
  (void)ready;
  return server;
}

void BM_FetchURL1MB(benchmark::State& state) {
  const std::string url = Server().Url("/big");
  for (auto _ : state) {
    const std::string body = mw::FetchURL(url, mw::kMainFetchTimeoutMs);
    if (body.size() != 1u << 20) state.SkipWithError("short body");
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_FetchURL1MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_ReceiveTimeout(benchmark::State& state) {
  const int requested = int(state.range(0));
  const std::string url = Server().Url("/stalled");
  double worstMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const std::string body = mw::FetchURL(url, requested);
    const double observed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (body != "<html>") state.SkipWithError("unexpected body");
    worstMs = std::max(worstMs, observed - requested);
  }
  state.counters["requested_ms"] = requested;
  state.counters["worst_overshoot_ms"] = worstMs;
}
BENCHMARK(BM_ReceiveTimeout)->Arg(100)->Arg(500)->Arg(2000)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReceiveTimeout)->Arg(mw::kRankingFetchTimeoutMs)->Arg(mw::kMainFetchTimeoutMs)->Iterations(1)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
