#include "crawler/CrackUrl.h"

#include <curl/curl.h>

#include <memory>

#include "common/Text.h"
#include "crawler/FileTypes.h"

namespace mw {
namespace {

struct UrlHandle {
  CURLU* u = curl_url();
  ~UrlHandle() { curl_url_cleanup(u); }
  std::string Get(CURLUPart part, unsigned flags = 0) const {
    char* text = nullptr;
    std::string out;
    if (curl_url_get(u, part, &text, flags) == CURLUE_OK && text) out = text;
    curl_free(text);
    return out;
  }
};

bool IsSchemeChar(char c, bool first) {
  const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  return first ? alpha : alpha || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Length of the scheme (without ":") when `ref` begins with one, else 0.
std::size_t SchemeLength(std::string_view ref) {
  for (std::size_t i = 0; i < ref.size(); ++i) {
    if (ref[i] == ':') return i;
    if (!IsSchemeChar(ref[i], i == 0)) return 0;
  }
  return 0;
}

// Standard removal of "." and ".." segments from a path.
std::string RemoveDotSegments(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  while (!in.empty()) {
    if (in.starts_with("../"))
      in.remove_prefix(3);
    else if (in.starts_with("./"))
      in.remove_prefix(2);
    else if (in.starts_with("/./"))
      in.remove_prefix(2);
    else if (in == "/.")
      in = "/";
    else if (in.starts_with("/../") || in == "/..") {
      in = in.size() == 3 ? std::string_view("/") : in.substr(3);
      const auto slash = out.rfind('/');
      out.erase(slash == std::string::npos ? 0 : slash);
    } else if (in == "." || in == "..")
      in = {};
    else {
      const auto next = in.find('/', 1);
      const std::size_t n = next == std::string_view::npos ? in.size() : next;
      out.append(in.substr(0, n));
      in.remove_prefix(n);
    }
  }
  return out;
}

}  // namespace

std::size_t LastPos(char ch, std::string_view s) {
  const auto p = s.rfind(ch);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::string DirectoryOfPath(std::string_view path) {
  const std::size_t k = LastPos('/', path);
  if (k > 1 && k < path.size()) {
    if (path.substr(k).find('.') != std::string_view::npos) return std::string(path.substr(0, k));
    return std::string(path) + "/";
  }
  if (k > 1 && k == path.size()) return std::string(path);
  return "/";
}

std::string SiteKeyOfHost(std::string_view host) {
  const std::size_t c = LastPos('.', host);
  if (c > 1) {
    const std::size_t d = LastPos('.', host.substr(0, c - 1));
    if (d > 0) return std::string(host.substr(d));
  }
  return std::string(host);
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A dotted IPv4 address written the one way libcurl leaves as it is: four numbers of 0 to 255
// without leading zeros.
bool IsPlainIpv4(std::string_view host) {
  int parts = 0;
  std::size_t i = 0;
  while (i <= host.size()) {
    const std::size_t end = std::min(host.find('.', i), host.size());
    const std::string_view part = host.substr(i, end - i);
    if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0')) return false;
    int value = 0;
    for (char c : part) {
      if (!IsDigit(c)) return false;
      value = value * 10 + (c - '0');
    }
    if (value > 255 || ++parts > 4) return false;
    i = end + 1;
  }
  return parts == 4;
}

}  // namespace

// Nearly every link of a crawl is a plain http or https address: lower-case host of letters,
// digits, dots and dashes, maybe a port, and a path of printable characters. Its parts are read
// here directly; libcurl's parser, which gives the same parts for such an address, is left for
// everything else.
bool TCrackUrl::ParsePlain(std::string_view url) {
  std::size_t at;
  if (url.starts_with("http://"))
    at = 7;
  else if (url.starts_with("https://"))
    at = 8;
  else
    return false;
  const std::size_t end = std::min(url.find_first_of("/?#", at), url.size());
  std::string_view authority = url.substr(at, end - at);
  for (std::size_t i = end; i < url.size(); ++i) {
    const auto c = static_cast<unsigned char>(url[i]);
    if (c <= 0x20 || c >= 0x7F || c == '\\') return false;
  }
  int port = at == 7 ? 80 : 443;
  if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
    const std::string_view digits = authority.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits[0] == '0') return false;
    port = 0;
    for (char c : digits) {
      if (!IsDigit(c)) return false;
      port = port * 10 + (c - '0');
    }
    if (port > 65535) return false;
    authority = authority.substr(0, colon);
  }
  // Labels of letters, digits and dashes between single dots. A host whose every label begins
  // with a digit may be a number libcurl rewrites ("0x7f.1", "127.1"): only a plain IPv4
  // address is taken here.
  bool name = false;
  char previous = '.';
  for (const char c : authority) {
    const bool alpha = c >= 'a' && c <= 'z';
    if (c == '.' ? previous == '.' : !(alpha || IsDigit(c) || c == '-')) return false;
    if (previous == '.' && !IsDigit(c)) name = true;
    previous = c;
  }
  if (authority.empty() || previous == '.' || (!name && !IsPlainIpv4(authority))) return false;

