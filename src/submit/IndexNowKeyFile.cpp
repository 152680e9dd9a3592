#include "submit/IndexNowKeyFile.h"

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"

namespace mw {

std::string KeyFileName(const std::string& key) {
  return key + ".txt";
}

std::string KeyFileUrl(const std::string& siteUrl, const std::string& key) {
  std::string site = Trim(siteUrl);
  std::string scheme = "http";
  if (const auto at = site.find("://"); at != std::string::npos) {
    scheme = LowerCase(site.substr(0, at));
    site.erase(0, at + 3);
  }
  const std::string authority = site.substr(0, site.find_first_of("/?#"));
  // Credentials before the host are not part of the address the engines fetch.
  const std::string host = authority.substr(authority.find('@') == std::string::npos ? 0 : authority.find('@') + 1);
  if (host.empty()) return {};
  return scheme + "://" + host + "/" + KeyFileName(key);
}

bool WriteKeyFile(const std::string& path, const std::string& key, std::string* error) {
  return WriteFileAtomic(path, key, error);
}

KeyFileCheck CheckKeyFile(const std::string& siteUrl, const std::string& key, const AnswerFetch& fetch) {
  KeyFileCheck check;
  check.url = KeyFileUrl(siteUrl, key);
  if (check.url.empty()) {
    check.state = KeyFileState::NoSite;
    return check;
  }
  const FetchAnswer answer = fetch(check.url);
  check.status = answer.status;
  if (answer.status == 0 || answer.Rejected() || IsFetchError(answer.text))
    check.state = KeyFileState::Missing;
  else
    check.state = Trim(answer.text) == key ? KeyFileState::Holds : KeyFileState::Wrong;
  return check;
}

std::string KeyFileCheckText(const KeyFileCheck& check) {
  const std::string url = Cp1252ToUtf8(check.url);
  switch (check.state) {
    case KeyFileState::Holds:
      return "Die Schl\xc3\xbcsseldatei " + url + " ist vorhanden und enth\xc3\xa4lt den Schl\xc3\xbcssel.";
    case KeyFileState::Wrong:
      return "Die Datei " + url + " ist vorhanden, enth\xc3\xa4lt aber nicht den Schl\xc3\xbcssel dieses Projekts!";
    case KeyFileState::Missing:
      return "Die Schl\xc3\xbcsseldatei " + url + " ist nicht erreichbar" +
             (check.status ? " (HTTP " + std::to_string(check.status) + ")" : std::string()) +
             "! Bitte legen Sie sie im Hauptverzeichnis der Webseite ab.";
    case KeyFileState::NoSite:
      break;
  }
  return "Bitte geben Sie zuerst eine g\xc3\xbcltige Webseite ein! (z.B. http://www.beispiel.de)";
}

}  // namespace mw
