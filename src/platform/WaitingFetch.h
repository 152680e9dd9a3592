#pragma once
// FetchURL for windows: the request runs on a worker thread while the calling (main) thread
// waits in a local event loop that excludes user input, under the busy cursor. The windows
// keep painting and timers keep running during a long wait; clicks and keys are held back
// until the request is over.

#include <string>

#include "platform/FetchURL.h"

namespace mw {

// The result of FetchURL(url, receiveTimeoutMs, limitMs); rethrows its HttpLibraryError on the caller's
// thread.
std::string FetchURLWaiting(const std::string& url, int receiveTimeoutMs, int limitMs = kMainFetchLimitMs);

// FetchURLAnswer the same way: the status too, and an abort flag the caller may set meanwhile
// (from a timer or another window) to end the request at once. With `userInput` the wait also
// handles clicks and keys, so a cancel button can set the flag; the caller must then have
// disabled every control that must not act during the request.
FetchAnswer FetchURLAnswerWaiting(const std::string& url, int receiveTimeoutMs,
                                  const std::atomic<bool>* abort = nullptr, bool userInput = false,
                                  int limitMs = kMainFetchLimitMs);

// FetchURLWaiting with a fixed time-out, in the shape CheckConnection and the runs take.
FetchFunction WaitingFetcher(int receiveTimeoutMs, int limitMs = kMainFetchLimitMs);

}  // namespace mw
