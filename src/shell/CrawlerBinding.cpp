#include "shell/CrawlerBinding.h"

#include "common/Text.h"

namespace mw {

void CrawlerBinding::Changed() {
  if (Apply) Apply(values_);
}

void CrawlerBinding::ResultsFile(const std::string& path) {
  values_.fileOfResults = path;
  Changed();
}

void CrawlerBinding::RetriesText(const std::string& text) {
  values_.retries = StrToIntDef(text, 3);
  Changed();
}

void CrawlerBinding::TimeOutText(const std::string& text) {
  values_.timeOut = StrToIntDef(text, 300);
  Changed();
}

void CrawlerBinding::ProxyPortText(const std::string& text) {
  values_.proxyPort = StrToIntDef(text, 80);
  Changed();
}

void CrawlerBinding::ProxyAddress(const std::string& text) {
  values_.proxyAddress = text;
  Changed();
}

void CrawlerBinding::ProxyUser(const std::string& text) {
  values_.proxyUser = text;
  Changed();
}

void CrawlerBinding::ProxyPassword(const std::string& text) {
  values_.proxyPassword = text;
  Changed();
}

void CrawlerBinding::ProxyChoice(int itemIndex) {
  // An index outside the three items (a group with nothing chosen) leaves the value as it was.
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.proxyType = CrawlerProxy(itemIndex);
  Changed();
}

void CrawlerBinding::SpiderOption(int itemIndex) {
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.linkScan = CrawlerLinkScan(itemIndex);
  Changed();
}

void CrawlerBinding::LinkReportOption(int itemIndex) {
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.linkReport = CrawlerLinkReport(itemIndex);
  Changed();
}

void CrawlerBinding::AllowRedirect(bool ticked) {
  values_.allowRedirect = ticked;
  Changed();
}

void CrawlerBinding::TypeFilterEnabled(bool ticked) {
  values_.typeFilterEnabled = ticked;
  Changed();
}

void CrawlerBinding::TypeFilter(const std::string& text) {
  values_.typeFilter = text;
  Changed();
}

void CrawlerBinding::DepthText(const std::string& text) {
  values_.depthSearchLevel = StrToIntDef(text, 20);
  Changed();
}

void CrawlerBinding::ConcurrentText(const std::string& text) {
  values_.concurrentDownloads = StrToIntDef(text, 1);
  Changed();
}

void CrawlerBinding::IncludeEnabled(bool ticked) {
  values_.keywordsLimiterEnabled = ticked;
  Changed();
}

void CrawlerBinding::IncludeTerms(const std::string& text) {
  values_.keywordsLimiter = text;
  Changed();
}

void CrawlerBinding::ExcludeEnabled(bool ticked) {
  values_.keywordsFilterEnabled = ticked;
  Changed();
}

void CrawlerBinding::ExcludeTerms(const std::string& text) {
  values_.keywordsFilter = text;
  Changed();
}

}  // namespace mw
