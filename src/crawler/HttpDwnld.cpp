#include "crawler/HttpDwnld.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "common/Text.h"
#include "platform/HttpTransfer.h"

namespace mw {

// One download: the request, its abort flag and whether the head is asked about on the main
// thread. `slot`, `manager` and `handedOver` are touched on the main thread only.
struct THttpThread {
  HttpRequest request;
  std::string bodyStorage;  // the slot's last body, emptied: its memory takes in this one
  std::atomic<bool> abort{false};
  bool askHead = false;  // an owner's header handler wants to see the head
  QObject* context = nullptr;
  THttpGet* slot = nullptr;
  THttpDwnld* manager = nullptr;
  bool handedOver = false;

  static void Run(const std::shared_ptr<THttpThread>& job);
};

// The download threads: started when a download finds none free and kept for the next ones,
// so a crawl starts about as many threads as it runs downloads at once, not one per page.
class DownloadPool {
 public:
  ~DownloadPool() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_) t.join();
  }

  void Post(std::function<void()> work) {
    {
      std::lock_guard lock(mutex_);
      jobs_.push_back(std::move(work));
      if (jobs_.size() > idle_) {
        threads_.emplace_back([this] { Serve(); });
        return;
      }
    }
    wake_.notify_one();
  }

 private:
  void Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
      ++idle_;
      wake_.wait(lock, [this] { return quit_ || !jobs_.empty(); });
      --idle_;
      if (jobs_.empty()) return;  // quitting
      auto work = std::move(jobs_.front());
      jobs_.pop_front();
      lock.unlock();
      work();
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> threads_;
  std::size_t idle_ = 0;
  bool quit_ = false;
};

void THttpThread::Run(const std::shared_ptr<THttpThread>& job) {
  bool authFailed = false, skipped = false, headSeen = false;
  job->request.onHead = [&](const HttpResponseHead& head) {
    bool go = true;
    if (head.status == 401 || head.status == 407) {
      authFailed = true;  // the credentials were offered once and refused
      go = false;
    } else if (head.contentType.empty()) {
      go = false;  // no type to go by: a failed attempt, retried and then reported
    } else if (!Contains(head.contentType, "text/html")) {
      skipped = true;
      go = false;
    }
    if (!job->askHead) return go;  // no one to ask: the head is handed over with the body
    headSeen = true;
    QMetaObject::invokeMethod(
        job->context,
        [&] {
          THttpGet* slot = job->slot;
          if (!slot) {
            go = false;
            return;
          }
          slot->StatusCode = head.status;
          slot->ResponseHeaders = head.rawHeaders;
          slot->ContentLength = head.contentLength;
          slot->ContentType = head.contentType;
          if (go && job->manager) {
            job->manager->CheckHead(*slot, head.rawHeaders, head.status, head.contentType, head.contentLength, go);
            if (!go) skipped = true;
          }
        },
        Qt::BlockingQueuedConnection);
    return go;
  };

  HttpResult result = PerformHttpGet(job->request);
  const bool succeeded = result.Complete() && !authFailed && !skipped && !result.body.empty();
  const bool skip = skipped && !authFailed;
  QMetaObject::invokeMethod(
      job->context,
      [&] {
        job->handedOver = true;
        THttpGet* slot = job->slot;
        if (!slot) return;
        if (!headSeen) {
          slot->StatusCode = result.head.status;
          slot->ResponseHeaders = std::move(result.head.rawHeaders);
          slot->ContentLength = result.head.contentLength;
          slot->ContentType = std::move(result.head.contentType);
        }
        slot->ReceivedText = std::move(result.body);  // the body itself changes hands, never copied
        slot->Succeeded = succeeded;
        slot->Skipped = skip;
        slot->Capped = result.outcome == HttpResult::Outcome::BodyCapped;
        slot->Running = false;
        slot->State = TSlotState::Finished;
        if (job->manager && job->manager->OnHandOver) job->manager->OnHandOver();
      },
      Qt::BlockingQueuedConnection);
}

