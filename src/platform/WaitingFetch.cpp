#include "platform/WaitingFetch.h"

#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <thread>

#include "platform/BusyCursor.h"

namespace mw {

std::string FetchURLWaiting(const std::string& url, int receiveTimeoutMs) {
  BusyCursor busy;
  QEventLoop loop;
  std::string result;
  std::exception_ptr failure;
  // The worker posts the quit; a quit posted before exec() starts is delivered once it runs.
  std::thread worker([&] {
    try {
      result = FetchURL(url, receiveTimeoutMs);
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  if (failure) std::rethrow_exception(failure);
  return result;
}

FetchFunction WaitingFetcher(int receiveTimeoutMs) {
  return [receiveTimeoutMs](const std::string& url) { return FetchURLWaiting(url, receiveTimeoutMs); };
}

}  // namespace mw
