#include <gtest/gtest.h>

#include <httplib.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/FetchURL.h"
#include "platform/WaitingFetch.h"
#include "support/TestHttpServer.h"

using namespace mw;

namespace {

// The requests follow the proxy environment; the local test server is always reached directly.
class FetchURLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    ::unsetenv("http_proxy");
  }
  void TearDown() override { ::unsetenv("http_proxy"); }
  mwtest::TestHttpServer server;
};

std::string ClosedPortUrl() {
  mwtest::TestHttpServer gone;
  const std::string url = gone.Url("/");
  gone.Stop();
  return url;
}

}  // namespace

TEST_F(FetchURLTest, AnyAnswerIsContentByteForByte) {
  std::string big;
  for (int i = 0; i < 1 << 20; ++i) big += char(i % 251);  // zero bytes included
  server.Set("/big", {200, "application/octet-stream", big, 0, {}});
  server.Set("/missing", {404, "text/html", "<h1>Nicht da</h1>", 0, {}});
  server.Set("/broken", {500, "text/html", "kaputt", 0, {}});
  server.Set("/empty", {200, "text/html", "", 0, {}});

  EXPECT_TRUE(FetchURL(server.Url("/big"), 2000) == big);
  EXPECT_EQ(FetchURL(server.Url("/missing"), 2000), "<h1>Nicht da</h1>");
  EXPECT_EQ(FetchURL(server.Url("/broken"), 2000), "kaputt");
  EXPECT_EQ(FetchURL(server.Url("/empty"), 2000), "");

  const auto log = server.Requests();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0].Header("User-Agent"), "Browser");
  EXPECT_EQ(log[0].Header("Pragma"), "no-cache");
}

TEST_F(FetchURLTest, RedirectChainIsFollowedAndOddAddressesGoOut) {
  server.SetRedirect("/r1", "/r2", 301);
  server.SetRedirect("/r2", server.Url("/r3"), 302);
  server.SetRedirect("/r3", "/ziel", 307);
  server.SetPage("/ziel", "angekommen");
  EXPECT_EQ(FetchURL(server.Url("/r1"), 2000), "angekommen");

  // A contact name with blanks and an umlaut reaches the engine.
  server.SetPage("/add", "danke");
  EXPECT_EQ(FetchURL(server.Url("/add?name=Hans Meier&ort=M\xfcnchen&q=\"x\""), 2000), "danke");
  EXPECT_EQ(server.Requests().back().target, "/add?name=Hans%20Meier&ort=M\xfcnchen&q=\"x\"");
}

TEST_F(FetchURLTest, AddressesThatCannotBeOpenedGiveTheMarker) {
  const std::string refused = ClosedPortUrl();
  EXPECT_EQ(FetchURL("", 2000), "::ERROR:: ");
  EXPECT_EQ(FetchURL("http://suche.invalid/add?u=x", 2000), "::ERROR:: http://suche.invalid/add?u=x");
  EXPECT_EQ(FetchURL(refused, 2000), "::ERROR:: " + refused);
  EXPECT_EQ(FetchURL("http://[::1", 2000), "::ERROR:: http://[::1");
  EXPECT_EQ(FetchURL("kein Protokoll", 2000), "::ERROR:: kein Protokoll");

  server.SetRedirect("/away", refused);
  EXPECT_EQ(FetchURL(server.Url("/away"), 2000), "::ERROR:: " + server.Url("/away"));
  server.SetRedirect("/loop", "/loop");
  EXPECT_TRUE(IsFetchError(FetchURL(server.Url("/loop"), 2000)));

  // No answer at all within the receive time-out.
  server.Set("/silent", {200, "text/html", "zu spaet", 3000, {}});
  EXPECT_EQ(FetchURL(server.Url("/silent"), 300), "::ERROR:: " + server.Url("/silent"));
}

TEST_F(FetchURLTest, BodyCutShortGivesWhatArrived) {
  server.SetStalled("/stalled", "<html>anfang", 5000, 4000);
  EXPECT_EQ(FetchURL(server.Url("/stalled"), 300), "<html>anfang");
  server.SetCutOff("/cut", "<html>halb", 4000);
  EXPECT_EQ(FetchURL(server.Url("/cut"), 2000), "<html>halb");
}

TEST_F(FetchURLTest, RequestsEndAtTheLimitOrTheCapWithWhatWasRead) {
  // A byte now and then never trips the receive time-out; the server gives up after ten seconds.
  server.Handle("/trickle", [](const httplib::Request&, httplib::Response& res) {
    const auto start = std::chrono::steady_clock::now();
    res.set_chunked_content_provider("text/html", [start](size_t, httplib::DataSink& sink) {
      if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      return sink.write("x", 1);
    });
  });
  // A body that would not end before 80 MB.
  server.Handle("/endless", [](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("text/html", [](size_t offset, httplib::DataSink& sink) {
      static const std::string chunk(1 << 20, 'y');
      return offset < (std::size_t(80) << 20) && sink.write(chunk.data(), chunk.size());
    });
  });
  const FetchAnswer trickled = FetchURLAnswer(server.Url("/trickle"), 2000, nullptr, 300);
  EXPECT_EQ(trickled.status, 200);
  EXPECT_FALSE(trickled.text.empty());
  EXPECT_LT(trickled.text.size(), 400u);  // the server's whole ten seconds would bring 500
  EXPECT_EQ(trickled.text.find_first_not_of('x'), std::string::npos);
  EXPECT_EQ(FetchURLWaiting(server.Url("/trickle"), 2000, 300).find_first_not_of('x'), std::string::npos);

  const std::string capped = FetchURL(server.Url("/endless"), 2000);
  EXPECT_EQ(capped.size(), kFetchBodyCap);
  EXPECT_EQ(capped.find_first_not_of('y'), std::string::npos);
}

