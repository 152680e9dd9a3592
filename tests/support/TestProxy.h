#pragma once
// A small forwarding HTTP proxy on 127.0.0.1 for tests. It asks for proxy credentials with 407
// until a request brings the expected Basic credentials, then fetches the absolute URL it was
// sent from the origin server and passes the answer on.

#include <atomic>
#include <string>

#include "support/TestHttpServer.h"

namespace mwtest {

class TestProxy {
 public:
  TestProxy(std::string user, std::string password);
  int Port() const { return server_.Port(); }
  int Refused() const { return refused_; }     // requests answered with 407
  int Forwarded() const { return forwarded_; }  // requests passed to the origin

 private:
  TestHttpServer server_;
  std::string expected_;  // the Proxy-Authorization value that is let through
  std::atomic<int> refused_{0}, forwarded_{0};
};

}  // namespace mwtest
