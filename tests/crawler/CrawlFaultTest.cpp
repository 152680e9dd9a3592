// Stopping, destruction, hostile servers, credentials and the scheduler's own rules.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <thread>

#include "CrawlHarness.h"
#include "crawler/HttpScan.h"
#include "support/TestHttpServer.h"
#include "support/TestProxy.h"

using namespace mw;
using mwtest::Route;
using mwtest::TestHttpServer;

namespace {

std::string SlowLinks(int n) {
  std::string html;
  for (int i = 0; i < n; ++i) html += "<a href=\"slow" + std::to_string(i) + ".html\">x</a>";
  return html;
}

// Answers after `ms`, or sends the head and then nothing when `stall` is set.
void AddSlowPages(TestHttpServer& s, int n, int ms) {
  for (int i = 0; i < n; ++i)
    s.Set("/slow" + std::to_string(i) + ".html", Route{200, "text/html", "<a href=\"x.html\">x</a>", ms, {}});
}

}  // namespace

TEST(CrawlStop, StopAbortsDownloadsAndNoEventFollows) {
  TestHttpServer s;
  s.SetPage("/", SlowLinks(4));
  AddSlowPages(s, 4, 3000);
  CrawlRecorder r;
  r.scan.SetLogsEnabled(true);
  ASSERT_TRUE(r.scan.Start(s.Url("/")));
  ASSERT_TRUE(WaitUntil([&] { return s.RequestCount() >= 5; }));
  ASSERT_TRUE(WaitUntil([&] { return r.stats[1] == 4; }));  // four downloads running
  ASSERT_TRUE(r.scan.Stop());
  const auto pages = r.pages.size(), links = r.links.size(), errors = r.errors.size(), logs = r.logs.size();
  ASSERT_TRUE(r.WaitForEnd());
  EXPECT_EQ(r.scan.Manager().Done(), 1);  // the four slow downloads were aborted, not waited for
  EXPECT_EQ(r.pages.size(), pages);
  EXPECT_EQ(r.links.size(), links);
  EXPECT_EQ(r.errors.size(), errors);
  EXPECT_EQ(r.logs.size(), logs);
  EXPECT_EQ(r.workersAtEnd, 0);
  EXPECT_EQ(r.working, (std::vector<bool>{true, false}));
  EXPECT_EQ(r.scan.Manager().QueueLength(), 0);

  // The component is ready for the next crawl.
  s.SetPage("/", "<p>quick</p>");
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  EXPECT_EQ(r.pages.back(), s.Url("/"));
}

TEST(CrawlStop, DestroyingTheComponentMidCrawl) {
  TestHttpServer s;
  s.SetPage("/", SlowLinks(3));
  AddSlowPages(s, 3, 3000);
  bool ended = false;
  {
    CrawlRecorder r;
    r.scan.OnWorking = [&](TObject*, bool w) { ended = !w; };
    ASSERT_TRUE(r.scan.Start(s.Url("/")));
    ASSERT_TRUE(WaitUntil([&] { return s.RequestCount() >= 4; }));
    ASSERT_TRUE(WaitUntil([&] { return r.scan.Manager().RunningWorkers() == 3; }));
  }  // waits for the end of the crawl and for every worker
  EXPECT_TRUE(ended);
}

TEST(CrawlStop, LoweringConcurrentDownloadsWhileTheyRun) {
  TestHttpServer s;
  s.SetPage("/", SlowLinks(4));
  AddSlowPages(s, 4, 400);
  CrawlRecorder r;
  r.onStats = [&] {
    if (r.stats[1] == 4) r.scan.SetConcurrentDownloads(2);
  };
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  EXPECT_EQ(r.scan.Manager().SlotCount(), 2);
  EXPECT_EQ(r.pages.size(), 5u);  // the start and the four slow pages
}

TEST(CrawlFaults, StalledAndSilentServers) {
  TestHttpServer s;
  std::atomic<bool> serverDone{false};
  // A head and a first piece, then nothing: the download's time limit ends it, and it is retried.
  s.Handle("/stalled.html", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(100000, "text/html", [&](size_t offset, size_t, httplib::DataSink& sink) {
      if (offset == 0) return sink.write("<p>start", 8);
      for (int i = 0; i < 400 && !serverDone; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      return false;
    });
  });
  s.SetPage("/", "<a href=\"stalled.html\">s</a>");
  CrawlRecorder r;
  r.scan.SetRetries(1);
  r.scan.SetTimeOut(1);
  ASSERT_TRUE(r.Crawl(s.Url("/"), 60000));
  serverDone = true;
  EXPECT_EQ(s.CountFor("/stalled.html"), 2u);
  EXPECT_EQ(r.errors, (std::vector<ErrorSeen>{{s.Url("/stalled.html"), 200, "", s.Url("/")}}));
  EXPECT_EQ(r.Errors(), 1);

  // A port where nobody listens: every attempt fails without a status.
  CrawlRecorder silent;
  silent.scan.SetRetries(1);
  ASSERT_TRUE(silent.Crawl("http://127.0.0.1:1/"));
  ASSERT_EQ(silent.errors.size(), 1u);
  EXPECT_EQ(silent.errors[0].code, 0u);
}

TEST(CrawlFaults, ResultsFileThatFailsMidCrawlIsClosed) {
  TestHttpServer s;
  s.SetPage("/", "<a href=\"a.html\">a</a><a href=\"b.html\">b</a>");
  s.SetPage("/a.html", "<a href=\"c.html\">c</a>");
  s.SetPage("/b.html", "b");
  s.SetPage("/c.html", "c");
  CrawlRecorder r;
  r.scan.SetFileOfResults("/dev/full");  // opens, but every write fails
  r.scan.SetLogsEnabled(true);
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  EXPECT_EQ(r.pages.size(), 4u);
  EXPECT_FALSE(r.scan.ResultsFileOpen());
  EXPECT_NE(std::find(r.logs.begin(), r.logs.end(), "unable to write file: /dev/full"), r.logs.end());
}

