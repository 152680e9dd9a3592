// Whole crawls against a site on 127.0.0.1 that exercises several rules at once.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "CrawlHarness.h"
#include "common/Files.h"
#include "crawler/HttpScan.h"
#include "support/TestHttpServer.h"

using namespace mw;
using mwtest::Route;
using mwtest::TestHttpServer;

namespace {

// The start page links to pages, a folder with a base address, a page that is refused by the
// keyword filter, statuses that are reported, retried or skipped, a file, a mail address and a
// page on another site (localhost is another site than 127.0.0.1).
void BuildSite(TestHttpServer& s) {
  const std::string far = "http://localhost:" + std::to_string(s.Port()) + "/far.html";
  s.SetPage("/",
            "<html><head><title>Start</title>\n<meta name=\"keywords\" content=\"Alpha Beta\"></head><body>\n"
            "<a href=\"a.html\">A</a> <a href=\"sub/\">Sub</a> <a href=\"account.html\">Konto</a>\n"
            "<img src=\"pic.gif\"> <a href=\"image.html\">I</a> <a href=\"missing.html\">M</a>\n"
            "<a href=\"flaky.html\">F</a> <a href=\"empty.html\">E</a> <a href=\"doc.pdf\">D</a>\n"
            "<a href=\"mailto:joe@site.test?subject=Hallo\">Mail</a> <a href=\"" +
                far +
                "\">Far</a>\n"
                "<a href=\"a.html#top\">again</a></body></html>");
  s.SetPage("/a.html", "<a href=\"deep.html\">deep</a> <a href=\"/\">home</a> <a href=refresh.html>r</a>");
  s.SetPage("/sub/",
            "<base href=\"http://127.0.0.1:" + std::to_string(s.Port()) + "/other/\"><a href=\"based.html\">b</a>");
  s.SetPage("/other/based.html", "<p>based</p>");
  s.SetPage("/other/", "<p>the base itself is a link too</p>");
  s.SetPage("/deep.html", "<a href=\"deeper.html\">deeper</a>");
  s.SetPage("/deeper.html", "<p>too deep</p>");
  s.SetPage("/refresh.html", "<head><meta http-equiv=\"refresh\" content=\"0; URL=next.html\"></head>");
  s.SetPage("/next.html", "<p>next</p>");
  s.SetPage("/account.html", "<p>account</p>");
  s.Set("/image.html", Route{200, "image/png", "PNG", 0, {}});
  s.Set("/missing.html", Route{404, "text/html", "<p>gone</p>", 0, {}});
  s.Set("/flaky.html", Route{503, "text/html", "<p>busy</p>", 0, {}});
  s.Set("/empty.html", Route{200, "text/html", "", 0, {}});
  s.SetPage("/far.html", "<p>far</p>");
}

bool HasPage(const CrawlRecorder& r, const std::string& url) {
  return std::find(r.pages.begin(), r.pages.end(), url) != r.pages.end();
}

}  // namespace

