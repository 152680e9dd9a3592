// The ranking run over 100 result pages of an instant local engine, beside the same 100 GET
// requests made bare. The difference is what the run adds per result page: building the
// address from the template, keeping the page in Temp/, searching it, the report and the
// history. Result pages are 60 KB, about the size of a real engine's; the site is never found,
// so every page is searched to its end. The window's run (offscreen) is timed the same way.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/FetchURL.h"
#include "ranking/RankingRun.h"
#include "ranking/RankingTemplates.h"
#include "ranking/fRanking.h"
#include "store/AppContext.h"
#include "support/RecordingOpener.h"
#include "support/TempProgramFolder.h"
#include "support/TestHttpServer.h"

namespace {

constexpr int kPages = 100;

struct Engine {
  mwtest::TestHttpServer server;
  mwtest::TempProgramFolder dir;
  std::string page;

  Engine() {
    std::string row =
        "<div class=\"result\"><a href=\"http://www.anderes-beispiel.de/seite.html\">Ein Treffer</a>"
        "<p>Beschreibung eines Treffers mit einigen Worten darin.</p></div>\r\n";
    while (page.size() < 60 * 1024) page += row;
    server.SetFallback([this](const auto&, auto& res) { res.set_content(page, "text/html"); });
    dir.Write("Projects/templates/Lokal_DE.ran",
              "[SETTINGS]\r\nBasicURL=" + server.Url("/search") + "?q=KLXKEYWORD&p=KLXPOS\r\nEncodeKeyword=true\r\n");
    dir.MakeFolder("Temp");
    dir.MakeFolder("reports");
  }
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

void BM_BareFetches(benchmark::State& state) {
  Engine& e = TheEngine();
  for (auto _ : state)
    for (int p = 0; p < kPages; ++p)
      benchmark::DoNotOptimize(mw::FetchURLAnswer(e.server.Url("/search") + "?q=gute+seite&p=" + std::to_string(p),
                                                  mw::kRankingFetchTimeoutMs));
  state.counters["pages"] = kPages;
}

void BM_RankingRun(benchmark::State& state) {
  Engine& e = TheEngine();
  const std::string templates = e.dir.Templates();
  for (auto _ : state) {
    mw::RankingRun::Services services;
    // Argument 1: real requests. 0: the page is handed over without a request, the run's own
    // cost alone. 2: the same for a single page, the run's fixed cost (report and history).
    if (state.range(0) == 1)
      services.fetch = [](const std::string& url) { return mw::FetchURLAnswer(url, mw::kRankingFetchTimeoutMs); };
    else
      services.fetch = [&e](const std::string&) { return mw::FetchAnswer{e.page, 200, false}; };
    services.buildUrl = [&](const std::string& engine, int page, const std::string& keyword) {
      return mw::BuildRankingURL(templates, engine, page, keyword);
    };
    int lines = 0;
    mw::RankingRun::View view;
    view.addLine = [&](const std::string&) { ++lines; };
    mw::RankingRun run(e.dir.Path() + "Temp/", e.dir.Path() + "reports/", "Projekt", services, view);
    const int pages = state.range(0) == 2 ? 1 : kPages;
    const auto out = run.Run({{"Lokal_DE"}, "gute seite", "www.meine-seite.de", pages});
    if (!out.error.empty() || lines != pages + 1) state.SkipWithError("the run did not go through");
  }
  state.counters["pages"] = kPages;
}

class SilentDialogs final : public mw::Dialogs {
 public:
  void Information(const QString&) override {}
  void Error(const QString&) override {}
  void Message(const QString&) override {}
  bool YesNo(const QString&) override { return false; }
  QString OpenFile(const QString&, const QString&) override { return {}; }
  QString SaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

void BM_RankingWindowRun(benchmark::State& state) {
  Engine& e = TheEngine();
  SilentDialogs dialogs;
  mwtest::RecordingOpener opener;
  mw::AppContext context;
  context.folder = e.dir.Folder();
  context.dialogs = &dialogs;
  context.opener = &opener;
  mw::TRankingForm form(context, QPixmap(), QPixmap());
  form.CheckConnection = [](const std::string&) { return true; };
  form.ProjectName = [] { return std::string("Projekt"); };
  form.show();
  form.FormActivate();
  form.MaxPosEdit->setText(QString::number(kPages));
  form.SearchURLEdit->setText(QStringLiteral("www.meine-seite.de"));
  form.KeywordEdit->setText(QStringLiteral("gute seite"));
  for (auto _ : state) form.StartBitBtn->click();
  state.counters["pages"] = kPages;
}

}  // namespace

BENCHMARK(BM_BareFetches)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RankingRun)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RankingWindowRun)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
