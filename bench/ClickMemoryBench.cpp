// Memory of a long click run: 201 clicks in real browser windows (1 second each) on three
// pages of a local server. After 10, 50, 100, 150 and 200 clicks (as the next window starts)
// and at the end it prints the resident size of this process and the proportional size of it
// together with the engine's helper processes. Needs a display:
//   xvfb-run -a build/bin/bench_click_memory
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/BrowserControl.h"
#include "support/TestHttpServer.h"
#include "tools/BrowserRuns.h"
#include "tools/ClickSchedule.h"

namespace {

long FieldKb(const std::string& file, const std::string& field) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return 0;
}

void ProcessTree(long pid, std::vector<long>& out) {
  out.push_back(pid);
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  for (long child; in >> child;) ProcessTree(child, out);
}

void Report(const char* when) {
  std::vector<long> tree;
  ProcessTree(::getpid(), tree);
  long pss = 0;
  for (long pid : tree) pss += FieldKb("/proc/" + std::to_string(pid) + "/smaps_rollup", "Pss");
  std::printf("%-18s own RSS %6.1f MiB   with %zu engine processes PSS %6.1f MiB\n", when,
              FieldKb("/proc/self/status", "VmRSS") / 1024.0, tree.size() - 1, pss / 1024.0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  mw::PrepareBrowserEngine();
  QApplication app(argc, argv);
  mwtest::TestHttpServer server;
  std::vector<std::string> lines;
  for (const char* page : {"/eins", "/zwei", "/drei"}) {
    server.SetPage(page, std::string("<html><head><title>") + page + "</title></head><body><h1>" + page +
                             "</h1><script>document.body.append(new Date().toString());</script></body></html>");
    lines.push_back(server.Url(page));
  }
  mw::ClickSchedule schedule(lines, 202);  // 201 clicks: the last starts after 200
  mw::ClickRunSettings settings;
  settings.seconds = 1;
  settings.onClickStart = [&](const std::string&, const std::string&) {
    const int made = schedule.Click() - 1;
    if (made == 10 || made % 50 == 0) Report(("after " + std::to_string(made) + " clicks").c_str());
  };
  bool cancel = false;
  mw::RunClicks(schedule, settings, cancel, nullptr);
  Report("at the end");
  return 0;
}