TEST(Crawl, SiteRulesStatusesAndResults) {
  TestHttpServer s;
  BuildSite(s);
  QTemporaryDir dir;
  const std::string results = dir.path().toStdString() + "/results.txt";
  CrawlRecorder r;
  r.scan.SetRetries(2);
  r.scan.SetLinkScan(scanInitialSite);
  r.scan.SetKeywordsFilterEnabled(true);
  r.scan.SetFileOfResults(results);
  r.scan.SetLogsEnabled(true);
  const std::string start = s.Url("/");
  ASSERT_TRUE(r.Crawl(start));

  auto U = [&](const std::string& p) { return s.Url(p); };
  for (auto p : {"/", "/a.html", "/sub/", "/other/based.html", "/deep.html", "/refresh.html", "/next.html", "/other/"})
    EXPECT_TRUE(HasPage(r, U(p))) << p;
  EXPECT_EQ(r.pages.size(), 8u);
  EXPECT_FALSE(HasPage(r, U("/deeper.html")));  // depth 4 with the default depth limit 3
  EXPECT_EQ(s.CountFor("/deeper.html"), 0u);
  EXPECT_EQ(s.CountFor("/account.html"), 0u);
  EXPECT_EQ(r.LinkCount(U("/account.html")), 0);
  EXPECT_EQ(s.CountFor("/image.html"), 1u);  // skipped: no retry, no event
  EXPECT_EQ(s.CountFor("/missing.html"), 1u);
  EXPECT_EQ(s.CountFor("/flaky.html"), 3u);
  EXPECT_EQ(s.CountFor("/empty.html"), 3u);
  EXPECT_EQ(s.CountFor("/far.html"), 0u);  // another site: reported, not followed

  ASSERT_EQ(r.errors.size(), 3u);
  std::map<std::string, std::pair<unsigned, std::string>> errors;
  for (const auto& e : r.errors) errors[e.url] = {e.code, e.msg};
  EXPECT_EQ(errors[U("/missing.html")], std::make_pair(404u, std::string("ERROR")));
  EXPECT_EQ(errors[U("/flaky.html")], std::make_pair(503u, std::string()));
  EXPECT_EQ(errors[U("/empty.html")], std::make_pair(200u, std::string()));
  EXPECT_EQ(r.errorSenders[0], &r.scan.Manager());
  EXPECT_EQ(r.Done(), 8);
  EXPECT_EQ(r.Errors(), 2);
  EXPECT_EQ(r.Retries(), 4);

  EXPECT_EQ(r.LinkCount(U("/a.html")), 1);  // found twice, reported once
  ASSERT_TRUE(r.Link(U("/other/based.html")));
  EXPECT_EQ(r.Link(U("/other/based.html"))->from, U("/other/"));  // the base is the referring URL
  ASSERT_TRUE(r.Link("joe@site.test"));
  EXPECT_EQ(r.Link("joe@site.test")->type, "mail");
  EXPECT_EQ(r.Link("joe@site.test")->host, "");
  EXPECT_EQ(r.Link(U("/pic.gif"))->type, "gif");
  EXPECT_EQ(r.Link(U("/pic.gif"))->hrefOrSrc, 'S');
  EXPECT_EQ(r.Link(U("/doc.pdf"))->type, "pdf");
  EXPECT_EQ(r.Link(U("/doc.pdf"))->host, "127.0.0.1");
  EXPECT_TRUE(r.Link("http://localhost:" + std::to_string(s.Port()) + "/far.html"));
  EXPECT_EQ(r.LinkCount(U("/next.html")), 0);  // a refresh target is queued, not reported

  ASSERT_GE(r.metas.size(), 2u);
  EXPECT_EQ(r.metas[0], (std::vector<std::string>{start, start, "TITLE", "TITLE", "Start", "", "", "", ""}));
  EXPECT_EQ(r.metas[1],
            (std::vector<std::string>{start, start, "META", "NAME", "keywords", "CONTENT", "Alpha Beta", "", ""}));

  EXPECT_EQ(r.working, (std::vector<bool>{true, false}));
  EXPECT_EQ(r.workingSenders[0], &r.scan.Manager());
  EXPECT_EQ(r.workersAtEnd, 0);
  EXPECT_FALSE(r.scan.ResultsFileOpen());

  // The first request goes out as HTTP/1.0 with the agent and the start URL as referrer.
  const auto first = s.Requests().at(0);
  EXPECT_EQ(first.Header("User-Agent"), kDefaultAgent);
  EXPECT_EQ(first.Header("Referer"), start);
  for (auto m :
       {"HTML: starting download for " + start, "HTML: thread done: " + start, "html head complete (200):" + start,
        "page received, processing:" + start, "HTML: GetHttp_Error " + U("/flaky.html")})
    EXPECT_NE(std::find(r.logs.begin(), r.logs.end(), m), r.logs.end()) << m;

  std::string text;
  ASSERT_TRUE(ReadWholeFile(results, text));
  EXPECT_NE(text.find("\"htm\";\"" + U("/a.html") + "\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"mail\";\"joe@site.test\"\r\n"), std::string::npos);
  EXPECT_EQ(text.find("account"), std::string::npos);

  // A second crawl reports the same links again.
  const std::size_t firstLinks = r.links.size();
  r.links.clear();
  ASSERT_TRUE(r.Crawl(start));
  EXPECT_EQ(r.links.size(), firstLinks);
}