TEST(CrawlFaults, CredentialsAreOfferedOnceAfter401And407) {
  TestHttpServer s;
  s.Handle("/", [](const httplib::Request& req, httplib::Response& res) {
    if (req.get_header_value("Authorization") == "Basic am9lOnNlY3JldA==") {  // joe:secret
      res.set_content("<p>inside</p>", "text/html");
      return;
    }
    res.status = 401;
    res.set_header("WWW-Authenticate", "Basic realm=\"site\"");
    res.set_content("<p>no</p>", "text/html");
  });
  {
    CrawlRecorder r;
    r.scan.SetUserName("joe");
    r.scan.SetPassword("secret");
    ASSERT_TRUE(r.Crawl(s.Url("/")));
    EXPECT_EQ(r.pages, std::vector<std::string>{s.Url("/")});
  }
  {
    CrawlRecorder r;
    r.scan.SetUserName("joe");
    r.scan.SetPassword("wrong");
    r.scan.SetRetries(1);
    ASSERT_TRUE(r.Crawl(s.Url("/")));
    EXPECT_TRUE(r.pages.empty());
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].code, 401u);
    EXPECT_EQ(r.errors[0].msg, "");
  }

  // Through a proxy that wants its own credentials; the host name is never resolved here.
  mwtest::TestProxy proxy("proxyjoe", "proxysecret");
  s.SetPage("/page.html", "<p>via proxy</p>");
  CrawlRecorder r;
  r.scan.SetProxyType(PROXY_USEPROXY);
  r.scan.SetProxyAddress("127.0.0.1");
  r.scan.SetProxyPort(proxy.Port());
  r.scan.SetProxyUser("proxyjoe");
  r.scan.SetProxyPassword("proxysecret");
  ASSERT_TRUE(r.Crawl(s.Url("/page.html")));
  EXPECT_EQ(r.pages, std::vector<std::string>{s.Url("/page.html")});
  EXPECT_GE(proxy.Refused(), 1);
  EXPECT_EQ(proxy.Forwarded(), 1);
}

TEST(Scheduler, IdleCrawlEndsOnTheEleventhQuietPass) {
  THttpDwnld m;
  m.SetConcurrentDownloads(2);
  int statsCalls = 0;
  m.OnStats = [&](int, int, int, int, int, int) { ++statsCalls; };
  m.Reset();
  EXPECT_EQ(statsCalls, 1);
  int passes = 0;
  for (;;) {
    m.SchedulerPass();
    ++passes;
    if (!m.ProgressCheck()) break;
    ASSERT_LT(passes, 100);
  }
  EXPECT_EQ(passes, 12);  // one pass reports the changed statistics, eleven quiet ones follow
  EXPECT_EQ(m.SlotCount(), 2);
}

TEST(CrawlFaults, UntypedAnswersAreRetriedAndOversizedBodiesGivenUpAtOnce) {
  TestHttpServer s;
  s.SetPage("/", "<a href=\"untyped.html\">u</a> <a href=\"huge.html\">h</a>");
  s.Handle("/untyped.html", [](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(14, "",
                             [](size_t, size_t, httplib::DataSink& sink) { return sink.write("<p>no type</p>", 14); });
  });
  // An endless body is cut at the cap; another attempt would only be cut again.
  std::atomic<bool> serverDone{false};
  s.Handle("/huge.html", [&](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("text/html", [&](size_t, httplib::DataSink& sink) {
      static const std::string chunk(1 << 20, 'x');
      return !serverDone && sink.write(chunk.data(), chunk.size());
    });
  });
  CrawlRecorder r;
  r.scan.SetRetries(2);
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  serverDone = true;
  EXPECT_EQ(s.CountFor("/untyped.html"), 3u);
  EXPECT_EQ(s.CountFor("/huge.html"), 1u);
  std::sort(r.errors.begin(), r.errors.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
  EXPECT_EQ(r.errors, (std::vector<ErrorSeen>{{s.Url("/huge.html"), 200, "", s.Url("/")},
                                              {s.Url("/untyped.html"), 200, "", s.Url("/")}}));
  EXPECT_EQ(r.pages, std::vector<std::string>{s.Url("/")});
  EXPECT_EQ(r.Errors(), 2);
  EXPECT_EQ(r.Retries(), 2);
}

TEST(Scheduler, TheQuietPassesFollowTheLastPageAtOnce) {
  TestHttpServer s;
  s.SetPage("/", "<a href=\"a.html\">a</a>");
  s.SetPage("/a.html", "<p>the last page</p>");
  CrawlRecorder r;
  // True from a page event until the event loop turns once more.
  QObject context;
  bool inPageTurn = false, endedInPageTurn = false;
  r.onPage = [&](const std::string&) {
    inPageTurn = true;
    QMetaObject::invokeMethod(
        &context, [&] { inPageTurn = false; }, Qt::QueuedConnection);
  };
  const auto recordEnd = r.scan.OnWorking;
  r.scan.OnWorking = [&](TObject* sender, bool working) {
    if (!working) endedInPageTurn = inPageTurn;
    recordEnd(sender, working);
  };
  r.scan.SetLogsEnabled(true);  // the head goes to the main thread too
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  EXPECT_TRUE(endedInPageTurn);
  EXPECT_EQ(r.pages.size(), 2u);
  EXPECT_EQ(r.working, (std::vector<bool>{true, false}));
}
