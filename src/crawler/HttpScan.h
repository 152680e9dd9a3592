#pragma once
// The crawler as the rest of the program sees it: configured through properties, started with
// a URL, stopped on request, reporting through seven events on the main thread. A 50 ms timer
// paces the download manager; the page scanner feeds every link value to the link handler,
// which decides whether the link is new, reported and followed.

#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "crawler/HttpDwnld.h"
#include "crawler/QuickSortStringList.h"

namespace mw {

enum TLinkScan { scanAllLinks, scanInitialSite, scanInitialPath };
enum TLinkReport { reportAllLinks, reportCurrentSiteLinks, reportCurrentPathLinks };

inline constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)";

class THttpScan : public TObject {
 public:
  using MessageSink = std::function<void(const std::string& message)>;

  // `showMessage` shows the start's refusal messages; without one they go to the Qt log.
  explicit THttpScan(MessageSink showMessage = {});
  ~THttpScan() override;  // stops a running crawl and waits for its end
  THttpScan(const THttpScan&) = delete;
  THttpScan& operator=(const THttpScan&) = delete;

  bool Start(const std::string& url = {});
  bool Stop();
  bool Working() const { return working_; }

  // Events. Sender is this component, except for OnError and OnWorking (the download manager).
  // FromUrl is the page the failed address was linked from (empty for the start address).
  std::function<void(TObject* Sender, const std::string& Url, unsigned ErrorCode, const std::string& ErrorMsg,
                     const std::string& FromUrl)>
      OnError;
  std::function<void(TObject* Sender, const std::string& UrlFound, const std::string& TypeLink,
                     const std::string& FromUrl, const std::string& HostName, const std::string& UrlPath,
                     const std::string& UrlPathWithFile, const std::string& ExtraInfos, std::string& WriteToFile,
                     char HrefOrSrc, int CountArea, bool& FollowIfHtmlLink)>
      OnLinkFound;
  std::function<void(TObject* Sender, const std::string& LogMessage)> OnLog;
  std::function<void(TObject* Sender, const std::string& Url, const std::string& ReferringUrl,
                     const std::string& TagType, const std::string& Tag1stAttrib, const std::string& Tag1stValue,
                     const std::string& Tag2ndAttrib, const std::string& Tag2ndValue, const std::string& Tag3rdAttrib,
                     const std::string& Tag3rdValue)>
      OnMetaTag;
  std::function<void(TObject* Sender, const std::string& HostName, const std::string& Url, const std::string& Head,
                     const std::string& Body)>
      OnPageReceived;
  std::function<void(TObject* Sender, int InQueue, int Downloading, int ToAnalyze, int Done, int Retries, int Errors)>
      OnUpdatedStats;
  std::function<void(TObject* Sender, bool Working_)> OnWorking;

  void SetMessageSink(MessageSink sink) { showMessage_ = std::move(sink); }

