#pragma once
// The program settings of "Program.ini": retries, time-out and the crawler's proxy.

#include <string>

namespace mw {

struct ProgramSettings {
  std::string retries;       // key "Retrys"
  std::string timeout;       // key "Timeout"
  int proxyChoice = 1;       // key "ProxyRadioGroupBox": 0 direct, 1 given proxy, 2 system settings
  std::string proxyAddress;  // key "IpAdress"
  std::string proxyPort;     // key "Port"
  std::string proxyUser;     // key "UserName"
  std::string proxyPassword; // key "Password", stored as plain text

  // The values the crawler receives for texts that are not whole numbers.
  int CrawlerRetries() const;
  int CrawlerTimeout() const;
  int CrawlerProxyPort() const;

  // A missing file or key gives the defaults. False only when the file exists but cannot be read.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Writes the seven keys, keeping every other key of the file (such as "ProductPage").
  bool Save(const std::string& path, std::string* error = nullptr) const;
};

}  // namespace mw
