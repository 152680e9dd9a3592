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
  bool YesNo(const QString&) override { return false; }
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

void BM_WindowBrokenLinks(benchmark::State& state) {
  if (Start().empty()) return state.SkipWithError("set CRAWL_START to a site's start address");
  mwtest::TempProgramFolder dir;
  dir.Write("Program.ini", "[SETTINGS]\r\nProductPage=" + Start() + "\r\n");
  dir.Write("NoTip.ini", "");
  dir.Write("NoWer.ini", "");
  dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Bench\r\nURL=" + Start() + "\r\n");
  QuietDialogs dialogs;
  mw::AppContext context;
  context.folder = dir.Folder();
  context.facts = mw::ProductFacts::Load(context.folder);
  context.facts.productPage = Start();
  context.dialogs = &dialogs;
  mw::ProgramWindows windows(context);
  mw::TMainForm& m = *windows.main;
  m.setGeometry(0, 0, 1280, 800);
  m.show();
  m.OpenProject("Project_0001");
  m.HttpScan1().SetConcurrentDownloads(int(state.range(0)));
  for (auto _ : state) {
    m.URLEdit->setText(QString::fromStdString(Start()));
    m.BrokenLinks1->trigger();
    RunUntilEnd(m.HttpScan1());
  }
  state.counters["lines"] = double(m.ErgMemo->blockCount());
}

void BM_HeadlessBrokenLinks(benchmark::State& state) {
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
    scan.Begin(mw::ScanMode::BrokenLinks, crawler.StartingUrl());
    RunUntilEnd(crawler);
    scan.Finish(Start());
  }
  state.counters["lines"] = double(scan.ResultLines().size());
}

}  // namespace

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
