#pragma once
// The download manager: a queue of URLs, a row of download slots and one worker thread per
// running download. A scheduler pass on the main thread moves every slot through its states;
// the workers touch no manager state except by handing values to the main thread and waiting.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "crawler/CrackUrl.h"
#include "crawler/UrlInQueue.h"

namespace mw {

// The sender of the crawler's events.
class TObject {
 public:
  virtual ~TObject() = default;
};

enum TProxyType { PROXY_DIRECT, PROXY_USEPROXY, PROXY_DEFAULT };

enum class TSlotState : unsigned char {
  Retired = 0,      // surplus slot after ConcurrentDownloads was lowered
  Idle = 1,         // free
  Assigning = 2,    // being filled in the current pass
  Downloading = 3,  // a worker is running
  Finished = 4,     // the worker has handed over; not yet looked at
  ToAnalyze = 5,    // the page arrived; the next pass hands it over
  Failed = 6,       // the attempt failed; the next pass retries or gives up
};

// A server that streams without end is cut off here: generous for any real page, and small
// enough that every slot of a wide crawl may hold one at once.
inline constexpr std::size_t kMaxPageBytes = 16u * 1024 * 1024;

struct THttpThread;
class DownloadPool;

// One download slot.
struct THttpGet {
  std::string Agent;
  std::string ReceivedText;
  long long ContentLength = 0;
  int CountArea = 0;
  TCrackUrl Url;
  int Depth = 0;
  bool KeepContent = true;
  bool Running = false;
  std::string ResponseHeaders;
  unsigned char LinkKind = ' ';
  std::string Password, ProxyAddress, ProxyPassword;
  int ProxyPort = 80;
  TProxyType ProxyType = PROXY_DEFAULT;
  std::string ProxyUser;
  std::string FromUrl;
  int RetriesSoFar = 0;
  TSlotState State = TSlotState::Idle;
  int StatusCode = 0;
  int TimeOut = 300;
  bool Skipped = false;
  bool Succeeded = false;
  bool Capped = false;  // the body passed kMaxPageBytes: given up at once, not retried
  std::string UserName;
  std::string ContentType;  // as the server sent it; names the page's character set

  std::shared_ptr<THttpThread> Thread;  // the running download, if any
};

class THttpDwnld : public TObject {
 public:
  THttpDwnld();
  ~THttpDwnld() override;  // aborts and waits for every running download
  THttpDwnld(const THttpDwnld&) = delete;
  THttpDwnld& operator=(const THttpDwnld&) = delete;

  // Handlers set by the owner.
  std::function<void(THttpGet& page)> OnPageReady;
  std::function<void(const std::string& url, int code, const std::string& msg, const std::string& fromUrl)>
      OnErrorFound;
  std::function<void(const std::string& message)> OnLogMessage;
  std::function<void(THttpGet& slot, const std::string& headers, int status, const std::string& type, long long length,
                     bool& go)>
      OnHeader;
  std::function<void(bool working)> OnWorkingChanged;
  std::function<void(int inQueue, int downloading, int toAnalyze, int done, int retries, int errors)> OnStats;
  // Called on the main thread when a download has handed its result over to its slot.
  std::function<void()> OnHandOver;

  // Settings.
  std::string Agent;
  int DepthSearchLevel = 2;
  bool LeavesFirst = false;  // the oldest entry is taken either way
  std::string Password, ProxyAddress, ProxyPassword, ProxyUser, UserName;
  int ProxyPort = 80;
  TProxyType ProxyType = PROXY_DEFAULT;
  int Retries = 3;
  int TimeOut = 300;
  int ConcurrentDownloads() const { return concurrent_; }
  void SetConcurrentDownloads(int n);

  void AddUrl(const std::string& url, const std::string& fromUrl, int depth, int retriesSoFar, unsigned char linkKind,
              int countArea);
  void Reset();
  void SchedulerPass();
  bool ProgressCheck();  // false when the crawl is finished
  // Whether another pass would move a slot on: a result to look at, or a free slot and a
  // waiting URL.
  bool HasPendingWork() const;
  // Nothing queued, nothing downloading, nothing waiting to be looked at: a pass can change
  // nothing but the idle countdown.
  bool Quiet() const;
  void SetStopping(bool stopping);
  bool Stopping() const { return stopping_; }
  void SetWorking(bool working);
  bool Working() const { return working_; }
  int QueueLength() const { return queue_.Count(); }

  int SlotCount() const { return int(slots_.size()); }
  const THttpGet& Slot(int i) const { return *slots_.at(std::size_t(i)); }
  int RunningWorkers() const;  // downloads not yet released
  int Done() const { return done_; }
  int Errors() const { return errors_; }
  int RetriesCount() const { return retries_; }

  // Waits, serving the workers' hand-overs, until every worker has ended.
  void WaitForWorkers();

  // The header check, asked on the main thread by a download whose head is in.
  void CheckHead(THttpGet& slot, const std::string& headers, int status, const std::string& type, long long length,
                 bool& go);

 private:
  void Log(const std::string& message);
  void FillSlot(THttpGet& slot);
  void StartDownload(THttpGet& slot);
  void HandleSlot(THttpGet& slot);
  void ReleaseThread(THttpGet& slot);

  bool stopping_ = false;
  bool working_ = false;
  int concurrent_ = 3;
  std::vector<std::unique_ptr<THttpGet>> slots_;
  TUrlInQueue queue_;
  int done_ = 0, errors_ = 0, retries_ = 0;
  int last_[6] = {99999, 99999, 99999, 99999, 99999, 99999};
  int idleCountdown_ = 10;
  std::vector<std::shared_ptr<THttpThread>> workers_;
  std::unique_ptr<QObject> context_;  // lives on the main thread; the workers' hand-overs run here
  std::unique_ptr<DownloadPool> pool_;
};

}  // namespace mw