constexpr std::size_t kBodyMemory = std::size_t(1) << 20;

// A page's memory serves the slot's next download; a body of unusual size is given back.
void EmptyBody(std::string& body) {
  if (body.capacity() > kBodyMemory)
    body = std::string();
  else
    body.clear();
}

THttpDwnld::THttpDwnld() : context_(std::make_unique<QObject>()), pool_(std::make_unique<DownloadPool>()) {}

THttpDwnld::~THttpDwnld() {
  SetStopping(true);
  WaitForWorkers();
  for (auto& slot : slots_) slot->Thread.reset();
  pool_.reset();  // every download has handed over; the threads only wait for work
}

void THttpDwnld::SetConcurrentDownloads(int n) {
  // Values of 0 or below are ignored. The platform keeps no per-server connection limits to
  // raise with it (libcurl opens one connection per download), so the value is only kept.
  if (n > 0) concurrent_ = n;
}

void THttpDwnld::Log(const std::string& message) {
  if (OnLogMessage && !stopping_) OnLogMessage(message);
}

void THttpDwnld::Reset() {
  done_ = errors_ = retries_ = 0;
  for (int& v : last_) v = 99999;
  if (OnStats) OnStats(0, 0, 0, 0, 0, 0);
  queue_.Clear();
}

void THttpDwnld::AddUrl(const std::string& url, const std::string& fromUrl, int depth, int retriesSoFar,
                        unsigned char linkKind, int countArea) {
  if (stopping_) return;
  if (!working_) {
    Reset();
    SetWorking(true);
  }
  queue_.Add(url, TUrlObject{countArea, retriesSoFar, depth, true, linkKind, fromUrl});
}

void THttpDwnld::SetWorking(bool working) {
  working_ = working;
  if (OnWorkingChanged) OnWorkingChanged(working);
}

void THttpDwnld::SetStopping(bool stopping) {
  stopping_ = stopping;
  if (!stopping) return;
  for (auto& slot : slots_)
    if (slot->Running && slot->Thread) {
      slot->Thread->abort = true;  // the transfer ends within a few milliseconds
      slot->Running = false;
    }
}

void THttpDwnld::CheckHead(THttpGet& slot, const std::string& headers, int status, const std::string& type,
                           long long length, bool& go) {
  if (stopping_) return;
  if (!Contains(type, "htm")) {
    go = false;
    return;
  }
  if (OnHeader) OnHeader(slot, headers, status, type, length, go);
}

void THttpDwnld::FillSlot(THttpGet& slot) {
  if (slot.State != TSlotState::Idle) return;
  slot.State = TSlotState::Assigning;
  if (queue_.Count() == 0) {
    slot.State = TSlotState::Idle;
    return;
  }
  TUrlInQueue::Entry e = queue_.Take(0);
  slot.Url.Parse(e.Url);
  slot.RetriesSoFar = e.Object.RetriesSoFar;
  slot.Depth = e.Object.Depth;
  slot.CountArea = e.Object.CountArea;
  slot.LinkKind = e.Object.LinkKind;
  slot.KeepContent = e.Object.KeepContent;
  slot.FromUrl = std::move(e.Object.FromUrl);
  slot.Agent = Agent;
  slot.TimeOut = TimeOut;
  slot.UserName = UserName;
  slot.Password = Password;
  slot.ProxyAddress = ProxyAddress;
  slot.ProxyPassword = ProxyPassword;
  slot.ProxyPort = ProxyPort;
  slot.ProxyType = ProxyType;
  slot.ProxyUser = ProxyUser;
  if (stopping_) {
    slot.State = TSlotState::Idle;
    return;
  }
  Log("starting download for " + slot.Url.Url());
  StartDownload(slot);
}

