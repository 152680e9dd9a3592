#pragma once
// The program's one HTTP layer: a single blocking GET on libcurl, with its own handles, which
// every request of the program (crawler downloads, submissions, ranking pages, the connection
// check) goes through. It can be aborted from another thread, bounded by an idle time-out, a
// deadline and a body cap, and asked once about the response head before the body is taken in.

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace mw {

enum class ProxyChoice {
  Direct,  // no proxy, whatever the environment says
  Given,   // proxyHost:proxyPort
  System,  // the system's settings: libcurl's standard proxy environment (http_proxy, ...)
};

struct HttpResponseHead {
  int status = 0;
  std::string rawHeaders;   // the final response's header lines, CR LF separated
  std::string contentType;  // empty when the server sent none
  long long contentLength = 0;  // 0 when none was sent
};

struct HttpRequest {
  std::string url;  // blanks and control characters go out percent-encoded, all else as given
  std::string userAgent;
  std::string referrer;
  bool http10 = false;
  bool followRedirects = true;
  bool noCache = true;  // asks proxies and servers for a fresh copy

  ProxyChoice proxy = ProxyChoice::System;
  std::string proxyHost;
  int proxyPort = 80;
  std::string proxyUser, proxyPassword;  // offered once after a 407
  std::string user, password;            // offered once after a 401
  bool offerCredentials = false;         // answer 401/407 with the credentials above

  int receiveTimeoutMs = 0;   // abort when no data arrives for this long (0: no limit)
  int connectTimeoutMs = 0;   // 0: libcurl's own
  std::optional<std::chrono::steady_clock::time_point> deadline;  // whole-transfer limit
  std::size_t maxBodyBytes = 0;          // 0: no cap
  const std::atomic<bool>* abort = nullptr;  // set from any thread to end the transfer at once
  // An emptied buffer whose memory the body takes over: a caller that makes many requests hands
  // back its last body, so pages are not taken in into fresh memory every time.
  std::string* bodyStorage = nullptr;
  // Keeps this thread's libcurl handles for its next transfer instead of setting up new ones
  // (for threads that make many requests one after another).
  bool reuseHandles = false;

  // Called once on the transfer's thread when the final response head is in, before the body
  // is kept; returning false ends the transfer (Outcome::StoppedByHead).
  std::function<bool(const HttpResponseHead&)> onHead;
};

struct HttpResult {
  enum class Outcome { Complete, Failed, TimedOut, Aborted, BodyCapped, StoppedByHead, NoLibrary };
  Outcome outcome = Outcome::Failed;
  HttpResponseHead head;
  std::string body;
  std::string effectiveUrl;
  std::string error;  // libcurl's text for a failure

  bool Responded() const { return head.status > 0; }
  bool Complete() const { return outcome == Outcome::Complete; }
};

// False when libcurl could not be initialised; then every transfer gives Outcome::NoLibrary.
bool HttpLibraryReady();

HttpResult PerformHttpGet(const HttpRequest& request);

}  // namespace mw
