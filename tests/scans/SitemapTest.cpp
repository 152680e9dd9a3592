// The sitemap of the discovered pages, read back with an XML parser.
#include <gtest/gtest.h>

#include <QString>
#include <QXmlStreamReader>

#include "scans/Sitemap.h"
#include "support/TempProgramFolder.h"

using namespace mw;

namespace {

std::vector<std::string> Locations(const std::string& xml, std::string* rootNamespace) {
  QXmlStreamReader reader(QByteArray::fromStdString(xml));
  std::vector<std::string> locs;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == QStringLiteral("urlset")) *rootNamespace = reader.namespaceUri().toString().toStdString();
    if (reader.name() == QStringLiteral("loc")) locs.push_back(reader.readElementText().toStdString());
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return locs;
}

}  // namespace

TEST(Sitemap, EscapedUtf8AddressesOnePerPageAtMost50000) {
  std::string ns;
  const auto locs =
      Locations(SitemapXml({"http://s.de/", "", "http://s.de/a.php?x=1&y=<2>\"'", "http://s.de/m\xfc.html"}), &ns);
  EXPECT_EQ(ns, "http://www.sitemaps.org/schemas/sitemap/0.9");
  EXPECT_EQ(locs,
            (std::vector<std::string>{"http://s.de/", "http://s.de/a.php?x=1&y=<2>\"'", "http://s.de/m\xc3\xbc.html"}));

  std::vector<std::string> many;
  for (int i = 0; i < 50001; ++i) many.push_back("http://s.de/" + std::to_string(i));
  const auto capped = Locations(SitemapXml(many), &ns);
  ASSERT_EQ(capped.size(), kMaxSitemapPages);
  EXPECT_EQ(capped.back(), "http://s.de/49999");

  EXPECT_EQ(RobotsSitemapLine("http://s.de"), "Sitemap: http://s.de/sitemap.xml");
  EXPECT_EQ(RobotsSitemapLine("http://s.de/shop/index.html"), "Sitemap: http://s.de/shop/sitemap.xml");
}

TEST(Sitemap, AFileThatCannotBeWrittenIsAnErrorAndLeavesTheOldOne) {
  mwtest::TempProgramFolder dir;
  dir.Write("site/sitemap.xml", "old");
  std::string error;
  EXPECT_FALSE(WriteSitemap(dir.Path() + "missing/sitemap.xml", {"http://s.de/"}, &error));
  EXPECT_FALSE(error.empty());
  ASSERT_TRUE(WriteSitemap(dir.Path() + "site/sitemap.xml", {"http://s.de/"}, &error));
  EXPECT_NE(dir.Read("site/sitemap.xml").find("<loc>http://s.de/</loc>"), std::string::npos);
}