TEST(Crawl, HandlersFiltersDepthAndScope) {
  TestHttpServer s;
  s.SetPage("/docs/",
            "<a href=\"a.html\">a</a> <a href=\"b.html\">b</a> <a href=\"f.pdf\">f</a>"
            " <a href=\"/outside.html\">o</a>");
  s.SetPage("/docs/a.html", "<a href=\"inner.html\">i</a>");
  s.SetPage("/docs/b.html", "<p>b</p>");
  s.SetPage("/docs/inner.html", "<p>i</p>");
  s.SetPage("/outside.html", "<p>o</p>");
  QTemporaryDir dir;
  const std::string results = dir.path().toStdString() + "/r.txt";
  const std::string start = s.Url("/docs/");

  {  // A type filter with no entries: no link events, but every results line.
    CrawlRecorder r;
    r.scan.SetFileOfResults(results);
    r.scan.SetTypeFilterEnabled(true);
    r.scan.SetTypeFilter("");
    r.scan.SetDepthSearchLevel(1);
    ASSERT_TRUE(r.Crawl(start));
    EXPECT_TRUE(r.links.empty());
    EXPECT_EQ(r.pages, std::vector<std::string>{start});  // depth 1: the start page only
    std::string text;
    ASSERT_TRUE(ReadWholeFile(results, text));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  }
  {  // The handler keeps a page from being followed and rewrites or suppresses results lines.
    CrawlRecorder r;
    r.scan.SetFileOfResults(results);
    r.scan.SetLinkScan(scanInitialPath);
    r.onLink = [&](const std::string& url, std::string& writeToFile, bool& follow) {
      if (url == s.Url("/docs/a.html")) follow = false;
      if (url == s.Url("/docs/f.pdf")) writeToFile = "";
      if (url == s.Url("/docs/b.html")) writeToFile = "own line";
    };
    ASSERT_TRUE(r.Crawl(start));
    EXPECT_EQ(s.CountFor("/docs/a.html"), 0u);
    EXPECT_EQ(s.CountFor("/docs/b.html"), 1u);
    EXPECT_EQ(s.CountFor("/outside.html"), 0u);  // outside the start path
    EXPECT_TRUE(r.Link(s.Url("/outside.html")));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(results, text));
    EXPECT_EQ(text, "\"htm\";\"" + s.Url("/docs/a.html") + "\"\r\nown line\r\n\"htm\";\"" + s.Url("/outside.html") +
                        "\"\r\n");
  }
  {  // Only links within the current page's folder are reported.
    CrawlRecorder r;
    r.scan.SetLinkReport(reportCurrentPathLinks);
    r.scan.SetKeywordsLimiterEnabled(true);
    r.scan.SetKeywordsLimiter("DOCS\n");
    ASSERT_TRUE(r.Crawl(start));
    EXPECT_FALSE(r.Link(s.Url("/outside.html")));
    EXPECT_TRUE(r.Link(s.Url("/docs/inner.html")));
    EXPECT_EQ(s.CountFor("/outside.html"), 0u);  // the limiter drops it before it is followed
  }
}

TEST(Crawl, StartPathMeansBelowItsFolder) {
  // "/old/docs/" contains "/docs/" but lies outside it.
  TestHttpServer s;
  s.SetPage("/docs/", "<a href=\"sub/in.html\">i</a> <a href=\"/old/docs/out.html\">o</a>");
  s.SetPage("/docs/sub/in.html", "<a href=\"/x/docs/sub/far.html\">f</a>");
  s.SetPage("/old/docs/out.html", "o");
  s.SetPage("/x/docs/sub/far.html", "f");
  {
    CrawlRecorder r;
    r.scan.SetLinkScan(scanInitialPath);
    ASSERT_TRUE(r.Crawl(s.Url("/docs/")));
    EXPECT_EQ(s.CountFor("/docs/sub/in.html"), 1u);
    EXPECT_EQ(s.CountFor("/old/docs/out.html"), 0u);
    EXPECT_EQ(s.CountFor("/x/docs/sub/far.html"), 0u);
    EXPECT_TRUE(r.Link(s.Url("/old/docs/out.html")));  // reported, not followed
  }
  {  // The current page's folder: "/x/docs/sub/" is not below "/docs/sub/".
    CrawlRecorder r;
    r.scan.SetLinkReport(reportCurrentPathLinks);
    ASSERT_TRUE(r.Crawl(s.Url("/docs/")));
    EXPECT_TRUE(r.Link(s.Url("/docs/sub/in.html")));
    EXPECT_FALSE(r.Link(s.Url("/old/docs/out.html")));
    EXPECT_FALSE(r.Link(s.Url("/x/docs/sub/far.html")));
  }
}

TEST(Crawl, RobotsTxtIsRequestedOnceAndReported) {
  TestHttpServer s;
  s.SetPage("/", "<a href=\"a.html\">a</a><a href=\"b.html\">b</a>");
  s.SetPage("/a.html", "a");
  s.SetPage("/b.html", "b");
  s.Set("/robots.txt", Route{200, "text/html", "User-agent: *", 0, {}});
  CrawlRecorder r;
  r.scan.SetSeekRobotsTxt(true);
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  EXPECT_EQ(s.CountFor("/robots.txt"), 1u);
  ASSERT_TRUE(r.Link(s.Url("/robots.txt")));
  EXPECT_EQ(r.Link(s.Url("/robots.txt"))->type, "txt");
}

