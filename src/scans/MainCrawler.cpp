#include "scans/MainCrawler.h"

#include "store/ProgramFolder.h"
#include "store/ProgramSettings.h"

namespace mw {

void SetDesignTimeValues(THttpScan& c) {
  c.SetAgent(kDefaultAgent);
  c.SetAllowRedirect(true);
  c.SetConcurrentDownloads(6);
  c.SetDepthSearchLevel(20);
  c.SetHttpPort(80);
  c.SetLeavesFirst(false);
  c.SetLinkReport(reportAllLinks);
  c.SetLinkScan(scanAllLinks);
  c.SetLogsEnabled(false);
  c.SetMaxQueueSize(5000);
  c.SetProxyPort(80);
  c.SetProxyType(PROXY_DEFAULT);
  c.SetRetries(3);
  c.SetSeekRobotsTxt(false);
  c.SetTimeOut(300);
  c.SetTypeFilterEnabled(false);
}

void ApplyCrawlerValue(THttpScan& c, CrawlerProperty property, const CrawlerValues& v) {
  switch (property) {
    case CrawlerProperty::FileOfResults: c.SetFileOfResults(v.fileOfResults); break;
    case CrawlerProperty::Retries: c.SetRetries(v.retries); break;
    case CrawlerProperty::TimeOut: c.SetTimeOut(v.timeOut); break;
    case CrawlerProperty::ProxyPort: c.SetProxyPort(v.proxyPort); break;
    case CrawlerProperty::ProxyAddress: c.SetProxyAddress(v.proxyAddress); break;
    case CrawlerProperty::ProxyUser: c.SetProxyUser(v.proxyUser); break;
    case CrawlerProperty::ProxyPassword: c.SetProxyPassword(v.proxyPassword); break;
    case CrawlerProperty::ProxyType:
      c.SetProxyType(v.proxyType == CrawlerProxy::Direct     ? PROXY_DIRECT
                     : v.proxyType == CrawlerProxy::UseProxy ? PROXY_USEPROXY
                                                             : PROXY_DEFAULT);
      break;
    case CrawlerProperty::LinkScan:
      c.SetLinkScan(v.linkScan == CrawlerLinkScan::AllLinks      ? scanAllLinks
                    : v.linkScan == CrawlerLinkScan::InitialSite ? scanInitialSite
                                                                 : scanInitialPath);
      break;
    case CrawlerProperty::LinkReport:
      c.SetLinkReport(v.linkReport == CrawlerLinkReport::AllLinks      ? reportAllLinks
                      : v.linkReport == CrawlerLinkReport::CurrentSite ? reportCurrentSiteLinks
                                                                       : reportCurrentPathLinks);
      break;
    case CrawlerProperty::AllowRedirect: c.SetAllowRedirect(v.allowRedirect); break;
    case CrawlerProperty::TypeFilterEnabled: c.SetTypeFilterEnabled(v.typeFilterEnabled); break;
    case CrawlerProperty::TypeFilter: c.SetTypeFilter(v.typeFilter); break;
    case CrawlerProperty::DepthSearchLevel: c.SetDepthSearchLevel(v.depthSearchLevel); break;
    case CrawlerProperty::ConcurrentDownloads: c.SetConcurrentDownloads(v.concurrentDownloads); break;
    case CrawlerProperty::KeywordsLimiterEnabled: c.SetKeywordsLimiterEnabled(v.keywordsLimiterEnabled); break;
    case CrawlerProperty::KeywordsLimiter: c.SetKeywordsLimiter(v.keywordsLimiter); break;
    case CrawlerProperty::KeywordsFilterEnabled: c.SetKeywordsFilterEnabled(v.keywordsFilterEnabled); break;
    case CrawlerProperty::KeywordsFilter: c.SetKeywordsFilter(v.keywordsFilter); break;
  }
}

void BindProgramSettings(CrawlerBinding& binding, const ProgramFolder& folder, const ProgramSettings& settings) {
  binding.ResultsFile(folder.ResultsFile());
  binding.RetriesText(settings.retries);
  binding.TimeOutText(settings.timeout);
  binding.ProxyChoice(settings.proxyChoice);
  binding.ProxyAddress(settings.proxyAddress);
  binding.ProxyPortText(settings.proxyPort);
  binding.ProxyUser(settings.proxyUser);
  binding.ProxyPassword(settings.proxyPassword);
  binding.SpiderOption(2);
  binding.TypeFilterEnabled(true);
  binding.TypeFilter({});
}

void ConnectSiteScan(THttpScan& crawler, SiteScan& scan, ScanHooks hooks) {
  crawler.OnWorking = [&scan, hooks](TObject*, bool working) {
    scan.Working(working);
    if (!working && hooks.ended) hooks.ended();
  };
  crawler.OnUpdatedStats = [&scan](TObject*, int q, int d, int a, int done, int r, int e) {
    scan.Stats(q, d, a, done, r, e);
  };
  crawler.OnPageReceived = [&scan, hooks](TObject*, const std::string&, const std::string& url, const std::string&,
                                          const std::string&) {
    if (scan.PageReceived(url, hooks.maxPagesText ? hooks.maxPagesText() : std::string()) && hooks.limitReached)
      hooks.limitReached();
  };
  crawler.OnError = [&scan](TObject*, const std::string& url, unsigned, const std::string&, const std::string& from) {
    scan.Error(url, from);
  };
  crawler.OnMetaTag = [&scan](TObject*, const std::string& url, const std::string&, const std::string& type,
                              const std::string&, const std::string& v1, const std::string&, const std::string& v2,
                              const std::string&, const std::string&) { scan.MetaTag(url, type, v1, v2); };
}

}  // namespace mw
