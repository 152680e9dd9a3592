#pragma once
// One synchronous GET whose answer is plain text: the body byte for byte, or the marker
// "::ERROR:: " + address when the address cannot be opened. Submissions, result pages and the
// connection check go through it. It blocks its thread; windows call FetchURLWaiting
// (platform/WaitingFetch.h), which keeps them painting meanwhile.

#include <atomic>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mw {

// Receive time-outs of the main window's requests and of the ranking window's.
inline constexpr int kMainFetchTimeoutMs = 14000;
inline constexpr int kRankingFetchTimeoutMs = 7000;

// Whole-request limits: a server that keeps sending a byte now and then never trips the
// receive time-out, so every request also ends after this long, giving what was read.
inline constexpr int kMainFetchLimitMs = 120000;
inline constexpr int kRankingFetchLimitMs = 60000;

// A body is cut here; what was read counts as the content.
inline constexpr std::size_t kFetchBodyCap = std::size_t(64) << 20;

// Callers recognise a failed fetch by this text in the first line of the result.
inline constexpr std::string_view kFetchErrorMarker = "::ERROR::";

// Raised when the HTTP library itself cannot be initialised; its text is
// "Unable to initialize Wininet". The user action that fetched ends and shows the text.
class HttpLibraryError : public std::runtime_error {
 public:
  HttpLibraryError();
};

// GET with the agent "Browser", the system's proxy settings, no cache, redirects followed and
// the receive time-out given, ended after `limitMs` in all and cut at kFetchBodyCap. Any answer
// of the server is content (a 404 page too); a body cut short by a time-out, the limit, the cap
// or a read error gives what had arrived. An unresolvable host, a refused connection, no answer
// within the time-out, or a malformed or empty address, one that is not http:// or https://
// (also as a redirect's target) gives "::ERROR:: " + url. The path goes out as written, dot
// segments included. Throws HttpLibraryError.
std::string FetchURL(const std::string& url, int receiveTimeoutMs, int limitMs = kMainFetchLimitMs);

// FetchURL's text together with the final answer's HTTP status (0 when no server answered), for
// callers that must tell a rejection (400 and above) from content. `abort`, set from any thread,
// ends the transfer at once; the result then holds the marker and `aborted` is true.
struct FetchAnswer {
  std::string text;
  int status = 0;
  bool aborted = false;

  bool Rejected() const { return status >= 400; }
};
FetchAnswer FetchURLAnswer(const std::string& url, int receiveTimeoutMs, const std::atomic<bool>* abort = nullptr,
                           int limitMs = kMainFetchLimitMs);

// True when the first line of `text` contains "::ERROR::".
bool IsFetchError(std::string_view text);

using FetchFunction = std::function<std::string(const std::string& url)>;

// What the user is told when the connection check fails (UTF-8).
inline constexpr const char* kNoConnectionText =
    "Die Verbindung ins Internet kann nicht hergestellt werden! Bitte stellen Sie eine Internetverbindung her!";

// The Internet connection check: fetches the product page and tells whether it answered. When
// it did not, `fallbackUrl` (the address the action is about: the site to crawl, the first
// submission or result-page address), when given, is fetched before giving up, so a machine
// without a route to the Internet can still work with a site on its own network.
bool CheckConnection(const std::string& productPageUrl, const FetchFunction& fetch,
                     const std::string& fallbackUrl = {});

}  // namespace mw
