#include "platform/HttpTransfer.h"

#include <curl/curl.h>
#include <algorithm>
#include <memory>

#include "common/Text.h"

namespace mw {
namespace {

using Clock = std::chrono::steady_clock;

struct CurlGlobal {
  bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  ~CurlGlobal() {
    if (ok) curl_global_cleanup();
  }
};

struct Transfer {
  const HttpRequest& request;
  HttpResult& result;
  CURL* easy;
  Clock::time_point lastData = Clock::now();
  bool headAsked = false;
  bool stoppedByHead = false;
  bool capped = false;

  // Fills the head from the final response and asks the caller once.
  bool AskHead() {
    if (headAsked) return !stoppedByHead;
    headAsked = true;
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    result.head.status = int(status);
    char* type = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) result.head.contentType = type;
    curl_off_t length = -1;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0)
      result.head.contentLength = length;
    if (request.onHead && !request.onHead(result.head)) stoppedByHead = true;
    return !stoppedByHead;
  }

  static size_t OnHeader(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    const size_t n = size * count;
    t->lastData = Clock::now();
    std::string_view line(data, n);
    // Each response of a redirect or authentication round starts anew; only the last is kept.
    if (line.starts_with("HTTP/")) t->result.head.rawHeaders.clear();
    t->result.head.rawHeaders.append(line);
    return n;
  }

  static size_t OnBody(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    const size_t n = size * count;
    t->lastData = Clock::now();
    if (!t->AskHead()) return 0;
    std::string& body = t->result.body;
    const size_t cap = t->request.maxBodyBytes;
    // The announced length is taken at its word (within the cap): the body is not moved as it grows.
    const auto announced = static_cast<size_t>(t->result.head.contentLength);
    if (body.empty() && announced > n) body.reserve(cap ? std::min(announced, cap) : announced);
    if (cap && body.size() + n > cap) {
      body.append(data, cap - body.size());
      t->capped = true;
      return 0;
    }
    body.append(data, n);
    return n;
  }
};

// libcurl refuses an address with a blank or a control character in it, which browsers send
// percent-encoded; so does this layer. Every other byte goes out as given.
std::string RequestUrl(const std::string& url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(url.size());
  for (const char c : url) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

// Only web addresses are fetched: libcurl would also read local files (file://) and speak
// other protocols (dict://, gopher://, ...), and it completes an address without a scheme.
bool IsWebAddress(std::string_view url) {
  const auto startsWith = [url](std::string_view scheme) {
    return url.size() >= scheme.size() && SameText(url.substr(0, scheme.size()), scheme);
  };
  return startsWith("http://") || startsWith("https://");
}

void SetOptions(CURL* easy, const HttpRequest& r, Transfer& t, curl_slist* headers) {
  curl_easy_setopt(easy, CURLOPT_URL, RequestUrl(r.url).c_str());  // libcurl keeps a copy
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);  // "/a/../b" goes out as written
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, r.userAgent.c_str());
  if (!r.referrer.empty()) curl_easy_setopt(easy, CURLOPT_REFERER, r.referrer.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, r.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, r.followRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 20L);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
  if (r.connectTimeoutMs > 0) curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(r.connectTimeoutMs));
  switch (r.proxy) {
    case ProxyChoice::Direct:
      curl_easy_setopt(easy, CURLOPT_PROXY, "");
      break;
    case ProxyChoice::Given:
      curl_easy_setopt(easy, CURLOPT_PROXY, (r.proxyHost + ":" + std::to_string(r.proxyPort)).c_str());
      break;
    case ProxyChoice::System:
      break;  // libcurl reads the proxy environment itself
  }
  if (r.offerCredentials) {
    curl_easy_setopt(easy, CURLOPT_USERNAME, r.user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, r.password.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, r.proxyUser.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, r.proxyPassword.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
  }
}