void THttpDwnld::StartDownload(THttpGet& slot) {
  if (!slot.Url.Valid) {
    slot.State = TSlotState::Idle;
    return;
  }
  slot.State = TSlotState::Downloading;
  slot.Succeeded = slot.Skipped = slot.Capped = false;
  slot.StatusCode = 0;
  slot.ContentLength = 0;
  slot.ContentType.clear();
  slot.ResponseHeaders.clear();

  auto job = std::make_shared<THttpThread>();
  EmptyBody(slot.ReceivedText);
  // Room for any usual page from the start: a buffer that grows page by page would move its
  // bytes and touch fresh memory at every step. Memory not written to costs nothing.
  if (slot.ReceivedText.capacity() < kBodyMemory) slot.ReceivedText.reserve(kBodyMemory);
  job->bodyStorage = std::move(slot.ReceivedText);
  slot.ReceivedText.clear();
  HttpRequest& r = job->request;
  r.bodyStorage = &job->bodyStorage;
  r.reuseHandles = true;  // the download threads are kept, and their handles with them
  r.url = slot.Url.Url();
  r.userAgent = slot.Agent;
  r.referrer = slot.FromUrl;
  r.http10 = true;
  r.followRedirects = true;
  switch (slot.ProxyType) {
    case PROXY_DIRECT:
      r.proxy = ProxyChoice::Direct;
      break;
    case PROXY_USEPROXY:
      // "Proxy verwenden" is the choice of a fresh installation, before any address was typed:
      // without an address there is no proxy to use, so the system's settings apply.
      r.proxy = Trim(slot.ProxyAddress).empty() ? ProxyChoice::System : ProxyChoice::Given;
      break;
    case PROXY_DEFAULT:
      r.proxy = ProxyChoice::System;
      break;
  }
  r.proxyHost = slot.ProxyAddress;
  r.proxyPort = slot.ProxyPort;
  r.proxyUser = slot.ProxyUser;
  r.proxyPassword = slot.ProxyPassword;
  r.user = slot.UserName;
  r.password = slot.Password;
  r.offerCredentials = true;
  r.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(slot.TimeOut);
  r.maxBodyBytes = kMaxPageBytes;
  r.abort = &job->abort;
  job->askHead = bool(OnHeader);
  job->context = context_.get();
  job->slot = &slot;
  job->manager = this;
  slot.Thread = job;
  slot.Running = true;
  workers_.push_back(job);
  pool_->Post([job] { THttpThread::Run(job); });
}

void THttpDwnld::ReleaseThread(THttpGet& slot) {
  if (!slot.Thread) return;
  auto job = std::move(slot.Thread);
  job->slot = nullptr;  // it has handed over; its thread goes back to the pool
  std::erase(workers_, job);
}

void THttpDwnld::HandleSlot(THttpGet& slot) {
  switch (slot.State) {
    case TSlotState::Idle:
      FillSlot(slot);
      break;
    case TSlotState::Finished:
      ReleaseThread(slot);
      Log("thread done: " + slot.Url.Url());
      if (slot.Succeeded)
        slot.State = TSlotState::ToAnalyze;
      else if (slot.Skipped)
        slot.State = TSlotState::Idle;
      else
        slot.State = TSlotState::Failed;
      break;
    case TSlotState::ToAnalyze: {
      slot.State = TSlotState::Idle;
      const int code = slot.StatusCode;
      if (code == 200) {
        ++done_;
        if (!stopping_ && OnPageReady) OnPageReady(slot);
      } else if ((code >= 201 && code <= 299) || (code >= 500 && code <= 599)) {
        slot.State = TSlotState::Failed;
      } else if (!stopping_ && OnErrorFound) {
        OnErrorFound(slot.Url.Url(), code, "ERROR", slot.FromUrl);
      }
      if (slot.State == TSlotState::Idle) EmptyBody(slot.ReceivedText);
      break;
    }
    case TSlotState::Failed:
      // A body past the cap would be cut again at every attempt.
      if (slot.RetriesSoFar < Retries && !slot.Capped) {
        if (!stopping_) {
          queue_.Add(slot.Url.Url(), TUrlObject{slot.CountArea, slot.RetriesSoFar + 1, slot.Depth, slot.KeepContent,
                                                slot.LinkKind, slot.FromUrl});
          ++retries_;
        }
      } else if (!stopping_) {
        if (OnErrorFound) OnErrorFound(slot.Url.Url(), slot.StatusCode, "", slot.FromUrl);
        Log("GetHttp_Error " + slot.Url.Url());
        ++errors_;
      }
      slot.State = TSlotState::Idle;
      EmptyBody(slot.ReceivedText);
      break;
    default:
      break;
  }
}

