#include "support/TestHttpServer.h"

#include <chrono>
#include <httplib.h>
#include <stdexcept>

#include "common/Text.h"

namespace mwtest {

thread_local bool TestHttpServer::servedOnThisThread = false;

std::string LoggedRequest::Header(const std::string& name) const {
  for (const auto& [k, v] : headers)
    if (mw::SameText(k, name)) return v;
  return {};
}

TestHttpServer::TestHttpServer() : server_(std::make_unique<httplib::Server>()) {
  const auto serve = [this](const httplib::Request& req, httplib::Response& res) { Serve(req, res); };
  server_->Get(".*", serve);
  server_->Post(".*", serve);
  server_->Options(".*", serve);
  server_->new_task_queue = [] { return new httplib::ThreadPool(16); };
  // Requests the library refuses before routing (it rejects a second "?" in a query, which
  // real servers accept) are logged too.
  server_->set_logger([this](const httplib::Request& req, const httplib::Response&) {
    if (servedOnThisThread) {
      servedOnThisThread = false;
      return;
    }
    Log(req);
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("test server could not bind");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // The socket is bound and listening already; wait until the accept loop runs, so that an
  // early Stop() cannot miss it.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestHttpServer::~TestHttpServer() { Stop(); }

void TestHttpServer::Stop() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  server_->stop();
  thread_.join();
}

std::string TestHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestHttpServer::Set(const std::string& path, Route route) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(route);
}

void TestHttpServer::Handle(const std::string& path, Handler handler) {
  std::lock_guard lock(mutex_);
  handlers_[path] = std::move(handler);
}

void TestHttpServer::SetFallback(Handler handler) {
  std::lock_guard lock(mutex_);
  fallback_ = std::move(handler);
}

void TestHttpServer::Log(const httplib::Request& req) {
  std::lock_guard lock(mutex_);
  LoggedRequest logged{req.method, req.target, req.path, {}};
  for (const auto& [k, v] : req.headers) logged.headers.emplace(k, v);
  log_.push_back(std::move(logged));
}

void TestHttpServer::Serve(const httplib::Request& req, httplib::Response& res) {
  Log(req);
  servedOnThisThread = true;
  Route route;
  Handler handler;
  bool found = false;
  {
    std::lock_guard lock(mutex_);
    if (auto h = handlers_.find(req.path); h != handlers_.end()) {
      handler = h->second;
    } else if (auto r = routes_.find(req.path); r != routes_.end()) {
      route = r->second;
      found = true;
    } else {
      handler = fallback_;
    }
  }
  if (handler) {
    handler(req, res);
    return;
  }
  if (!found) {
    res.status = 404;
    res.set_content("<html><body>Not found</body></html>", "text/html");
    return;
  }
  const auto answerAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(route.delayMs);
  while (!stopping_ && std::chrono::steady_clock::now() < answerAt)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  res.status = route.status;
  for (const auto& [k, v] : route.headers) res.set_header(k, v);
  res.set_content(route.body, route.contentType);
}

void TestHttpServer::SetRedirect(const std::string& path, const std::string& target, int status) {
  Set(path, Route{status, "text/html", "", 0, {{"Location", target}}});
}

void TestHttpServer::SetStalled(const std::string& path, const std::string& firstPart, int stallMs,
                                std::size_t declaredLength) {
  Handle(path, [this, firstPart, stallMs, declaredLength](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(declaredLength, "text/html",
                             [this, firstPart, stallMs](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset == 0) return sink.write(firstPart.data(), firstPart.size());
                               const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(stallMs);
                               while (!stopping_ && std::chrono::steady_clock::now() < end)
                                 std::this_thread::sleep_for(std::chrono::milliseconds(5));
                               return false;
                             });
  });
}

void TestHttpServer::SetCutOff(const std::string& path, const std::string& firstPart, std::size_t declaredLength) {
  Handle(path, [firstPart, declaredLength](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(declaredLength, "text/html", [firstPart](size_t offset, size_t, httplib::DataSink& sink) {
      return offset == 0 && sink.write(firstPart.data(), firstPart.size());
    });
  });
}

std::vector<LoggedRequest> TestHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return log_;
}

std::size_t TestHttpServer::RequestCount() const {
  std::lock_guard lock(mutex_);
  return log_.size();
}

std::size_t TestHttpServer::CountFor(const std::string& path) const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& r : log_) n += r.path == path;
  return n;
}

void TestHttpServer::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

}  // namespace mwtest
