#include "crawler/HttpScan.h"

#include <QCoreApplication>
#include <QDir>
#include <chrono>
#include <thread>

#include "common/Text.h"
#include "crawler/HtmlScanner.h"
#include "crawler/PageCharset.h"

namespace mw {
namespace {

// The robots.txt of the link's server: its scheme and port count, or a site on another port
// would be asked on port 80.
std::string RobotsTxtUrl(const TCrackUrl& link) {
  const bool defaultPort = (link.Scheme == "http" && link.Port == 80) || (link.Scheme == "https" && link.Port == 443);
  return link.Scheme + "://" + link.HostName + (defaultPort ? "" : ":" + std::to_string(link.Port)) + "/robots.txt";
}

}  // namespace

THttpScan::THttpScan(MessageSink showMessage)
    : showMessage_(std::move(showMessage)), manager_(std::make_unique<THttpDwnld>()) {
  manager_->Agent = agent_;
  manager_->SetConcurrentDownloads(6);
  manager_->DepthSearchLevel = 3;
  SetKeywordsFilter("track\nhitbox\nreferer\nstat\ncount");
  SetTypeFilter("gif");

  manager_->OnPageReady = [this](THttpGet& page) { ProcessPage(page); };
  manager_->OnErrorFound = [this](const std::string& url, int code, const std::string& msg, const std::string& from) {
    // The start address is sent with itself as referrer, but no page links to it.
    if (OnError) OnError(manager_.get(), url, unsigned(code), msg, from == url ? std::string() : from);
  };
  manager_->OnHandOver = [this] { QueuePass(); };
  manager_->OnWorkingChanged = [this](bool w) {
    if (OnWorking) OnWorking(manager_.get(), w);
  };
  manager_->OnStats = [this](int q, int d, int a, int done, int r, int e) {
    if (OnUpdatedStats) OnUpdatedStats(this, q, d, a, done, r, e);
  };

  // The timer is the heartbeat that also notices the end of a crawl; a finished download and a
  // pass that leaves work behind ask for the next pass at once, so a slot is not held for three
  // heartbeats per page.
  pacing_.setInterval(50);
  pacing_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&pacing_, &QTimer::timeout, &pacing_, [this] { Tick(); });
}

