#pragma once
// The IndexNow key file: an engine that receives a page's address fetches the site's
// scheme and host + "/" + key + ".txt" and takes the submission only when that file holds the
// key. The program writes the file for the user and checks that it is in place.

#include <functional>
#include <string>

#include "platform/FetchURL.h"

namespace mw {

// key + ".txt"
std::string KeyFileName(const std::string& key);

// The key file's address for a site: scheme, host and port of `siteUrl` + "/" + key + ".txt".
// An address without scheme is taken as http. Empty when `siteUrl` names no host.
std::string KeyFileUrl(const std::string& siteUrl, const std::string& key);

// Writes the key as the whole content of `path`.
bool WriteKeyFile(const std::string& path, const std::string& key, std::string* error = nullptr);

enum class KeyFileState {
  Holds,    // the file answered and holds the key
  Wrong,    // the file answered but holds something else
  Missing,  // no answer, or an HTTP error status
  NoSite,   // the project has no site address to check
};

struct KeyFileCheck {
  KeyFileState state = KeyFileState::Missing;
  std::string url;  // the address fetched
  int status = 0;
};

using AnswerFetch = std::function<FetchAnswer(const std::string& url)>;

// Fetches the key file of the site and compares its content (blanks and line ends around it
// dropped) with the key.
KeyFileCheck CheckKeyFile(const std::string& siteUrl, const std::string& key, const AnswerFetch& fetch);

// The German sentence that tells the user the result (UTF-8).
std::string KeyFileCheckText(const KeyFileCheck& check);

}  // namespace mw