void THttpDwnld::SchedulerPass() {
  const std::size_t wanted = std::size_t(concurrent_);
  if (slots_.size() < wanted) {
    while (slots_.size() < wanted) slots_.push_back(std::make_unique<THttpGet>());
  } else if (slots_.size() > wanted) {
    bool quiet = true;
    for (std::size_t i = wanted; i < slots_.size(); ++i) {
      if (slots_[i]->State == TSlotState::Idle) slots_[i]->State = TSlotState::Retired;
      if (slots_[i]->State != TSlotState::Retired) quiet = false;
    }
    if (quiet) slots_.resize(wanted);
  }
  if (stopping_) {
    queue_.Clear();
  } else {
    for (std::size_t i = 0; i < std::min(wanted, slots_.size()); ++i) FillSlot(*slots_[i]);
  }
  // A handler may change the settings; the row itself only changes above.
  for (std::size_t i = 0; i < slots_.size(); ++i) HandleSlot(*slots_[i]);
}

bool THttpDwnld::ProgressCheck() {
  int downloading = 0, toAnalyze = 0;
  bool busy = false;
  for (const auto& slot : slots_) {
    if (slot->State == TSlotState::Downloading) ++downloading;
    if (slot->State == TSlotState::ToAnalyze) ++toAnalyze;
    if (slot->State > TSlotState::Idle) busy = true;
  }
  const int now[6] = {queue_.Count(), downloading, toAnalyze, done_, retries_, errors_};
  bool changed = false;
  for (int i = 0; i < 6; ++i) changed = changed || now[i] != last_[i];
  if (changed) {
    if (OnStats) OnStats(now[0], now[1], now[2], now[3], now[4], now[5]);
    std::copy(std::begin(now), std::end(now), std::begin(last_));
  }
  if (queue_.Count() > 0 || downloading > 0 || changed || busy) {
    idleCountdown_ = 10;
    return true;
  }
  if (idleCountdown_ == 0) {
    idleCountdown_ = 10;
    return false;
  }
  --idleCountdown_;
  return true;
}

bool THttpDwnld::HasPendingWork() const {
  bool freeSlot = false;
  for (const auto& slot : slots_) {
    if (slot->State == TSlotState::Finished || slot->State == TSlotState::ToAnalyze ||
        slot->State == TSlotState::Failed)
      return true;
    if (slot->State == TSlotState::Idle) freeSlot = true;
  }
  return freeSlot && queue_.Count() > 0 && !stopping_;
}

bool THttpDwnld::Quiet() const {
  if (queue_.Count() > 0 || !workers_.empty()) return false;
  for (const auto& slot : slots_)
    if (slot->State > TSlotState::Idle) return false;
  return true;
}

int THttpDwnld::RunningWorkers() const {
  return int(workers_.size());
}

void THttpDwnld::WaitForWorkers() {
  auto pending = [this] {
    for (const auto& job : workers_)
      if (!job->handedOver) return true;
    return false;
  };
  while (pending()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (auto& job : workers_) job->slot = nullptr;
  workers_.clear();
}

}  // namespace mw
