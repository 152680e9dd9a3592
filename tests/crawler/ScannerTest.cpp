#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "crawler/HtmlScanner.h"
#include "crawler/PageCharset.h"

using namespace mw;

namespace {

struct Found {
  int kind;
  std::string value;
  bool operator==(const Found&) const = default;
};

std::vector<Found> Links(const std::string& html) {
  std::string body = Normalize(html, true, false);
  std::vector<Found> out;
  if (PlaceMarkers(body))
    ExtractLinks(body, {}, [&](unsigned char kind, std::string_view v) { out.push_back({kind, std::string(v)}); });
  return out;
}

std::vector<TMetaTag> Tags(const std::string& html, std::string* title = nullptr) {
  std::vector<TMetaTag> out;
  HeadSink sink;
  sink.onTitle = [&](const std::string& t) {
    if (title) *title = t;
  };
  sink.onTag = [&](const TMetaTag& t) { out.push_back(t); };
  ScanHead(html, sink);
  return out;
}

}  // namespace

TEST(Normalize, SpacesQuotesAndLines) {
  EXPECT_EQ(Normalize("a  href = \"x.html\"\r\n b,c", true, false), "a href=x.html  b c");
  EXPECT_EQ(Normalize("a\nb\tc", false, true), "a bc");
  EXPECT_EQ(Normalize("name=\"v\"", false, true), "name=\"v\"");
  EXPECT_EQ(Normalize(std::string("\x01\x02\x1f", 3), true, false), "");
  EXPECT_EQ(Normalize("", true, false), "");
}

TEST(PlaceMarkers, CodesAndOverlaps) {
  std::string t = "<a href=x>";
  EXPECT_TRUE(PlaceMarkers(t));
  EXPECT_EQ(t, std::string("<\x0e href\x04x>"));
  t = "<base href=/b/>";
  PlaceMarkers(t);
  EXPECT_EQ(t, std::string("<base href\x07/b/>"));  // the later keyword wins on the shared "="
  t = "<<a";                                        // a failed match restarts with the character as a first one
  PlaceMarkers(t);
  EXPECT_EQ(t, std::string("<<\x0e"));
  t = "nothing here";
  EXPECT_FALSE(PlaceMarkers(t));
  EXPECT_EQ(t, "nothing here");
}

TEST(ExtractLinks, ValuesKindsAndRefusals) {
  EXPECT_EQ(Links("<a href=\"x.html\">text</a>"), (std::vector<Found>{{4, "x.html"}}));
  EXPECT_EQ(Links("<img src='pic.gif'>"), (std::vector<Found>{{6, "pic.gif"}}));
  EXPECT_EQ(Links("<a\nhref=\"x.html\">x</a>"), std::vector<Found>{});
  EXPECT_EQ(Links("<a href=\"my page.html\">x</a>"), (std::vector<Found>{{4, "my"}}));
  EXPECT_EQ(Links("<a href=\"javascript:openwin( 'pop.html',3)\">x</a>"), (std::vector<Found>{{4, "pop.html"}}));
  EXPECT_EQ(Links("<base href=\"http://site.test/docs/\"><a href=a.html>"),
            (std::vector<Found>{{7, "http://site.test/docs/"}, {4, "a.html"}}));
  EXPECT_EQ(Links("<option value=\"/shop/list.html\">x</option><option value=\"12\">y</option>"),
            (std::vector<Found>{{5, "/shop/list.html"}}));
  EXPECT_EQ(Links("<a href=\"x.html\" onclick=top.WINDOW.close()>"), (std::vector<Found>{{4, "x.html"}}));
  for (const char* bad : {"<a href=top.window.html>", "<a href=a+b.html>", "<a href=a[1].html>", "<a href==>"})
    EXPECT_EQ(Links(bad), std::vector<Found>{}) << bad;
  EXPECT_EQ(Links("<a href=\"unterminated"), std::vector<Found>{});
  EXPECT_EQ(Links("<frame src=f.html></frame>"), (std::vector<Found>{{6, "f.html"}}));

  // Stopping ends the walk before the next value is handed over.
  std::string body = Normalize("<a href=1.html> <a href=2.html>", true, false);
  PlaceMarkers(body);
  int calls = 0;
  ExtractLinks(
      body, [&] { return calls > 0; }, [&](unsigned char, std::string_view) { ++calls; });
  EXPECT_EQ(calls, 1);
}

TEST(ScanHead, TitleMetaTagsAndRefresh) {
  std::string title;
  auto tags = Tags(
      "<html><HEAD><title>Die Seite</title>\n<META NAME=\"keywords\" CONTENT=\"Alpha Beta\">"
      "<meta name=\"x\" content=\"y\" />\n<link rel=stylesheet href=s.css></head><body>",
      &title);
  EXPECT_EQ(title, "Die Seite");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].TagType, "META");
  EXPECT_EQ(tags[0].Attrib[0], "NAME");
  EXPECT_EQ(tags[0].Value[0], "keywords");
  EXPECT_EQ(tags[0].Attrib[1], "CONTENT");
  EXPECT_EQ(tags[0].Value[1], "Alpha Beta");
  EXPECT_TRUE(tags[0].Complete);
  EXPECT_FALSE(tags[1].Complete);  // the space before "/" closes the value
  EXPECT_EQ(tags[2].TagType, "LINK");
  EXPECT_EQ(tags[2].Value[1], "S.CSS");  // unquoted values are upper-cased
  EXPECT_TRUE(tags[2].Complete);

  EXPECT_TRUE(Tags("<title>x</title><meta name=a content=b>").empty());  // no head, nothing

  auto refresh = Tags("<head><meta http-equiv=\"refresh\" content=\"0; URL=next.html\"></head>");
  ASSERT_EQ(refresh.size(), 1u);
  EXPECT_EQ(RefreshTarget(refresh[0]), "next.html");
  EXPECT_EQ(RefreshTarget(Tags("<head><meta http-equiv=\"refresh\" content=\"0; url=next.html\"></head>")[0]), "");
  EXPECT_EQ(RefreshTarget(Tags("<head><meta http-equiv=refresh content=0;url=n.html></head>")[0]), "N.HTML");
}

