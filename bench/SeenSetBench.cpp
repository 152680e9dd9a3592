// The seen set: 1 000 000 FindOrInsert calls on distinct URLs against std::set<std::string>
// inserting the same strings, and the memory the list holds per stored URL.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "crawler/QuickSortStringList.h"

namespace {

const std::vector<std::string>& Urls() {
  static const std::vector<std::string> urls = [] {
    std::mt19937 rng(11);
    const char* dirs[] = {"produkte", "service", "news", "archiv", "shop", "hilfe", "kontakt", "blog"};
    std::vector<std::string> v;
    v.reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
      std::string u = "http://www.site" + std::to_string(rng() % 50) + ".test/" + dirs[rng() % 8] + "/" +
                      dirs[rng() % 8] + "/seite-" + std::to_string(i) + "-" + std::to_string(rng() % 100000) + ".html";
      if (rng() % 4 == 0) u += "?id=" + std::to_string(rng());
      v.push_back(std::move(u));
    }
    std::shuffle(v.begin(), v.end(), rng);
    return v;
  }();
  return urls;
}

double AverageLength() {
  double total = 0;
  for (const auto& u : Urls()) total += double(u.size());
  return total / double(Urls().size());
}

void BM_QuickSortStringList(benchmark::State& state) {
  const auto& urls = Urls();
  std::size_t memory = 0;
  for (auto _ : state) {
    mw::TQuickSortStringList list;
    int found = -1, at = -1;
    for (const auto& u : urls) list.FindOrInsert(u, found, true, at);
    benchmark::DoNotOptimize(list.Count());
    memory = list.MemoryUsed();
    state.PauseTiming();
    list.Clear();
    state.ResumeTiming();
  }
  const double avg = AverageLength();
  state.counters["avg_url_len"] = avg;
  state.counters["bytes_per_url"] = double(memory) / double(urls.size());
  state.counters["bound_bytes"] = 1.5 * avg + 48;
}
BENCHMARK(BM_QuickSortStringList)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StdSet(benchmark::State& state) {
  const auto& urls = Urls();
  for (auto _ : state) {
    std::set<std::string> set;
    for (const auto& u : urls) set.insert(u);
    benchmark::DoNotOptimize(set.size());
    state.PauseTiming();
    set.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StdSet)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
