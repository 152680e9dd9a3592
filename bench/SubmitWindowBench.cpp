// The submission run driven by the main window (offscreen): 1 000 marked pages on 5 engines
// against an instant local engine server, and once more with answers made up at once. Beside
// bench_submit's figures this shows what the window adds per attempt: the result lines, the
// counter, the page-list rows and the event processing after every page.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include "common/Files.h"
#include "platform/Dialogs.h"
#include "store/PageList.h"
#include "shell/ProgramWindows.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace {

constexpr int kPages = 1000;
constexpr int kEngines = 5;

class QuietDialogs final : public mw::Dialogs {
 public:
  void Information(const QString&) override {}
  void Error(const QString& t) override { std::fprintf(stderr, "error: %s\n", t.toUtf8().constData()); }
  void Message(const QString&) override {}
  bool YesNo(const QString&) override { return true; }
  QString OpenFile(const QString&, const QString&) override { return {}; }
  QString SaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

void BM_WindowRun(benchmark::State& state) {
  mwtest::TestHttpServer server;
  server.SetFallback([](const auto&, auto& res) { res.set_content("<html>danke</html>", "text/html"); });
  mwtest::TempProgramFolder dir;
  std::vector<mw::PageListEntry> pages;
  for (int p = 0; p < kPages; ++p)
    pages.push_back({"00.00.00", "http://www.beispiel.de/seite" + std::to_string(p) + ".html", true});
  for (int e = 0; e < kEngines; ++e) {
    const std::string name = "Engine" + std::to_string(e) + "_DE";
    dir.Write("Projects/templates/" + name + ".ini", "[SETTINGS]\r\nBasicURL=" + server.Url("/e" + std::to_string(e)) +
                                                         "?url=KLXURL&name=KLXNAME&mail=KLXMAIL\r\n");
  }
  dir.Write("Projects/Project_0001/Project.ini", "[SETTINGS]\r\nTitel=Bench\r\nName=Hans Meier\r\nEmail=h@b.de\r\n");
  dir.Write("NoTip.ini", "");
  dir.Write("NoWer.ini", "");

  QuietDialogs dialogs;
  mw::AppContext context;
  context.folder = dir.Folder();
  context.facts = mw::ProductFacts::Load(context.folder);
  context.facts.productPage = server.Url("/product");
  context.dialogs = &dialogs;
  mw::ProgramWindows windows(context);
  mw::TMainForm& m = *windows.main;
  m.setWindowState(Qt::WindowNoState);
  m.setGeometry(0, 0, 1280, 800);
  m.show();
  const auto waiting = m.FetchURL;
  if (!state.range(0)) {
    m.FetchURL = [](const std::string&) { return std::string("<html>danke</html>"); };
    m.SubmitFetch = [](const std::string&, const std::atomic<bool>*) {
      return mw::FetchAnswer{"<html>danke</html>", 200, false};
    };
  }
  const auto prepare = [&] {
    for (int e = 0; e < kEngines; ++e)
      mw::PageList::Write(dir.Path() + "Projects/Project_0001/Engine" + std::to_string(e) + "_DE.ser", pages);
    m.OpenProject("Project_0001");
    m.SelectTab(4);
    m.BitBtn3->click();
    m.ComboBox1Change();
    m.MarkAllBitBtn->click();
  };
  // One untimed run first, so the kept answers exist, as in bench_submit's later iterations:
  // creating 5 000 new files is the file system's cost, not the window's.
  prepare();
  m.AlleAnmeldenBitBtn->click();
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    state.ResumeTiming();
    m.AlleAnmeldenBitBtn->click();
  }
  state.counters["attempts/s"] =
      benchmark::Counter(double(kPages * kEngines), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

// Argument 1: real requests through the window's waiting fetch; 0: answers made up at once.
BENCHMARK(BM_WindowRun)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
