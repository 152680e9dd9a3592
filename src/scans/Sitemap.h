#pragma once
// A sitemap of the discovered pages, for the engines that take no submissions by address: a
// sitemaps.org "urlset" in UTF-8 with one url/loc per page, at most 50 000 pages.

#include <string>
#include <vector>

namespace mw {

inline constexpr std::size_t kMaxSitemapPages = 50000;

// The file's content for `pages` (Windows-1252 addresses; blank lines skipped, the first
// kMaxSitemapPages taken).
std::string SitemapXml(const std::vector<std::string>& pages);

bool WriteSitemap(const std::string& path, const std::vector<std::string>& pages, std::string* error = nullptr);

// The line to add to the site's robots.txt: "Sitemap: " + site + "sitemap.xml", where site is
// the folder of the site address (ending in "/"; a start page such as ".../index.html" gives
// its folder).
std::string RobotsSitemapLine(const std::string& siteUrl);

}  // namespace mw