TEST_F(FetchURLTest, OnlyWebAddressesAreFetchedAndTheirPathsAsWritten) {
  server.SetPage("/b", "b");
  server.SetRedirect("/to-file", "file:///etc/hostname");
  const std::string noScheme = "127.0.0.1:" + std::to_string(server.Port()) + "/b";
  for (const std::string& url : {std::string("file:///etc/hostname"), noScheme, server.Url("/to-file")})
    EXPECT_EQ(FetchURL(url, 2000), "::ERROR:: " + url);
  EXPECT_EQ(server.CountFor("/b"), 0u);
  FetchURL(server.Url("/a/../b"), 2000);
  EXPECT_EQ(server.Requests().back().target, "/a/../b");
}

TEST_F(FetchURLTest, SystemProxySettingsAreFollowed) {
  server.SetFallback([](const httplib::Request&, httplib::Response& res) { res.set_content("vom proxy", "text/html"); });
  ::setenv("http_proxy", server.Url("/").c_str(), 1);
  EXPECT_EQ(FetchURL("http://engine.invalid/add?u=1", 2000), "vom proxy");
  EXPECT_EQ(server.Requests().back().target, "http://engine.invalid/add?u=1");
}

TEST(ConnectionCheck, OnlyTheMarkerInTheFirstLineCountsAsFailure) {
  std::vector<std::string> asked;
  auto answering = [&](std::string answer) {
    return [&asked, answer](const std::string& url) {
      asked.push_back(url);
      return answer;
    };
  };
  EXPECT_FALSE(CheckConnection("http://produkt/", answering("::ERROR:: http://produkt/")));
  EXPECT_FALSE(CheckConnection("http://produkt/", answering("vorne ::ERROR:: hinten\r\nmehr")));
  EXPECT_TRUE(CheckConnection("http://produkt/", answering("<html>\n::ERROR::")));
  EXPECT_TRUE(CheckConnection("http://produkt/", answering("")));
  EXPECT_EQ(asked, std::vector<std::string>(4, "http://produkt/"));
}

TEST(ConnectionCheck, TheActionsOwnAddressIsTriedWhenTheProductPageFails) {
  const std::string product = "http://produkt/", site = "http://intranet.local/";
  const struct {
    bool productAnswers, siteAnswers;
    std::string fallback;
    bool connected;
    std::vector<std::string> asked;
  } cases[] = {
      {true, true, site, true, {product}},
      {false, true, site, true, {product, site}},
      {false, false, site, false, {product, site}},
      {false, true, "", false, {product}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> asked;
    const FetchFunction fetch = [&](const std::string& url) {
      asked.push_back(url);
      const bool answers = url == product ? c.productAnswers : c.siteAnswers;
      return answers ? std::string("<html>") : "::ERROR:: " + url;
    };
    EXPECT_EQ(CheckConnection(product, fetch, c.fallback), c.connected) << c.fallback;
    EXPECT_EQ(asked, c.asked);
  }
}

TEST_F(FetchURLTest, WaitingFetchKeepsEventsRunningUnderTheBusyCursor) {
  server.Set("/slow", {200, "text/html", "fertig", 300, {}});
  int ticks = 0, busyTicks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    ++ticks;
    const QCursor* cursor = QApplication::overrideCursor();
    busyTicks += cursor && cursor->shape() == Qt::WaitCursor;
  });
  timer.start(10);
  EXPECT_EQ(FetchURLWaiting(server.Url("/slow"), 2000), "fertig");
  timer.stop();
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(busyTicks, ticks);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  EXPECT_TRUE(CheckConnection(server.Url("/"), WaitingFetcher(2000)));  // a 404 page is an answer
  EXPECT_FALSE(CheckConnection(ClosedPortUrl(), WaitingFetcher(2000)));
}

TEST_F(FetchURLTest, AnswerCarriesTheStatusAndAnAbortEndsTheRequestAtOnce) {
  server.Set("/ok", {202, "text/plain", "angenommen", 0, {}});
  server.Set("/forbidden", {403, "text/html", "nein", 0, {}});
  server.SetStalled("/hang", "<html>", 60000, 1000);
  struct Case {
    std::string url;
    std::string text;
    int status;
  } cases[] = {{server.Url("/ok"), "angenommen", 202},
               {server.Url("/forbidden"), "nein", 403},
               {ClosedPortUrl(), "", 0}};
  for (const Case& c : cases) {
    const FetchAnswer answer = FetchURLAnswer(c.url, 2000);
    EXPECT_EQ(answer.status, c.status) << c.url;
    EXPECT_EQ(answer.text, c.text.empty() ? "::ERROR:: " + c.url : c.text) << c.url;
    EXPECT_EQ(answer.Rejected(), c.status >= 400);
  }
  std::atomic<bool> abort{false};
  QTimer::singleShot(100, [&] { abort = true; });
  const FetchAnswer aborted = FetchURLAnswerWaiting(server.Url("/hang"), 30000, &abort);
  EXPECT_TRUE(aborted.aborted);
  EXPECT_TRUE(IsFetchError(aborted.text));
}
