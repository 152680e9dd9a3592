#include "platform/FetchURL.h"

#include "platform/HttpTransfer.h"

namespace mw {

HttpLibraryError::HttpLibraryError() : std::runtime_error("Unable to initialize Wininet") {}

FetchAnswer FetchURLAnswer(const std::string& url, int receiveTimeoutMs, const std::atomic<bool>* abort,
                           int limitMs) {
  HttpRequest request;
  request.url = url;
  request.userAgent = "Browser";
  request.proxy = ProxyChoice::System;
  request.noCache = true;
  request.followRedirects = true;
  request.receiveTimeoutMs = receiveTimeoutMs;
  request.abort = abort;
  request.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  request.maxBodyBytes = kFetchBodyCap;
  HttpResult result = PerformHttpGet(request);
  using Outcome = HttpResult::Outcome;
  if (result.outcome == Outcome::NoLibrary) throw HttpLibraryError();
  FetchAnswer answer;
  answer.status = result.head.status;
  const std::string marker = std::string(kFetchErrorMarker) + " " + url;
  if (result.outcome == Outcome::Aborted) {
    answer.text = marker;
    answer.aborted = true;
    return answer;
  }
  if (result.outcome == Outcome::Complete) {
    answer.text = std::move(result.body);
    return answer;
  }
  // A failure before the final answer's head: the address could not be opened. A redirect
  // whose target cannot be reached counts as such, though a redirect head was seen.
  const bool redirectOnly = result.head.status >= 300 && result.head.status < 400 && result.body.empty();
  if (!result.Responded() || redirectOnly) {
    answer.text = marker;
    answer.status = 0;
  } else {
    answer.text = std::move(result.body);
  }
  return answer;
}

std::string FetchURL(const std::string& url, int receiveTimeoutMs, int limitMs) {
  return FetchURLAnswer(url, receiveTimeoutMs, nullptr, limitMs).text;
}

bool IsFetchError(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n")).find(kFetchErrorMarker) != std::string_view::npos;
}

bool CheckConnection(const std::string& productPageUrl, const FetchFunction& fetch, const std::string& fallbackUrl) {
  if (!IsFetchError(fetch(productPageUrl))) return true;
  return !fallbackUrl.empty() && fallbackUrl != productPageUrl && !IsFetchError(fetch(fallbackUrl));
}

}  // namespace mw
