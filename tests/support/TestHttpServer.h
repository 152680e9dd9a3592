#pragma once
// A real HTTP server on 127.0.0.1 with an ephemeral port, for tests. Routes are scripted by
// path (status, content type, body, extra headers, a delay before answering, or a handler of
// the test's own); every request received is logged. Unknown paths answer 404.

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace mwtest {

struct Route {
  int status = 200;
  std::string contentType = "text/html";
  std::string body;
  int delayMs = 0;
  std::vector<std::pair<std::string, std::string>> headers;
};

struct LoggedRequest {
  std::string method;
  std::string target;  // path and query as sent, e.g. "/add?url=http%3A%2F%2Fx"
  std::string path;    // decoded path
  std::multimap<std::string, std::string> headers;
  std::string Header(const std::string& name) const;
};

class TestHttpServer {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

  TestHttpServer();
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& path = "/") const;

  void Set(const std::string& path, Route route);
  void SetPage(const std::string& path, const std::string& html) { Set(path, Route{200, "text/html", html, 0, {}}); }
  void Handle(const std::string& path, Handler handler);  // the test answers itself
  void SetFallback(Handler handler);                       // for paths without a route

  // Scripted misbehaviour. A redirect answers `status` with Location `target`. A stalled body
  // sends the head (announcing `declaredLength` bytes) and `firstPart`, then nothing for
  // `stallMs`, then closes. A cut-off body announces `declaredLength` bytes, sends `firstPart`
  // and closes the connection at once.
  void SetRedirect(const std::string& path, const std::string& target, int status = 302);
  void SetStalled(const std::string& path, const std::string& firstPart, int stallMs, std::size_t declaredLength);
  void SetCutOff(const std::string& path, const std::string& firstPart, std::size_t declaredLength);

  std::vector<LoggedRequest> Requests() const;
  std::size_t RequestCount() const;
  std::size_t CountFor(const std::string& path) const;
  void ClearLog();
  void Stop();

 private:
  void Serve(const httplib::Request& req, httplib::Response& res);
  void Log(const httplib::Request& req);
  static thread_local bool servedOnThisThread;

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, Route> routes_;
  std::map<std::string, Handler> handlers_;
  Handler fallback_;
  std::vector<LoggedRequest> log_;
  std::atomic<bool> stopping_{false};  // ends stalls early when the server goes down
};

}  // namespace mwtest