struct KeptHandles {
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  ~KeptHandles() {
    if (multi) curl_multi_cleanup(multi);
    if (easy) curl_easy_cleanup(easy);
  }
};

}  // namespace

bool HttpLibraryReady() {
  static CurlGlobal global;
  return global.ok;
}

HttpResult PerformHttpGet(const HttpRequest& request) {
  HttpResult result;
  if (!HttpLibraryReady()) {
    result.outcome = HttpResult::Outcome::NoLibrary;
    return result;
  }
  if (!IsWebAddress(request.url)) {
    result.outcome = HttpResult::Outcome::Failed;
    result.error = "Only http and https addresses are fetched";
    return result;
  }
  // Handles of their own, or the ones this thread keeps for transfers that ask for them.
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> ownEasy(nullptr, &curl_easy_cleanup);
  std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> ownMulti(nullptr, &curl_multi_cleanup);
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  if (request.reuseHandles) {
    thread_local KeptHandles kept;
    if (kept.easy) curl_easy_reset(kept.easy);
    else kept.easy = curl_easy_init();
    if (!kept.multi) kept.multi = curl_multi_init();
    easy = kept.easy;
    multi = kept.multi;
  } else {
    ownEasy.reset(curl_easy_init());
    ownMulti.reset(curl_multi_init());
    easy = ownEasy.get();
    multi = ownMulti.get();
  }
  if (!easy || !multi) {
    result.outcome = HttpResult::Outcome::NoLibrary;
    return result;
  }
  curl_slist* headers = nullptr;
  if (request.noCache) {
    headers = curl_slist_append(headers, "Pragma: no-cache");
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
  }
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(headers, &curl_slist_free_all);

  if (request.bodyStorage) {
    result.body.swap(*request.bodyStorage);
    result.body.clear();
  }
  Transfer t{request, result, easy};
  SetOptions(easy, request, t, headers);
  curl_multi_add_handle(multi, easy);

  // The transfer runs in short slices, so an abort, the idle time-out and the deadline are
  // noticed within a few milliseconds even while the server sends nothing.
  HttpResult::Outcome stop = HttpResult::Outcome::Complete;
  CURLcode code = CURLE_OK;
  for (;;) {
    int running = 0;
    curl_multi_perform(multi, &running);
    if (running == 0) {
      int queued = 0;
      while (CURLMsg* msg = curl_multi_info_read(multi, &queued))
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
      break;
    }
    const auto now = Clock::now();
    if (request.abort && request.abort->load()) {
      stop = HttpResult::Outcome::Aborted;
      break;
    }
    if ((request.deadline && now >= *request.deadline) ||
        (request.receiveTimeoutMs > 0 && now - t.lastData >= std::chrono::milliseconds(request.receiveTimeoutMs))) {
      stop = HttpResult::Outcome::TimedOut;
      break;
    }
    // Wait for the sockets, but no longer than libcurl asks (its resolver and connection
    // timers often want to be called back after a millisecond or less).
    long wanted = -1;
    curl_multi_timeout(multi, &wanted);
    const int wait = wanted >= 0 && wanted < 10 ? int(wanted) : 10;
    if (wait > 0) curl_multi_poll(multi, nullptr, 0, wait, nullptr);
  }

  if (stop == HttpResult::Outcome::Complete) {
    if (code == CURLE_OK) t.AskHead();  // a body-less answer is asked about too
    if (t.stoppedByHead) stop = HttpResult::Outcome::StoppedByHead;
    else if (t.capped) stop = HttpResult::Outcome::BodyCapped;
    else if (code != CURLE_OK) stop = HttpResult::Outcome::Failed;
  }
  if (!t.headAsked && code != CURLE_OK) {
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    result.head.status = int(status);
  }
  result.outcome = stop;
  if (code != CURLE_OK) result.error = curl_easy_strerror(code);
  char* effective = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
    result.effectiveUrl = effective;
  curl_multi_remove_handle(multi, easy);
  return result;
}

}  // namespace mw