  // Properties; setters ignore values out of range.
  const std::string& Agent() const { return agent_; }
  void SetAgent(const std::string& v);
  bool AllowRedirect() const { return allowRedirect_; }
  void SetAllowRedirect(bool v) { allowRedirect_ = v; }
  int ConcurrentDownloads() const { return manager_->ConcurrentDownloads(); }
  void SetConcurrentDownloads(int v) { manager_->SetConcurrentDownloads(v); }
  int DepthSearchLevel() const { return manager_->DepthSearchLevel; }
  void SetDepthSearchLevel(int v);
  const std::string& FileOfResults() const { return fileOfResults_; }
  void SetFileOfResults(const std::string& v);
  int HttpPort() const { return httpPort_; }
  void SetHttpPort(int v) { httpPort_ = v; }
  bool KeywordsFilterEnabled() const { return keywordsFilterEnabled_; }
  void SetKeywordsFilterEnabled(bool v) { keywordsFilterEnabled_ = v; }
  bool KeywordsLimiterEnabled() const { return keywordsLimiterEnabled_; }
  void SetKeywordsLimiterEnabled(bool v) { keywordsLimiterEnabled_ = v; }
  bool LeavesFirst() const { return manager_->LeavesFirst; }
  void SetLeavesFirst(bool v) { manager_->LeavesFirst = v; }
  TLinkReport LinkReport() const { return linkReport_; }
  void SetLinkReport(TLinkReport v) { linkReport_ = v; }
  TLinkScan LinkScan() const { return linkScan_; }
  void SetLinkScan(TLinkScan v) { linkScan_ = v; }
  bool LogsEnabled() const { return logsEnabled_; }
  void SetLogsEnabled(bool v);
  int MaxQueueSize() const { return maxQueueSize_; }
  void SetMaxQueueSize(int v) {
    if (v >= 10) maxQueueSize_ = v;
  }
  const std::string& Password() const { return manager_->Password; }
  void SetPassword(const std::string& v) { manager_->Password = v; }
  const std::string& ProxyAddress() const { return manager_->ProxyAddress; }
  void SetProxyAddress(const std::string& v) { manager_->ProxyAddress = v; }
  const std::string& ProxyPassword() const { return manager_->ProxyPassword; }
  void SetProxyPassword(const std::string& v) { manager_->ProxyPassword = v; }
  int ProxyPort() const { return manager_->ProxyPort; }
  void SetProxyPort(int v) { manager_->ProxyPort = v; }
  TProxyType ProxyType() const { return manager_->ProxyType; }
  void SetProxyType(TProxyType v) { manager_->ProxyType = v; }
  const std::string& ProxyUser() const { return manager_->ProxyUser; }
  void SetProxyUser(const std::string& v) { manager_->ProxyUser = v; }
  const std::string& Referer() const { return referer_; }
  void SetReferer(const std::string& v) { referer_ = v; }
  int Retries() const { return manager_->Retries; }
  void SetRetries(int v) {
    if (v > 0) manager_->Retries = v;
  }
  bool SeekRobotsTxt() const { return seekRobotsTxt_; }
  void SetSeekRobotsTxt(bool v) { seekRobotsTxt_ = v; }
  const std::string& StartingUrl() const { return startingUrl_; }
  void SetStartingUrl(const std::string& v) { startingUrl_ = v; }
  int TimeOut() const { return manager_->TimeOut; }
  void SetTimeOut(int v) {
    if (v > 0) manager_->TimeOut = v;
  }
  bool TypeFilterEnabled() const { return typeFilterEnabled_; }
  void SetTypeFilterEnabled(bool v) { typeFilterEnabled_ = v; }
  const std::string& UserName() const { return manager_->UserName; }
  void SetUserName(const std::string& v) { manager_->UserName = v; }

  // The filter lists, one entry per line; each is lower-cased and sorted, empty lines dropped.
  void SetKeywordsFilter(const std::string& text) { SetList(keywordsFilter_, text); }
  void SetKeywordsLimiter(const std::string& text) { SetList(keywordsLimiter_, text); }
  void SetTypeFilter(const std::string& text) { SetList(typeFilter_, text); }
  const TQuickSortStringList& KeywordsFilter() const { return keywordsFilter_; }
  const TQuickSortStringList& KeywordsLimiter() const { return keywordsLimiter_; }
  const TQuickSortStringList& TypeFilter() const { return typeFilter_; }

  // For tests and the command-line front: the manager and whether a results file is open.
  const THttpDwnld& Manager() const { return *manager_; }
  bool ResultsFileOpen() const { return results_ != nullptr; }

 private:
  static void SetList(TQuickSortStringList& list, const std::string& text);
  bool StartProcedure();
  void Tick();
  void QueuePass();
  void EndOfCrawl();
  void CloseResults();
  void WriteResultLine(const std::string& line);
  void ShowMessage(const std::string& message);
  void Log(const std::string& message);
  void ProcessPage(THttpGet& page);
  void ScanPageHead(THttpGet& page);
  void SetBase(THttpGet& page, std::string_view base);
  void HandleLink(THttpGet& page, std::string_view raw, int countArea, TCrackUrl& scratch, unsigned char kind);

  MessageSink showMessage_;
  std::string agent_ = kDefaultAgent;
  bool allowRedirect_ = true;
  TCrackUrl start_;
  QTimer pacing_;
  bool working_ = false;
  std::string fileOfResults_ = "thttpscan_results.txt";
  TQuickSortStringList hosts_;
  std::FILE* results_ = nullptr;
  std::unique_ptr<THttpDwnld> manager_;
  TQuickSortStringList keywordsFilter_, keywordsLimiter_, typeFilter_;
  bool keywordsFilterEnabled_ = false, keywordsLimiterEnabled_ = false;
  TLinkReport linkReport_ = reportAllLinks;
  TLinkScan linkScan_ = scanAllLinks;
  bool logsEnabled_ = false;
  int maxQueueSize_ = 5000;
  int httpPort_ = 80;
  std::string referer_;
  bool seekRobotsTxt_ = false;
  std::string startingUrl_;
  bool starting_ = false, stopping_ = false, inTick_ = false, passQueued_ = false;
  bool typeFilterEnabled_ = false;
  TQuickSortStringList seen_;
  std::unordered_set<std::string> settled_;  // links handled before: handling them again changes nothing
  std::string body_;                         // reused between pages
  std::string linkBase_, linkBaseOf_;        // LinkBase of the page whose URL is linkBaseOf_
};

}  // namespace mw