TEST(Scanner, HostileInputIsHarmless) {
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary.push_back(char(i * 131 % 256));
  Links(binary);
  Tags(binary);
  EXPECT_EQ(Links("<a href=" + std::string(100000, 'x') + ">").at(0).value.size(), 100000u);
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "<a href=p" + std::to_string(i) + ".html>";
  EXPECT_EQ(Links(many).size(), 200000u);
  Tags("<head><meta " + std::string(50000, '=') + std::string(50000, '"') + "</head>");
}

TEST(PlaceMarkers, AgreesWithTheProgressCounters) {
  // Random text made of the keywords' letters, pieces of keywords and filler.
  const std::string alphabet = " hrefHREF=srcSRC<a/A>frameFRAMEopenwinOPENWIN(baseBASEoptionvalueVALUEappletxyz.,";
  const char* pieces[] = {
      " href=",     " SRC=",   "<a",       "/a>",     "a/>",      "<frame",  "</FRAME",    "openwin( ",
      "base href=", "<option", "/option>", "<applet", "/applet>", " value=", "          ", "xxxxxxxxxxxxxxxx"};
  std::mt19937 rng(3);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int parts = int(rng() % 40);
    for (int p = 0; p < parts; ++p) {
      if (rng() % 3 == 0)
        text += pieces[rng() % 16];
      else
        text.push_back(alphabet[rng() % alphabet.size()]);
    }
    std::string windowed = text, everywhere = text;
    const bool a = PlaceMarkers(windowed), b = PlaceMarkersEverywhere(everywhere);
    ASSERT_EQ(windowed, everywhere) << text;
    ASSERT_EQ(a, b);
  }
}

TEST(Normalize, FastPathsAgreeWithTheRules) {
  // The rules applied one byte at a time, as plainly as they read.
  auto reference = [](const std::string& text, bool quoteMode, bool lineMode) {
    std::string out;
    char previous = 'X';
    for (std::size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (static_cast<unsigned char>(c) < 32) {
        if (c == '\n' && lineMode)
          c = ' ';
        else
          continue;
      } else if (quoteMode && (c == '"' || c == '\'' || c == ',')) {
        c = ' ';
      }
      const char next = i + 1 < text.size() ? text[i + 1] : '\0';
      if (c == ' ' && (previous == '=' || next == ' ' || next == '=')) continue;
      out.push_back(c);
      previous = c;
    }
    return out;
  };
  const std::string alphabet = "abcdefgh  ==\"',\n\r\t<>/xyzXYZ\xe4\xfc";
  std::mt19937 rng(5);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = int(rng() % 64);
    for (int i = 0; i < n; ++i) text.push_back(rng() % 4 ? alphabet[rng() % 8] : alphabet[rng() % alphabet.size()]);
    for (int mode = 0; mode < 4; ++mode)
      ASSERT_EQ(Normalize(text, mode & 1, mode & 2), reference(text, mode & 1, mode & 2)) << text << " " << mode;
  }
}

TEST(PageCharset, HeaderThenMetaThenValidUtf8ThenWindows1252) {
  const std::string utf8 =
                        "B\xc3\xa4"
                        "ckerei",
                    cp1252 =
                        "B\xe4"
                        "ckerei";
  struct Case {
    std::string text, contentType, expected;
  };
  const Case cases[] = {
      {"<head><title>" + utf8 + "</title></head>", "text/html", "<head><title>" + cp1252 + "</title></head>"},
      {cp1252, "text/html", cp1252},                  // not UTF-8: taken as it is
      {utf8, "text/html; charset=ISO-8859-1", utf8},  // the header's set is believed
      {utf8, "text/html; Charset=\"UTF-8\"", cp1252},
      {"<meta charset=\"utf-8\">" + utf8, "text/html", "<meta charset=\"utf-8\">" + cp1252},
      {"<meta http-equiv=content-type content=\"text/html; charset=windows-1252\">" + utf8, "text/html",
       "<meta http-equiv=content-type content=\"text/html; charset=windows-1252\">" + utf8},
      {"<meta charset=utf-8>" + utf8, "text/html; charset=latin1", "<meta charset=utf-8>" + utf8},   // header first
      {"<script charset=latin1></script>" + utf8, "", "<script charset=latin1></script>" + cp1252},  // not a META tag
      {"<meta charset=iso-8859-2>\xb9", "", "<meta charset=iso-8859-2>\x9a"},  // s with caron, via the decoder
      {"\xe2\x82\xac \xd0\x96", "text/html; charset=bogus", "\x80 ?"},         // unknown set: valid UTF-8; no 1252 form
  };
  for (const auto& c : cases) EXPECT_EQ(PageTextToCp1252(c.text, c.contentType), c.expected) << c.text;
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("ab\xc3"));        // cut short
  EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80"));
  EXPECT_EQ(HeadPart("<html><head><title>x</title></HEAD><body>"), "<html><head><title>x</title></HEAD>");
  EXPECT_EQ(HeadPart("<html><body>"), "");
}
