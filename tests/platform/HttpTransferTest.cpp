#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

#include "platform/HttpTransfer.h"
#include "support/TestHttpServer.h"

using namespace mw;
using Outcome = HttpResult::Outcome;

namespace {

HttpRequest Get(const std::string& url) {
  HttpRequest r;
  r.url = url;
  r.userAgent = "Browser";
  r.proxy = ProxyChoice::Direct;
  return r;
}

// A body that would go on for ever: a chunk every 5 ms, bounded to two seconds so the server
// ends by itself once the client has gone.
void Endless(const httplib::Request&, httplib::Response& res) {
  const auto start = std::chrono::steady_clock::now();
  res.set_chunked_content_provider("text/html", [start](size_t, httplib::DataSink& sink) {
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(2)) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return sink.write(std::string(8192, 'x').data(), 8192);
  });
}

// Sends the head and a first piece, then nothing for three seconds.
void Stalled(const httplib::Request&, httplib::Response& res) {
  res.set_content_provider(1000, "text/html", [](size_t offset, size_t, httplib::DataSink& sink) {
    if (offset == 0) return sink.write("start", 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(3000));
    return false;
  });
}

}  // namespace

TEST(HttpTransfer, BodyComesBackWholeWithZeroBytesHeadAndAgent) {
  mwtest::TestHttpServer server;
  std::string body;
  for (int i = 0; i < 1 << 20; ++i) body += char(i % 251);  // includes zero bytes
  server.Set("/big", {200, "application/octet-stream", body, 0, {{"X-Test", "1"}}});
  server.Set("/missing", {404, "text/html", "<h1>weg</h1>", 0, {}});
  auto request = Get(server.Url("/big"));
  request.referrer = "http://from.example/";
  request.http10 = true;
  int headCalls = 0;
  request.onHead = [&](const HttpResponseHead& head) {
    ++headCalls;
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.contentType, "application/octet-stream");
    EXPECT_EQ(head.contentLength, 1 << 20);
    EXPECT_NE(head.rawHeaders.find("X-Test: 1"), std::string::npos);
    return true;
  };
  const HttpResult r = PerformHttpGet(request);
  EXPECT_EQ(r.outcome, Outcome::Complete);
  EXPECT_EQ(headCalls, 1);
  EXPECT_TRUE(r.body == body);
  const auto log = server.Requests();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Header("User-Agent"), "Browser");
  EXPECT_EQ(log[0].Header("Referer"), "http://from.example/");

  const HttpResult missing = PerformHttpGet(Get(server.Url("/missing")));
  EXPECT_EQ(missing.outcome, Outcome::Complete);
  EXPECT_EQ(missing.head.status, 404);
  EXPECT_EQ(missing.body, "<h1>weg</h1>");
}

TEST(HttpTransfer, RedirectsAreFollowedOnlyWhenAsked) {
  mwtest::TestHttpServer server;
  server.Set("/a", {302, "text/html", "", 0, {{"Location", "/b"}}});
  server.Set("/b", {301, "text/html", "", 0, {{"Location", "/c"}}});
  server.SetPage("/c", "ziel");
  const HttpResult followed = PerformHttpGet(Get(server.Url("/a")));
  EXPECT_EQ(followed.head.status, 200);
  EXPECT_EQ(followed.body, "ziel");
  EXPECT_EQ(followed.effectiveUrl, server.Url("/c"));
  auto noFollow = Get(server.Url("/a"));
  noFollow.followRedirects = false;
  EXPECT_EQ(PerformHttpGet(noFollow).head.status, 302);
}

