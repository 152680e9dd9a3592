#include "scans/Sitemap.h"

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters cannot stand in XML 1.0 at all; a page address never needs them.
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
  return out;
}

}  // namespace

std::string SitemapXml(const std::vector<std::string>& pages) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
  std::size_t written = 0;
  for (const auto& page : pages) {
    const std::string url = Trim(page);
    if (url.empty()) continue;
    if (written++ == kMaxSitemapPages) break;
    xml += "  <url><loc>" + XmlEscape(Cp1252ToUtf8(url)) + "</loc></url>\n";
  }
  return xml + "</urlset>\n";
}

bool WriteSitemap(const std::string& path, const std::vector<std::string>& pages, std::string* error) {
  return WriteFileAtomic(path, SitemapXml(pages), error);
}

std::string RobotsSitemapLine(const std::string& siteUrl) {
  // The folder of the address: a start page such as ".../index.html" names its folder.
  std::string site = Trim(siteUrl);
  const auto hostStart = site.find("://") == std::string::npos ? 0 : site.find("://") + 3;
  const auto lastSlash = site.rfind('/');
  if (lastSlash == std::string::npos || lastSlash < hostStart)
    site += '/';
  else
    site.resize(lastSlash + 1);
  return "Sitemap: " + site + "sitemap.xml";
}

}  // namespace mw