  url_.assign(url);
  Scheme = at == 7 ? "http" : "https";
  HostName.assign(authority);
  Port = port;
  UserName.clear();
  Password.clear();
  UrlPathWithFile.clear();
  ExtraInfos.clear();
  if (end < url.size() && url[end] == '/') {
    const std::size_t stop = url.find_first_of("?#", end);
    UrlPathWithFile.assign(url.substr(end, stop == std::string_view::npos ? url.npos : stop - end));
  }
  if (const std::size_t q = url.find('?', end); q != std::string_view::npos) {
    const std::size_t hash = url.find('#', q);
    ExtraInfos.assign(url.substr(q, hash == std::string_view::npos ? url.npos : hash - q));
  }
  Valid = true;
  UrlPath = DirectoryOfPath(UrlPathWithFile);
  SiteKey = SiteKeyOfHost(HostName);
  return true;
}

bool TCrackUrl::Parse(std::string_view url) {
  return ParsePlain(url) || ParseWithLibrary(url);
}

bool TCrackUrl::ParseWithLibrary(std::string_view url) {
  url_.assign(url);
  Scheme.clear();
  HostName.clear();
  Port = 0;
  UserName.clear();
  Password.clear();
  UrlPathWithFile.clear();
  ExtraInfos.clear();
  Valid = false;

  UrlHandle h;
  const unsigned flags = CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE;
  if (h.u && url.find('\0') == std::string_view::npos &&
      curl_url_set(h.u, CURLUPART_URL, url_.c_str(), flags) == CURLUE_OK) {
    Scheme = h.Get(CURLUPART_SCHEME);
    HostName = h.Get(CURLUPART_HOST);
    if (Scheme.size() <= 20 && !HostName.empty()) {
      Valid = true;
      Port = StrToIntDef(h.Get(CURLUPART_PORT, CURLU_DEFAULT_PORT), 0);
      UserName = h.Get(CURLUPART_USER, CURLU_URLDECODE);
      Password = h.Get(CURLUPART_PASSWORD, CURLU_URLDECODE);
      // The path and query are kept as written in the URL, so that the directory can be
      // found again as a part of the link texts; a URL without any path has an empty one.
      const std::size_t authority = url.find("://");
      const std::size_t start = authority == std::string_view::npos ? 0 : authority + 3;
      const std::size_t end = url.find_first_of("/?#", start);
      if (end != std::string_view::npos && url[end] == '/') {
        const std::size_t stop = url.find_first_of("?#", end);
        UrlPathWithFile.assign(url.substr(end, stop == std::string_view::npos ? url.npos : stop - end));
      }
      const std::size_t q = url.find('?', start);
      if (q != std::string_view::npos) {
        const std::size_t hash = url.find('#', q);
        ExtraInfos.assign(url.substr(q, hash == std::string_view::npos ? url.npos : hash - q));
      }
    } else {
      Scheme.clear();
      HostName.clear();
    }
  }
  UrlPath = DirectoryOfPath(UrlPathWithFile);
  SiteKey = SiteKeyOfHost(HostName);
  return Valid;
}

std::string CombineUrl(std::string_view base, std::string_view ref) {
  std::string out;
  const std::size_t schemeEnd = base.find("://");
  if (schemeEnd == std::string_view::npos) return out;
  const std::size_t pathStart = std::min(base.find_first_of("/?#", schemeEnd + 3), base.size());
  const std::string_view origin = base.substr(0, pathStart);  // scheme://authority
  std::string_view basePath = base.substr(pathStart);
  basePath = basePath.substr(0, basePath.find_first_of("?#"));

  const std::size_t refPathEnd = std::min(ref.find_first_of("?#"), ref.size());
  const std::string_view refPath = ref.substr(0, refPathEnd), refTail = ref.substr(refPathEnd);
  const std::size_t scheme = SchemeLength(ref);
  if (scheme > 0) {
    const std::size_t rest = ref.find_first_of("/?#", scheme + 3);
    if (ref.substr(scheme).starts_with("://") && rest != std::string_view::npos && ref[rest] == '/') {
      const std::size_t tail = std::min(ref.find_first_of("?#", rest), ref.size());
      out.assign(ref.substr(0, rest)).append(RemoveDotSegments(ref.substr(rest, tail - rest))).append(ref.substr(tail));
    } else {
      out.assign(ref);
    }
  } else if (ref.starts_with("//")) {
    out.assign(base.substr(0, schemeEnd + 1)).append(ref);
  } else if (refPath.empty()) {
    // Same document: the base's path, and its query unless the reference brings one.
    out.assign(origin).append(basePath);
    if (refTail.empty() || refTail[0] == '#') {
      const std::string_view baseTail = base.substr(pathStart + basePath.size());
      out.append(baseTail.substr(0, baseTail.find('#')));
    }
    out.append(refTail);
  } else if (refPath[0] == '/') {
    out.assign(origin).append(RemoveDotSegments(refPath)).append(refTail);
  } else {
    const std::size_t slash = basePath.rfind('/');
    std::string merged =
        slash == std::string_view::npos ? std::string("/") : std::string(basePath.substr(0, slash + 1));
    merged.append(refPath);
    out.assign(origin).append(RemoveDotSegments(merged)).append(refTail);
  }
  if (out.size() > kMaxCombinedUrl) out.clear();
  return out;
}

namespace {

// Cuts `s` before the first `ch` when it stands at position 2 or later.
void CutBefore(std::string& s, char ch) {
  const auto p = s.find(ch);
  if (p != std::string::npos && p >= 1) s.erase(p);
}

bool ContainsUpper(std::string_view text, std::string_view upperWord) {
  if (upperWord.size() > text.size()) return false;
  for (std::size_t i = 0; i + upperWord.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < upperWord.size()) {
      char c = text[i + k];
      if (c >= 'a' && c <= 'z') c = char(c - 32);
      if (c != upperWord[k]) break;
      ++k;
    }
    if (k == upperWord.size()) return true;
  }
  return false;
}

bool StartsUpper(std::string_view text, std::string_view upperWord) {
  return text.size() >= upperWord.size() && ContainsUpper(text.substr(0, upperWord.size()), upperWord);
}

}  // namespace