TEST(HttpTransfer, AbortIdleTimeoutDeadlineAndCapEndAnEndlessBody) {
  mwtest::TestHttpServer server;
  server.Handle("/endless", Endless);
  server.Handle("/stalled", Stalled);

  std::atomic<bool> abort{false};
  auto aborted = Get(server.Url("/endless"));
  aborted.abort = &abort;
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    abort = true;
  });
  EXPECT_EQ(PerformHttpGet(aborted).outcome, Outcome::Aborted);
  stopper.join();

  auto capped = Get(server.Url("/endless"));
  capped.maxBodyBytes = 50000;
  const HttpResult c = PerformHttpGet(capped);
  EXPECT_EQ(c.outcome, Outcome::BodyCapped) << c.error;
  EXPECT_EQ(c.body.size(), 50000u);

  auto deadline = Get(server.Url("/endless"));
  deadline.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
  EXPECT_EQ(PerformHttpGet(deadline).outcome, Outcome::TimedOut);

  auto idle = Get(server.Url("/stalled"));
  idle.receiveTimeoutMs = 200;
  const auto start = std::chrono::steady_clock::now();
  const HttpResult s = PerformHttpGet(idle);
  EXPECT_EQ(s.outcome, Outcome::TimedOut);
  EXPECT_EQ(s.body, "start");  // what was read is kept
  EXPECT_EQ(s.head.status, 200);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

TEST(HttpTransfer, HeadCanStopTheTransferAndFailuresHaveNoStatus) {
  mwtest::TestHttpServer server;
  server.Set("/pic", {200, "image/png", std::string(10000, 'p'), 0, {}});
  auto request = Get(server.Url("/pic"));
  request.onHead = [](const HttpResponseHead& head) { return head.contentType.find("text/html") != std::string::npos; };
  const HttpResult r = PerformHttpGet(request);
  EXPECT_EQ(r.outcome, Outcome::StoppedByHead);
  EXPECT_TRUE(r.body.empty());

  const int port = server.Port();
  server.Stop();
  const HttpResult refused = PerformHttpGet(Get("http://127.0.0.1:" + std::to_string(port) + "/"));
  EXPECT_EQ(refused.outcome, Outcome::Failed);
  EXPECT_FALSE(refused.Responded());
  EXPECT_FALSE(refused.error.empty());
  EXPECT_EQ(PerformHttpGet(Get("")).outcome, Outcome::Failed);
  EXPECT_EQ(PerformHttpGet(Get("http://host.invalid/")).outcome, Outcome::Failed);
}

TEST(HttpTransfer, OnlyWebAddressesAreFetchedAndPathsGoOutAsWritten) {
  mwtest::TestHttpServer server;
  server.SetPage("/b", "b");
  const std::string hostPort = "127.0.0.1:" + std::to_string(server.Port());
  server.SetRedirect("/to-file", "file:///etc/hostname");
  server.SetRedirect("/to-dict", "dict://" + hostPort + "/d:x");
  server.SetRedirect("/to-b", "/b");
  const struct {
    std::string url;
    bool fetched;
  } cases[] = {
      {"file:///etc/hostname", false},
      {"dict://" + hostPort + "/d:x", false},
      {"gopher://" + hostPort + "/1", false},
      {"ftp://" + hostPort + "/", false},
      {hostPort + "/b", false},  // no scheme: not completed to http://
      {"//" + hostPort + "/b", false},
      {"http://" + hostPort + "/to-file", false},
      {"http://" + hostPort + "/to-dict", false},
      {"HTTP://" + hostPort + "/to-b", true},
  };
  for (const auto& c : cases) {
    const HttpResult r = PerformHttpGet(Get(c.url));
    EXPECT_EQ(r.Complete(), c.fetched) << c.url;
    EXPECT_EQ(r.body == "b", c.fetched) << c.url;
  }
  EXPECT_EQ(server.CountFor("/b"), 1u);

  ASSERT_EQ(PerformHttpGet(Get(server.Url("/a/../b?x=/../y"))).head.status, 404);
  EXPECT_EQ(server.Requests().back().target, "/a/../b?x=/../y");
  PerformHttpGet(Get(server.Url("/a/./b")));
  EXPECT_EQ(server.Requests().back().target, "/a/./b");
}
