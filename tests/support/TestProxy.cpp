#include "support/TestProxy.h"

#include <httplib.h>

namespace mwtest {
namespace {

std::string Base64(const std::string& in) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned value = 0;
  int bits = -6;
  for (unsigned char c : in) {
    value = (value << 8) + c;
    bits += 8;
    while (bits >= 0) {
      out.push_back(table[(value >> bits) & 0x3F]);
      bits -= 6;
    }
  }
  if (bits > -6) out.push_back(table[((value << 8) >> (bits + 8)) & 0x3F]);
  while (out.size() % 4) out.push_back('=');
  return out;
}

}  // namespace

TestProxy::TestProxy(std::string user, std::string password)
    : expected_("Basic " + Base64(user + ":" + password)) {
  server_.SetFallback([this](const httplib::Request& req, httplib::Response& res) {
    if (req.get_header_value("Proxy-Authorization") != expected_) {
      ++refused_;
      res.status = 407;
      res.set_header("Proxy-Authenticate", "Basic realm=\"proxy\"");
      res.set_content("<html><body>Proxy credentials needed</body></html>", "text/html");
      return;
    }
    // The request line carries the absolute URL: scheme://host:port/path?query.
    const std::string& target = req.target;
    const auto authority = target.find("://");
    const auto pathStart = authority == std::string::npos ? std::string::npos : target.find('/', authority + 3);
    if (pathStart == std::string::npos) {
      res.status = 400;
      return;
    }
    httplib::Client origin(target.substr(0, pathStart));
    auto answer = origin.Get(target.substr(pathStart));
    ++forwarded_;
    if (!answer) {
      res.status = 502;
      return;
    }
    res.status = answer->status;
    res.set_content(answer->body, answer->get_header_value("Content-Type"));
  });
}

}  // namespace mwtest
