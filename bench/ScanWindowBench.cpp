// Page discovery and the broken-link finder driven by the main window (offscreen) against a
// site given by CRAWL_START (for example the manual bench/crawl-vs-wget2.sh serves), beside the
// same crawl without a window: the command line's crawler set-up and SiteScan, as
// meldewerk-cli broken runs them. Wall time per crawl; the window's should stay close.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <memory>

#include "crawler/HttpScan.h"
#include "platform/Dialogs.h"
#include "scans/MainCrawler.h"
#include "scans/SiteScan.h"
#include "shell/ProgramWindows.h"
#include "store/ProgramSettings.h"
#include "support/TempProgramFolder.h"

namespace {

class QuietDialogs final : public mw::Dialogs {
 public:
  void Information(const QString&) override {}
  void Error(const QString& t) override { std::fprintf(stderr, "error: %s\n", t.toUtf8().constData()); }
  void Message(const QString&) override {}
  bool YesNo(const QString&) override { return true; }  // add the pages found again
  QString OpenFile(const QString&, const QString&) override { return {}; }
  QString SaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

std::string Start() {
  const char* start = std::getenv("CRAWL_START");
  return start ? start : "";
}

void RunUntilEnd(mw::THttpScan& crawler) {
  QEventLoop loop;
  auto previous = crawler.OnWorking;
  crawler.OnWorking = [&, previous](mw::TObject* s, bool working) {
    previous(s, working);
    if (!working) loop.quit();
  };
  QTimer::singleShot(600000, &loop, &QEventLoop::quit);
  if (crawler.Working()) loop.exec();
  crawler.OnWorking = previous;
}

// The main window on a temporary program folder with one project whose site is CRAWL_START.
struct Window {
  mwtest::TempProgramFolder dir;
  QuietDialogs dialogs;
  mw::AppContext context;
  std::unique_ptr<mw::ProgramWindows> windows;

  explicit Window(int slots) {
    dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + Start() + "\r\n");
    dir.Write("NoTip.ini", "");
    dir.Write("NoWer.ini", "");
    dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Bench\r\nURL=" + Start() + "\r\n");
    context.folder = dir.Folder();
    context.facts = mw::ProductFacts::Load(context.folder);
    context.facts.productPage = Start();
    context.dialogs = &dialogs;
    windows = std::make_unique<mw::ProgramWindows>(context);
    Main().setGeometry(0, 0, 1280, 800);
    Main().show();
    Main().OpenProject("Project_0001");
    Main().HttpScan1().SetConcurrentDownloads(slots);
    Main().MaxPagesEdit->setText(QStringLiteral("100000"));
  }
  mw::TMainForm& Main() { return *windows->main; }
};

void BM_WindowDiscovery(benchmark::State& state) {
  if (Start().empty()) return state.SkipWithError("set CRAWL_START to a site's start address");
  Window w(int(state.range(0)));
  for (auto _ : state) {
    w.Main().URLEdit->setText(QString::fromStdString(Start()));
    w.Main().StartBitBtnClick();
    RunUntilEnd(w.Main().HttpScan1());
  }
  state.counters["lines"] = double(w.Main().ErgMemo->blockCount());
}

void BM_WindowBrokenLinks(benchmark::State& state) {
  if (Start().empty()) return state.SkipWithError("set CRAWL_START to a site's start address");
  Window w(int(state.range(0)));
  for (auto _ : state) {
    w.Main().URLEdit->setText(QString::fromStdString(Start()));
    w.Main().BrokenLinks1->trigger();
    RunUntilEnd(w.Main().HttpScan1());
  }
  state.counters["lines"] = double(w.Main().ErgMemo->blockCount());
}

void Headless(benchmark::State& state, mw::ScanMode mode) {
  if (Start().empty()) return state.SkipWithError("set CRAWL_START to a site's start address");
  mwtest::TempProgramFolder dir;
  mw::THttpScan crawler;
  mw::SetDesignTimeValues(crawler);
  mw::CrawlerBinding binding;
  binding.Apply = [&crawler](mw::CrawlerProperty p, const mw::CrawlerValues& v) { ApplyCrawlerValue(crawler, p, v); };
  mw::BindProgramSettings(binding, dir.Folder(), mw::ProgramSettings{});
  crawler.SetConcurrentDownloads(int(state.range(0)));
  mw::SiteScan scan(dir.Folder(), mw::SiteScan::View{});
  mw::ConnectSiteScan(crawler, scan, {});
  for (auto _ : state) {
    if (!crawler.Start(Start())) return state.SkipWithError("the crawl did not start");
    scan.Begin(mode, crawler.StartingUrl(), 100000);
    RunUntilEnd(crawler);
    scan.Finish(Start());
  }
  state.counters["lines"] = double(scan.ResultLines().size());
}

void BM_HeadlessDiscovery(benchmark::State& state) {
  Headless(state, mw::ScanMode::Discovery);
}
void BM_HeadlessBrokenLinks(benchmark::State& state) {
  Headless(state, mw::ScanMode::BrokenLinks);
}

}  // namespace

BENCHMARK(BM_WindowDiscovery)->Arg(32)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_HeadlessDiscovery)->Arg(32)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WindowBrokenLinks)->Arg(32)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_HeadlessBrokenLinks)->Arg(32)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
