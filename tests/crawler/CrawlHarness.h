#pragma once
// A crawler with every event recorded, and a wait for the crawl's end that runs the event loop.

#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "crawler/HttpScan.h"

struct LinkSeen {
  std::string url, type, from, host;
  char hrefOrSrc;
};

struct ErrorSeen {
  std::string url;
  unsigned code;
  std::string msg;
  std::string from;
  bool operator==(const ErrorSeen&) const = default;
};

class CrawlRecorder {
 public:
  mw::THttpScan scan{[this](const std::string& m) { messages.push_back(m); }};
  std::vector<std::string> messages, pages, logs;
  std::vector<LinkSeen> links;
  std::vector<ErrorSeen> errors;
  std::vector<std::vector<std::string>> metas;
  std::vector<bool> working;
  std::vector<mw::TObject*> workingSenders, errorSenders;
  int stats[6] = {0, 0, 0, 0, 0, 0};
  int statsEvents = 0;
  int workersAtEnd = -1;
  // Hooks a test can set to act inside a handler.
  std::function<void(const std::string& url, std::string& writeToFile, bool& follow)> onLink;
  std::function<void(const std::string& url)> onPage;
  std::function<void()> onStats;

  CrawlRecorder() {
    scan.SetProxyType(mw::PROXY_DIRECT);
    scan.SetFileOfResults("");
    scan.OnWorking = [this](mw::TObject* sender, bool w) {
      working.push_back(w);
      workingSenders.push_back(sender);
      if (!w) {
        workersAtEnd = scan.Manager().RunningWorkers();
        if (loop_) loop_->quit();
      }
    };
    scan.OnPageReceived = [this](mw::TObject*, const std::string&, const std::string& url, const std::string&,
                                 const std::string&) {
      pages.push_back(url);
      if (onPage) onPage(url);
    };
    scan.OnError = [this](mw::TObject* sender, const std::string& url, unsigned code, const std::string& msg,
                          const std::string& from) {
      errors.push_back({url, code, msg, from});
      errorSenders.push_back(sender);
    };
    scan.OnLinkFound = [this](mw::TObject*, const std::string& url, const std::string& type, const std::string& from,
                              const std::string& host, const std::string&, const std::string&, const std::string&,
                              std::string& writeToFile, char hs, int, bool& follow) {
      links.push_back({url, type, from, host, hs});
      if (onLink) onLink(url, writeToFile, follow);
    };
    scan.OnMetaTag = [this](mw::TObject*, const std::string& url, const std::string& ref, const std::string& type,
                            const std::string& a1, const std::string& v1, const std::string& a2, const std::string& v2,
                            const std::string& a3, const std::string& v3) {
      metas.push_back({url, ref, type, a1, v1, a2, v2, a3, v3});
    };
    scan.OnUpdatedStats = [this](mw::TObject*, int q, int d, int a, int done, int r, int e) {
      const int v[6] = {q, d, a, done, r, e};
      std::copy(v, v + 6, stats);
      ++statsEvents;
      if (onStats) onStats();
    };
    scan.OnLog = [this](mw::TObject*, const std::string& m) { logs.push_back(m); };
  }

  // Runs the event loop until the crawl has ended, at most `boundMs`.
  bool WaitForEnd(int boundMs = 30000) {
    if (!scan.Working()) return true;
    QEventLoop loop;
    loop_ = &loop;
    QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
    loop.exec();
    loop_ = nullptr;
    return !scan.Working();
  }

  bool Crawl(const std::string& url, int boundMs = 30000) { return scan.Start(url) && WaitForEnd(boundMs); }

  int Done() const { return stats[3]; }
  int Retries() const { return stats[4]; }
  int Errors() const { return stats[5]; }
  int LinkCount(const std::string& url) const {
    int n = 0;
    for (const auto& l : links) n += l.url == url;
    return n;
  }
  const LinkSeen* Link(const std::string& url) const {
    for (const auto& l : links)
      if (l.url == url) return &l;
    return nullptr;
  }

 private:
  QEventLoop* loop_ = nullptr;
};

// Runs the event loop until `done` holds, at most `boundMs`; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, int boundMs = 10000) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  poll.start(5);
  QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
  if (!done()) loop.exec();
  return done();
}