std::string LinkBase(const TCrackUrl& page) {
  std::string base = page.Scheme + "://" + page.HostName;
  if (page.Port != 80) base += ":" + std::to_string(page.Port);
  return base + page.UrlPath;
}

std::string CompleteLink(const TCrackUrl& page, std::string_view raw, std::string& kind) {
  return CompleteLink(LinkBase(page), raw, kind);
}

std::string CompleteLink(std::string_view base, std::string_view raw, std::string& kind) {
  std::string result;
  if (ContainsUpper(raw, "MAILTO:")) {
    kind = "mail";
    if (raw.size() > 7) result.assign(raw.substr(7));
    CutBefore(result, '?');
    return result;
  }
  if (ContainsUpper(raw, "JAVASCRIPT")) return result;
  if (StartsUpper(raw, "HTTP:") || StartsUpper(raw, "HTTPS:")) {
    result.assign(raw);
  } else {
    result = CombineUrl(base, raw);
  }
  CutBefore(result, '#');
  return result;
}

void ClassifyLink(std::string_view link, std::string& type, std::string& protocol) {
  type = "0";
  protocol = "http";
  std::string w(link);
  const auto p = w.find("://");
  if (p != std::string::npos && p >= 1) {
    protocol = LowerCase(w.substr(0, p));
    w[p + 1] = '\\';
    w[p + 2] = '\\';
  }
  const auto hash = w.find('#');
  if (hash != std::string::npos && hash >= 1) {
    type = "htm";
  } else if (w.find_first_of("&?") != std::string::npos) {
    type = "htm";
  } else {
    const std::size_t s = LastPos('/', w), d = LastPos('.', w);
    if (protocol.compare(0, 4, "http") == 0 && d > 0) {
      if (s == 0 || d <= s)
        type = "htm";
      else if (d < w.size())
        type = LowerCase(w.substr(d));
    }
  }
  if (type != "0" && type != "htm" && !IsKnownFileType(type)) type = "htm";
  if (type == "jpeg")
    type = "jpg";
  else if (type == "mpeg")
    type = "mpg";
}

}  // namespace mw