TEST(Crawl, StartRefusalsAndGuards) {
  CrawlRecorder r;
  EXPECT_FALSE(r.scan.Start(""));
  EXPECT_FALSE(r.scan.Start("no url at all"));
  EXPECT_EQ(r.messages, (std::vector<std::string>{"no URL specified", "Invalid Url : no url at all"}));
  r.scan.SetFileOfResults("/nonexistent-folder/x/results.txt");
  EXPECT_FALSE(r.scan.Start("http://127.0.0.1:1/"));
  EXPECT_EQ(r.messages.back(), "unable to create file: /nonexistent-folder/x/results.txt");
  EXPECT_FALSE(r.scan.Stop());
  EXPECT_TRUE(r.working.empty());

  TestHttpServer s;
  s.Set("/", Route{200, "text/html", "slow", 300, {}});
  r.scan.SetFileOfResults("");
  ASSERT_TRUE(r.scan.Start(s.Url("/")));
  EXPECT_FALSE(r.scan.Start(s.Url("/other")));
  EXPECT_EQ(r.scan.StartingUrl(), s.Url("/"));
  EXPECT_TRUE(r.scan.Stop());
  EXPECT_FALSE(r.scan.Stop());
  ASSERT_TRUE(r.WaitForEnd());

  // Out-of-range values are ignored.
  r.scan.SetRetries(0);
  r.scan.SetTimeOut(-1);
  r.scan.SetConcurrentDownloads(0);
  r.scan.SetMaxQueueSize(9);
  r.scan.SetDepthSearchLevel(0);
  EXPECT_EQ(r.scan.Retries(), 3);
  EXPECT_EQ(r.scan.TimeOut(), 300);
  EXPECT_EQ(r.scan.ConcurrentDownloads(), 6);
  EXPECT_EQ(r.scan.MaxQueueSize(), 5000);
  EXPECT_EQ(r.scan.DepthSearchLevel(), 3);
  EXPECT_EQ(r.scan.KeywordsFilter().Count(), 5);
  EXPECT_EQ(r.scan.TypeFilter().Strings(0), "gif");
  r.scan.SetFileOfResults("bare.txt");
  EXPECT_EQ(r.scan.FileOfResults(), QDir::currentPath().toStdString() + "/Download/bare.txt");
}

TEST(Crawl, RefreshTargetKeepsThePageDepth) {
  TestHttpServer s;
  s.SetPage("/", "<html><head><meta http-equiv=\"refresh\" content=\"0; URL=moved/r.html\"></head></html>");
  s.SetPage("/moved/r.html", "<a href=\"x.html\">x</a>");
  s.SetPage("/moved/x.html", "<p>x</p>");
  CrawlRecorder r;
  r.scan.SetDepthSearchLevel(2);
  ASSERT_TRUE(r.Crawl(s.Url("/")));
  // r.html stands at depth 1 like the page that refers to it, so its link at depth 2 is followed.
  EXPECT_EQ(s.CountFor("/moved/r.html"), 1u);
  EXPECT_EQ(s.CountFor("/moved/x.html"), 1u);

  CrawlRecorder off;
  off.scan.SetAllowRedirect(false);
  ASSERT_TRUE(off.Crawl(s.Url("/")));
  EXPECT_EQ(s.CountFor("/moved/r.html"), 1u);  // not asked again
}

TEST(Crawl, RelativeBaseHeadCharsetAndADeadStartPage) {
  TestHttpServer s;
  s.Set("/dir/p.html", Route{200,
                             "text/html; charset=utf-8",
                             "<html><head><title>B\xc3\xa4"
                             "ckerei</title></head><body><base href=\"/docs/\">"
                             "<a href=\"x.html\">x</a></body></html>",
                             0,
                             {}});
  s.SetPage("/docs/x.html", "<p>x</p>");
  CrawlRecorder r;
  ASSERT_TRUE(r.Crawl(s.Url("/dir/p.html")));
  const LinkSeen* x = r.Link(s.Url("/docs/x.html"));
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->from, s.Url("/docs/"));  // the base stands in for the page
  for (const auto& l : r.links) EXPECT_EQ(l.url.find("://:"), std::string::npos) << l.url;
  EXPECT_TRUE(HasPage(r, s.Url("/docs/x.html")));
  ASSERT_FALSE(r.metas.empty());
  EXPECT_EQ(r.metas[0][4],
            "B\xe4"
            "ckerei");  // the title in the program's text, not as UTF-8 bytes

  // The start address is linked from nowhere, although it is sent as its own referrer.
  r.errors.clear();
  ASSERT_TRUE(r.Crawl(s.Url("/gone.html")));
  EXPECT_EQ(r.errors, (std::vector<ErrorSeen>{{s.Url("/gone.html"), 404, "ERROR", ""}}));
}
