// libFuzzer target: URL parsing, link completion and classification. The first line is the
// page's URL, the rest the raw link value found on it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "crawler/CrackUrl.h"
#include "crawler/FileTypes.h"
#include "crawler/QuickSortStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto lf = input.find('\n');
  const std::string pageUrl = lf == std::string::npos ? "http://www.site.test/docs/" : input.substr(0, lf);
  const std::string raw = lf == std::string::npos ? input : input.substr(lf + 1);

  mw::TCrackUrl page;
  if (!page.Parse(pageUrl)) page.Parse("http://www.site.test:8080/docs/page.html");
  if (page.UrlPath.empty() || page.UrlPath.front() != '/' || page.UrlPath.back() != '/') std::abort();

  std::string kind = "0";
  const std::string link = mw::CompleteLink(page, raw, kind);
  if (kind != "mail" && link.size() > mw::kMaxCombinedUrl && !(raw.size() >= 5 && link.size() <= raw.size())) std::abort();
  if (kind != "mail" && !link.empty()) {
    std::string type, protocol;
    mw::ClassifyLink(link, type, protocol);
    if (type != "0" && type != "htm" && !mw::IsKnownFileType(type)) std::abort();
    mw::TCrackUrl parsed;
    parsed.Parse(link);
    if (!parsed.Valid && (parsed.Port != 0 || !parsed.HostName.empty())) std::abort();
  }
  (void)mw::CombineUrl(pageUrl, raw);
  (void)mw::IsKnownFileType(raw);

  mw::TQuickSortStringList set;
  int found = -1, at = -1;
  set.FindOrInsert(link, found, true, at);
  set.FindOrInsert(raw, found, true, at);
  if (!set.FindOrInsert(link, found, false, at) || set.Strings(found).size() != link.size()) std::abort();
  return 0;
}
