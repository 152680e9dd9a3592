#pragma once
// What the settings tab and the hidden spider controls of the main window hand to the crawler:
// one place that turns control values into crawler property values. The main window calls the
// matching method from each control's change or click handler; `Apply` receives every value
// as it changes and sets it on the crawler.

#include <functional>
#include <string>

namespace mw {

enum class CrawlerProxy { Direct, UseProxy, Default };                // PROXY_DIRECT, PROXY_USEPROXY, PROXY_DEFAULT
enum class CrawlerLinkScan { AllLinks, InitialSite, InitialPath };    // scanAllLinks, scanInitialSite, scanInitialPath
enum class CrawlerLinkReport { AllLinks, CurrentSite, CurrentPath };  // reportAllLinks, reportCurrentSiteLinks, ...

// The crawler properties the controls feed, with the crawler's design-time values.
struct CrawlerValues {
  std::string fileOfResults;  // ProgramFolder + "Meldewerk.bin", handed over at the window's creation
  int retries = 3;
  int timeOut = 300;
  int proxyPort = 80;
  std::string proxyAddress, proxyUser, proxyPassword;
  CrawlerProxy proxyType = CrawlerProxy::Default;
  CrawlerLinkScan linkScan = CrawlerLinkScan::AllLinks;
  CrawlerLinkReport linkReport = CrawlerLinkReport::AllLinks;
  bool allowRedirect = true;
  bool typeFilterEnabled = false;
  std::string typeFilter;
  int depthSearchLevel = 20;
  int concurrentDownloads = 6;
  bool keywordsLimiterEnabled = false;
  std::string keywordsLimiter;
  bool keywordsFilterEnabled = false;
  std::string keywordsFilter;
};

// The crawler property a control has just handed over.
enum class CrawlerProperty {
  FileOfResults,
  Retries,
  TimeOut,
  ProxyPort,
  ProxyAddress,
  ProxyUser,
  ProxyPassword,
  ProxyType,
  LinkScan,
  LinkReport,
  AllowRedirect,
  TypeFilterEnabled,
  TypeFilter,
  DepthSearchLevel,
  ConcurrentDownloads,
  KeywordsLimiterEnabled,
  KeywordsLimiter,
  KeywordsFilterEnabled,
  KeywordsFilter
};

class CrawlerBinding {
 public:
  // Called after every handed-over value: which property changed, and all current values. The
  // crawler sets that one property (its setters apply their own range rules).
  std::function<void(CrawlerProperty, const CrawlerValues&)> Apply;

  const CrawlerValues& Values() const { return values_; }

  void ResultsFile(const std::string& path);     // the crawler's results file
  void RetriesText(const std::string& text);     // Edit5: 3 when not a whole number
  void TimeOutText(const std::string& text);     // Edit7: 300 when not a whole number
  void ProxyPortText(const std::string& text);   // Edit9: 80 when not a whole number
  void ProxyAddress(const std::string& text);    // Edit8
  void ProxyUser(const std::string& text);       // Edit4
  void ProxyPassword(const std::string& text);   // MaskEdit1
  void ProxyChoice(int itemIndex);               // ProxyRadioGroupBox 0, 1, 2
  void SpiderOption(int itemIndex);              // SpiderOptionsGroupBox 0, 1, 2
  void LinkReportOption(int itemIndex);          // RadioGroup3 0, 1, 2
  void AllowRedirect(bool ticked);               // RedirectionCheckBox
  void TypeFilterEnabled(bool ticked);           // FilterCheckBox
  void TypeFilter(const std::string& text);      // SearchForMemo
  void DepthText(const std::string& text);       // UpDown1 click, text of Edit3: 20 when not a number
  void ConcurrentText(const std::string& text);  // UpDown2 click, text of Edit6: 1 when not a number
  void IncludeEnabled(bool ticked);              // IncludeCheckBox
  void IncludeTerms(const std::string& text);    // IncludeMemo
  void ExcludeEnabled(bool ticked);              // ExcludeCheckBox
  void ExcludeTerms(const std::string& text);    // ExcludeMemo

 private:
  void Changed(CrawlerProperty property);
  CrawlerValues values_;
};

}  // namespace mw
