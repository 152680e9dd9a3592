#include "scans/CrawlerBinding.h"

#include "common/Text.h"

namespace mw {

void CrawlerBinding::Changed(CrawlerProperty property) {
  if (Apply) Apply(property, values_);
}

void CrawlerBinding::ResultsFile(const std::string& path) {
  values_.fileOfResults = path;
  Changed(CrawlerProperty::FileOfResults);
}

void CrawlerBinding::RetriesText(const std::string& text) {
  values_.retries = StrToIntDef(text, 3);
  Changed(CrawlerProperty::Retries);
}

void CrawlerBinding::TimeOutText(const std::string& text) {
  values_.timeOut = StrToIntDef(text, 300);
  Changed(CrawlerProperty::TimeOut);
}

void CrawlerBinding::ProxyPortText(const std::string& text) {
  values_.proxyPort = StrToIntDef(text, 80);
  Changed(CrawlerProperty::ProxyPort);
}

void CrawlerBinding::ProxyAddress(const std::string& text) {
  values_.proxyAddress = text;
  Changed(CrawlerProperty::ProxyAddress);
}

void CrawlerBinding::ProxyUser(const std::string& text) {
  values_.proxyUser = text;
  Changed(CrawlerProperty::ProxyUser);
}

void CrawlerBinding::ProxyPassword(const std::string& text) {
  values_.proxyPassword = text;
  Changed(CrawlerProperty::ProxyPassword);
}

void CrawlerBinding::ProxyChoice(int itemIndex) {
  // An index outside the three items (a group with nothing chosen) leaves the value as it was.
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.proxyType = CrawlerProxy(itemIndex);
  Changed(CrawlerProperty::ProxyType);
}

void CrawlerBinding::SpiderOption(int itemIndex) {
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.linkScan = CrawlerLinkScan(itemIndex);
  Changed(CrawlerProperty::LinkScan);
}

void CrawlerBinding::LinkReportOption(int itemIndex) {
  if (itemIndex < 0 || itemIndex > 2) return;
  values_.linkReport = CrawlerLinkReport(itemIndex);
  Changed(CrawlerProperty::LinkReport);
}

void CrawlerBinding::AllowRedirect(bool ticked) {
  values_.allowRedirect = ticked;
  Changed(CrawlerProperty::AllowRedirect);
}

void CrawlerBinding::TypeFilterEnabled(bool ticked) {
  values_.typeFilterEnabled = ticked;
  Changed(CrawlerProperty::TypeFilterEnabled);
}

void CrawlerBinding::TypeFilter(const std::string& text) {
  values_.typeFilter = text;
  Changed(CrawlerProperty::TypeFilter);
}

void CrawlerBinding::DepthText(const std::string& text) {
  values_.depthSearchLevel = StrToIntDef(text, 20);
  Changed(CrawlerProperty::DepthSearchLevel);
}

void CrawlerBinding::ConcurrentText(const std::string& text) {
  values_.concurrentDownloads = StrToIntDef(text, 1);
  Changed(CrawlerProperty::ConcurrentDownloads);
}

void CrawlerBinding::IncludeEnabled(bool ticked) {
  values_.keywordsLimiterEnabled = ticked;
  Changed(CrawlerProperty::KeywordsLimiterEnabled);
}

void CrawlerBinding::IncludeTerms(const std::string& text) {
  values_.keywordsLimiter = text;
  Changed(CrawlerProperty::KeywordsLimiter);
}

void CrawlerBinding::ExcludeEnabled(bool ticked) {
  values_.keywordsFilterEnabled = ticked;
  Changed(CrawlerProperty::KeywordsFilterEnabled);
}

void CrawlerBinding::ExcludeTerms(const std::string& text) {
  values_.keywordsFilter = text;
  Changed(CrawlerProperty::KeywordsFilter);
}

}  // namespace mw
