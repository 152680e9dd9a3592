#include "store/ProgramSettings.h"

#include "common/IniFile.h"
#include "common/Text.h"

namespace mw {
namespace {
constexpr const char* kSection = "SETTINGS";
}

int ProgramSettings::CrawlerRetries() const { return StrToIntDef(retries, 3); }
int ProgramSettings::CrawlerTimeout() const { return StrToIntDef(timeout, 300); }
int ProgramSettings::CrawlerProxyPort() const { return StrToIntDef(proxyPort, 80); }

bool ProgramSettings::Load(const std::string& path, std::string* error) {
  IniFile ini(path);
  const bool ok = ini.Load(error);
  retries = ini.ReadString(kSection, "Retrys");
  timeout = ini.ReadString(kSection, "Timeout");
  proxyChoice = ini.ReadInteger(kSection, "ProxyRadioGroupBox", 1);
  if (proxyChoice < 0 || proxyChoice > 2) proxyChoice = 1;
  proxyAddress = ini.ReadString(kSection, "IpAdress");
  proxyPort = ini.ReadString(kSection, "Port");
  proxyUser = ini.ReadString(kSection, "UserName");
  proxyPassword = ini.ReadString(kSection, "Password");
  return ok;
}

bool ProgramSettings::Save(const std::string& path, std::string* error) const {
  IniFile ini(path);
  ini.Load();  // an unreadable old file is replaced by a readable one
  ini.WriteString(kSection, "Retrys", retries);
  ini.WriteString(kSection, "Timeout", timeout);
  ini.WriteInteger(kSection, "ProxyRadioGroupBox", proxyChoice);
  ini.WriteString(kSection, "IpAdress", proxyAddress);
  ini.WriteString(kSection, "Port", proxyPort);
  ini.WriteString(kSection, "UserName", proxyUser);
  ini.WriteString(kSection, "Password", proxyPassword);
  return ini.Save(error);
}

}  // namespace mw
