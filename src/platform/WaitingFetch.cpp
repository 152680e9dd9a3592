#include "platform/WaitingFetch.h"

#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <thread>

#include "platform/BusyCursor.h"

namespace mw {

FetchAnswer FetchURLAnswerWaiting(const std::string& url, int receiveTimeoutMs, const std::atomic<bool>* abort,
                                  bool userInput, int limitMs) {
  BusyCursor busy;
  QEventLoop loop;
  FetchAnswer answer;
  std::exception_ptr failure;
  // The worker posts the quit; a quit posted before exec() starts is delivered once it runs.
  std::thread worker([&] {
    try {
      answer = FetchURLAnswer(url, receiveTimeoutMs, abort, limitMs);
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  worker.join();
  if (failure) std::rethrow_exception(failure);
  return answer;
}

std::string FetchURLWaiting(const std::string& url, int receiveTimeoutMs, int limitMs) {
  return FetchURLAnswerWaiting(url, receiveTimeoutMs, nullptr, false, limitMs).text;
}

FetchFunction WaitingFetcher(int receiveTimeoutMs, int limitMs) {
  return [receiveTimeoutMs, limitMs](const std::string& url) { return FetchURLWaiting(url, receiveTimeoutMs, limitMs); };
}

}  // namespace mw
