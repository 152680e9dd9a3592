#pragma once
// Splitting a URL into its parts, completing the raw link values found on a page, and telling
// page links from file links by their extension.

#include <string>
#include <string_view>

namespace mw {

// The parts of the last URL given to Parse; one object is reused for many URLs.
class TCrackUrl {
 public:
  bool Parse(std::string_view url);
  // The same by libcurl's parser alone, whatever the address; for checks.
  bool ParseWithLibrary(std::string_view url);

  const std::string& Url() const { return url_; }
  std::string Scheme;
  std::string HostName;
  int Port = 0;  // 80 for http and 443 for https when the URL names none
  std::string UserName;
  std::string Password;
  std::string UrlPathWithFile;  // the path as written, file name included
  std::string ExtraInfos;       // the query with its leading "?", empty without one
  std::string UrlPath;          // the directory: always begins and ends with "/"
  std::string SiteKey;          // the last two labels of the host
  bool Valid = false;

 private:
  bool ParsePlain(std::string_view url);
  std::string url_;
};

// Position (from 1) of the last `ch` in `s`; 0 when there is none.
std::size_t LastPos(char ch, std::string_view s);

// The directory of a path and the site key of a host, as TCrackUrl derives them.
std::string DirectoryOfPath(std::string_view path);
std::string SiteKeyOfHost(std::string_view host);

// Resolves `ref` against the absolute URL `base` by standard relative-reference rules, without
// encoding anything. Empty when the result would be longer than kMaxCombinedUrl characters.
inline constexpr std::size_t kMaxCombinedUrl = 1023;
std::string CombineUrl(std::string_view base, std::string_view ref);

// An absolute URL for the raw link value `raw` found on the page `page`; empty when the link is
// dropped. A mail address sets `kind` to "mail"; otherwise `kind` is left as it is.
std::string CompleteLink(const TCrackUrl& page, std::string_view raw, std::string& kind);
// The same against the page's LinkBase, which a caller with many links of one page builds once.
std::string CompleteLink(std::string_view base, std::string_view raw, std::string& kind);
// What relative links of `page` are taken against: scheme, host, the port unless 80, directory.
std::string LinkBase(const TCrackUrl& page);

// Type: a lower-case known file type, "htm" for a page, or "0" when the link cannot be
// classified. Protocol: the lower-case scheme ("http" when the link names none).
void ClassifyLink(std::string_view link, std::string& type, std::string& protocol);

}  // namespace mw