THttpScan::~THttpScan() {
  if (working_) {
    Stop();
    while (working_) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      if (working_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  CloseResults();
  manager_.reset();  // no worker is left; the manager would wait for one otherwise
}

void THttpScan::SetAgent(const std::string& v) {
  agent_ = v;
  manager_->Agent = v;
}

void THttpScan::SetDepthSearchLevel(int v) {
  if (v > 0) manager_->DepthSearchLevel = v;
}

void THttpScan::SetFileOfResults(const std::string& v) {
  // A bare name lies in the "Download" folder below the current one.
  if (!v.empty() && v.find('/') == std::string::npos)
    fileOfResults_ = QDir::currentPath().toStdString() + "/Download/" + v;
  else
    fileOfResults_ = v;
}

void THttpScan::SetLogsEnabled(bool v) {
  logsEnabled_ = v;
  // The head of a download is brought to the main thread only to be logged; without logs the
  // download judges its head itself and saves the round trip.
  if (v) {
    manager_->OnLogMessage = [this](const std::string& m) {
      if (OnLog) OnLog(this, "HTML: " + m);
    };
    manager_->OnHeader = [this](THttpGet& slot, const std::string&, int status, const std::string&, long long, bool&) {
      Log("html head complete (" + std::to_string(status) + "):" + slot.Url.Url());
    };
  } else {
    manager_->OnLogMessage = nullptr;
    manager_->OnHeader = nullptr;
  }
}

void THttpScan::SetList(TQuickSortStringList& list, const std::string& text) {
  list.SetText(LowerCase(text));
  list.Sort();
}

void THttpScan::ShowMessage(const std::string& message) {
  if (showMessage_)
    showMessage_(message);
  else
    qWarning("%s", message.c_str());
}

void THttpScan::Log(const std::string& message) {
  if (logsEnabled_ && !manager_->Stopping() && OnLog) OnLog(this, message);
}

bool THttpScan::Start(const std::string& url) {
  if (working_) return false;
  if (!url.empty()) startingUrl_ = url;
  return StartProcedure();
}

bool THttpScan::StartProcedure() {
  if (working_ || starting_) return false;
  starting_ = true;
  bool refused = false, started = false;
  if (!manager_->Stopping() && !results_ && !fileOfResults_.empty()) {
    results_ = std::fopen(fileOfResults_.c_str(), "wb");
    if (!results_) {
      ShowMessage("unable to create file: " + fileOfResults_);
      refused = true;
    }
  }
  if (!refused && startingUrl_.empty()) {
    ShowMessage("no URL specified");
    refused = true;
  }
  if (!refused && !start_.Parse(startingUrl_)) {
    ShowMessage("Invalid Url : " + startingUrl_);
    refused = true;
  }
  if (!refused) {
    if (start_.Port == 80 && httpPort_ != 80) start_.Port = httpPort_;
    int found = -1, at = -1;
    if (!seen_.FindOrInsert(startingUrl_, found, true, at)) {
      manager_->AddUrl(startingUrl_, referer_.empty() ? startingUrl_ : referer_, 1, 0, ' ', 0);
      working_ = true;
      pacing_.start();
      started = true;
    }
  }
  starting_ = false;
  return started;
}

bool THttpScan::Stop() {
  if (stopping_ || manager_->Stopping() || !working_) return false;
  stopping_ = true;
  manager_->SetStopping(true);
  stopping_ = false;
  return true;
}

void THttpScan::Tick() {
  // A handler that runs a nested event loop (a message box) must not start a second pass.
  if (inTick_ || !manager_->Working()) return;
  inTick_ = true;
  manager_->SchedulerPass();
  bool goOn = manager_->ProgressCheck();
  // Once nothing is left to do, the quiet passes that end the crawl would only wait for the
  // timer: they run at once, so the end follows the last page without the idle half second.
  while (goOn && manager_->Quiet()) {
    manager_->SchedulerPass();
    goOn = manager_->ProgressCheck();
  }
  inTick_ = false;
  if (!goOn) {
    CloseResults();
    pacing_.stop();
    EndOfCrawl();
  } else if (manager_->HasPendingWork()) {
    QueuePass();
  }
}

void THttpScan::QueuePass() {
  if (passQueued_) return;
  passQueued_ = true;
  QMetaObject::invokeMethod(
      &pacing_,
      [this] {
        passQueued_ = false;
        Tick();
      },
      Qt::QueuedConnection);
}

void THttpScan::EndOfCrawl() {
  working_ = false;
  manager_->SetStopping(false);
  manager_->WaitForWorkers();  // every slot is idle: nothing is left to wait for
  manager_->SetWorking(false);
  seen_.Clear();
  hosts_.Clear();
  settled_.clear();
}

void THttpScan::CloseResults() {
  if (results_) std::fclose(results_);
  results_ = nullptr;
}

void THttpScan::WriteResultLine(const std::string& line) {
  // A results file that cannot be written any more (a full disk) is closed; the crawl goes on.
  if (std::fwrite(line.data(), 1, line.size(), results_) != line.size() || std::fflush(results_) != 0) {
    CloseResults();
    Log("unable to write file: " + fileOfResults_);
  }
}

void THttpScan::ProcessPage(THttpGet& page) {
  const std::string url = page.Url.Url();
  if (OnPageReceived) OnPageReceived(this, page.Url.HostName, url, page.ResponseHeaders, page.ReceivedText);
  if (manager_->Stopping()) return;
  if (OnMetaTag) ScanPageHead(page);
  TCrackUrl scratch;
  Log("page received, processing:" + url);
  NormalizeInto(page.ReceivedText, true, false, body_);
  if (url.size() >= 10 && LowerCase(std::string_view(url).substr(url.size() - 10)) == "robots.txt")
    HandleLink(page, url, 0, scratch, ' ');
  if (PlaceMarkers(body_))
    ExtractLinks(
        body_, [this] { return manager_->Stopping(); },
        [&](unsigned char kind, std::string_view value) {
          if (kind == kMarkBase) SetBase(page, value);
          HandleLink(page, value, 0, scratch, kind);
        });
}

void THttpScan::SetBase(THttpGet& page, std::string_view base) {
  // A relative base ("/docs/") is taken against the page; one that names no usable address
  // leaves the page's own URL in force.
  TCrackUrl parsed;
  if (parsed.Parse(base) || parsed.Parse(CombineUrl(page.Url.Url(), base))) page.Url = std::move(parsed);
}

void THttpScan::ScanPageHead(THttpGet& page) {
  const std::string url = page.Url.Url(), from = page.FromUrl;
  const std::string none;
  HeadSink sink;
  sink.onTitle = [&](const std::string& title) {
    if (OnMetaTag && !manager_->Stopping()) OnMetaTag(this, url, from, "TITLE", "TITLE", title, none, none, none, none);
  };
  sink.onTag = [&](const TMetaTag& tag) {
    if (manager_->Stopping()) return;
    if (tag.Complete && OnMetaTag)
      OnMetaTag(this, url, from, tag.TagType, tag.Attrib[0], tag.Value[0], tag.Attrib[1], tag.Value[1], tag.Attrib[2],
                tag.Value[2]);
    if (!allowRedirect_) return;
    std::string target = RefreshTarget(tag);
    if (target.empty()) return;
    // A relative target is resolved against the page as a link would be: joining it to the
    // page's own URL would give ".../page.html/next.html".
    if (UpperCase(std::string_view(target).substr(0, 4)) != "HTTP") target = CombineUrl(url, target);
    if (target.empty()) return;
    int found = -1, at = -1;
    if (!seen_.FindOrInsert(target, found, true, at)) manager_->AddUrl(target, url, page.Depth, 0, 'H', 0);
  };
  // Titles and tag values are shown and kept as the program's text: the head is read in the
  // page's own character set.
  ScanHead(PageTextToCp1252(HeadPart(page.ReceivedText), page.ContentType), sink);
}

void THttpScan::HandleLink(THttpGet& page, std::string_view raw, int countArea, TCrackUrl& scratch,
                           unsigned char kind) {
  std::string type = "0", protocol;
  bool valid = true, followable = true, newHost = false;
  if (linkBaseOf_ != page.Url.Url()) {  // a new page, or a base address on this one
    linkBaseOf_ = page.Url.Url();
    linkBase_ = LinkBase(page.Url);
  }
  std::string link = CompleteLink(linkBase_, raw, type);
  if (link.empty()) return;
  // The filters compare in lower case; without them the lower-case copy is not made.
  const std::string lower = keywordsFilterEnabled_ || keywordsLimiterEnabled_ ? LowerCase(link) : std::string();
  if (keywordsFilterEnabled_)
    for (int i = 0; i < keywordsFilter_.Count() && valid; ++i)
      if (Contains(lower, keywordsFilter_.Strings(i))) valid = false;
  if (valid && keywordsLimiterEnabled_ && keywordsLimiter_.Count() > 0) {
    bool any = false;
    for (int i = 0; i < keywordsLimiter_.Count() && !any; ++i) any = Contains(lower, keywordsLimiter_.Strings(i));
    valid = any;
  }
  if (!valid) return;
  // Most links of a site point to pages met before: once such an address has been handled it
  // is in the seen list and its host among the hosts, so handling it again changes nothing.
  const bool mail = type == "mail";
  if (!mail && settled_.contains(link)) return;
  if (mail)
    followable = false;
  else
    ClassifyLink(link, type, protocol);
  if (type == "0") {
    settled_.insert(link);
    return;
  }
  scratch.Parse(link);
  if (protocol.compare(0, 4, "http") != 0) followable = false;
  int found = -1, at = -1;
  if (!mail) settled_.insert(link);
  if (followable) {
    if (!link.empty() && link.back() == ')') link.pop_back();
    if (!hosts_.FindOrInsert(scratch.HostName, found, true, at)) newHost = true;
  }
  if (seen_.FindOrInsert(link, found, true, at)) return;  // not new

  const bool sameInitialSite = scratch.SiteKey == start_.SiteKey;
  // Within a path means below its folder: "/old/doc/" merely containing "/doc/" is not.
  const bool inInitialPath = sameInitialSite && scratch.UrlPath.starts_with(start_.UrlPath);
  const bool sameCurrentSite = scratch.SiteKey == page.Url.SiteKey;
  const bool inCurrentPath = sameCurrentSite && scratch.UrlPath.starts_with(page.Url.UrlPath);
  const bool follow = linkScan_ == scanAllLinks || (linkScan_ == scanInitialSite && sameInitialSite) ||
                      (linkScan_ == scanInitialPath && inInitialPath);
  const bool report = linkReport_ == reportAllLinks || (linkReport_ == reportCurrentSiteLinks && sameCurrentSite) ||
                      (linkReport_ == reportCurrentPathLinks && inCurrentPath);

  std::string writeToFile = "x";
  const char hrefOrSrc = kind == kMarkHref ? 'H' : kind == kMarkSrc ? 'S' : ' ';
  bool followIfHtmlLink = true;
  const std::string& pageUrl = page.Url.Url();
  if (report) {
    if (!(typeFilterEnabled_ && !typeFilter_.Contains(type)) && OnLinkFound) {
      const std::string none;
      OnLinkFound(this, link, type, pageUrl, followable ? scratch.HostName : none, followable ? scratch.UrlPath : none,
                  followable ? scratch.UrlPathWithFile : none, followable ? scratch.ExtraInfos : none, writeToFile,
                  hrefOrSrc, countArea, followIfHtmlLink);
    }
    if (results_) {
      const std::string line = writeToFile == "x" ? "\"" + type + "\";\"" + link + "\"" : writeToFile;
      if (!line.empty()) WriteResultLine(line + "\r\n");
    }
  }
  if (followIfHtmlLink && followable && type == "htm" && follow) {
    if (newHost && seekRobotsTxt_)
      manager_->AddUrl(RobotsTxtUrl(scratch), "", page.Depth + 1, manager_->Retries, kind, 0);
    if (manager_->QueueLength() < maxQueueSize_ && page.Depth < manager_->DepthSearchLevel && !manager_->Stopping())
      manager_->AddUrl(link, pageUrl, page.Depth + 1, 0, kind, 0);
  }
}

}  // namespace mw
