// The generator's rules without a window: the block, the required fields, "metatags.met" and
// the shipped choice lists.
#include <gtest/gtest.h>

#include <functional>

#include "MetaTagFixture.h"
#include "common/Files.h"

using mw::ChoiceList;
using mw::MetaTagGenerator;
using mw::MetaTagInputs;
using namespace std::string_literals;

namespace {

const std::vector<std::string> kTwelveLines = {
    "<head>",
    "<title>T</title>",
    "<meta name=\"description\" content=\"D\">",
    "<meta name=\"keywords\" content=\"K\">",
    "<meta name=\"title\" content=\"T\">",
    "<meta name=\"author\" content=\"A\">",
    "<meta name=\"publisher\" content=\"P\">",
    "<meta name=\"copyright\" content=\"C\">",
    "<meta name=\"abstract\" content=\"D\">",
    "<meta http-equiv=\"content-Type\" content=\"text/html; charset=iso-8859-1\">",
    "<meta name=\"generator\" content=\"Meldewerk\">",
    "</head>"};

}  // namespace

TEST(MetaTagGenerator, BlockFollowsTheChoicesAndBoxes) {
  mwtest::MetaTagFolder f;
  f.WriteLists();
  MetaTagGenerator generator(f.dir.Folder());
  ASSERT_TRUE(generator.LoadLists(nullptr));

  struct Case {
    const char* name;
    std::function<void(MetaTagInputs&)> change;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"every choice at DEFAULT, no box ticked", [](MetaTagInputs&) {}, kTwelveLines},
      {"a value written \"default\" and indices beyond the lists count as DEFAULT",
       [](MetaTagInputs& in) {
         in.Choice(ChoiceList::Topic) = 1;
         in.Choice(ChoiceList::Language) = 99;
         in.Choice(ChoiceList::Robots) = -1;
       },
       kTwelveLines},
      {"date and Dublin Core give the date twice, every choice in its place",
       [](MetaTagInputs& in) {
         in.dateUsed = in.dublinCore = true;
         in.date = {2005, 3, 22};
         in.expires = {2031, 12, 1};  // not used: its box is unticked
         in.Choice(ChoiceList::Topic) = 2;
         in.Choice(ChoiceList::Type) = 1;
         in.Choice(ChoiceList::Audience) = 1;
         in.Choice(ChoiceList::Revisit) = 1;
         in.Choice(ChoiceList::Language) = 2;
         in.Choice(ChoiceList::Robots) = 1;
       },
       {"<head>",
        "<title>T</title>",
        "<meta name=\"description\" content=\"D\">",
        "<meta name=\"keywords\" content=\"K\">",
        "<meta name=\"title\" content=\"T\">",
        "<meta name=\"author\" content=\"A\">",
        "<meta name=\"publisher\" content=\"P\">",
        "<meta name=\"copyright\" content=\"C\">",
        "<meta name=\"date\" content=\"2005-03-22\">",
        "<meta name=\"abstract\" content=\"D\">",
        "<meta name=\"page-topic\" content=\"Reisen\">",
        "<meta name=\"page-type\" content=\"Shop\">",
        "<meta name=\"audience\" content=\"Alle\">",
        "<meta name=\"revisit\" content=\"7 days\">",
        "<meta name=\"robots\" content=\"noindex, follow\">",
        "<meta name=\"language\" content=\"de-AT\">",
        "<meta name=\"DC.Title\" content=\"T\">",
        "<meta name=\"DC.Creator\" content=\"A\">",
        "<meta name=\"DC.Subject\" content=\"Reisen\">",
        "<meta name=\"DC.Description\" content=\"D\">",
        "<meta name=\"DC.Publisher\" content=\"P\">",
        "<meta name=\"DC.Date\" content=\"2005-03-22\">",
        "<meta name=\"DC.Type\" content=\"Text\">",
        "<meta name=\"DC.Format\" content=\"text/html\">",
        "<meta name=\"DC.Language\" content=\"de-AT\">",
        "<meta name=\"DC.Rights\" content=\"C\">",
        "<meta http-equiv=\"content-Type\" content=\"text/html; charset=iso-8859-1\">",
        "<meta name=\"generator\" content=\"Meldewerk\">",
        "</head>"}},
  };
  for (const auto& c : cases) {
    MetaTagInputs in = mwtest::FilledInputs();
    c.change(in);
    EXPECT_EQ(generator.Generate(in), c.expected) << c.name;
  }

  // The expiry date alone: its line after the copyright, and no Dublin Core line for it.
  MetaTagInputs in = mwtest::FilledInputs();
  in.expiresUsed = true;
  in.expires = {2006, 1, 9};
  const auto lines = generator.Generate(in);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[8], "<meta name=\"expires\" content=\"2006-01-09\">");
}

TEST(MetaTagGenerator, DoubleQuotesAreEscapedInContentOnly) {
  mwtest::MetaTagFolder f;
  f.WriteLists();
  MetaTagGenerator generator(f.dir.Folder());
  ASSERT_TRUE(generator.LoadLists(nullptr));
  MetaTagInputs in = mwtest::FilledInputs();
  in.title = " Say \"hi\"";
  in.description = "Preise \"ab 5 \x80\" &amp; <mehr>";
  const auto lines = generator.Generate(in);
  EXPECT_EQ(lines[1], "<title> Say \"hi\"</title>");
  EXPECT_EQ(lines[2], "<meta name=\"description\" content=\"Preise &quot;ab 5 \x80&quot; &amp; <mehr>\">");
  EXPECT_EQ(lines[4], "<meta name=\"title\" content=\" Say &quot;hi&quot;\">");
}

TEST(MetaTagGenerator, RequiredFieldsAreCheckedInOrderAfterTrimming) {
  const std::pair<std::string MetaTagInputs::*, const char*> fields[] = {
      {&MetaTagInputs::title, "Bitte geben Sie einen Titel ein!"},
      {&MetaTagInputs::author, "Bitte geben Sie einen Autor ein!"},
      {&MetaTagInputs::copyright, "Bitte geben Sie ein Copyright ein!"},
      {&MetaTagInputs::publisher, "Bitte geben Sie einen Herausgeber ein!"},
      {&MetaTagInputs::description, "Bitte geben Sie eine Beschreibung ein!"},
      {&MetaTagInputs::keywords, "Bitte geben Sie Suchwörter ein!"}};
  for (const auto& [field, message] : fields) {
    MetaTagInputs in = mwtest::FilledInputs();
    in.*field = "   ";
    EXPECT_EQ(MetaTagGenerator::MissingFieldMessage(in), message);
  }
  MetaTagInputs in = mwtest::FilledInputs();
  in.keywords.clear();
  in.author.clear();
  EXPECT_EQ(MetaTagGenerator::MissingFieldMessage(in), "Bitte geben Sie einen Autor ein!");
  in = mwtest::FilledInputs();
  in.title = "  leading blanks";
  EXPECT_EQ(MetaTagGenerator::MissingFieldMessage(in), "");
}

TEST(MetaTagGenerator, SavedInputsComeBackWholeIncludingEqualsSigns) {
  mwtest::MetaTagFolder f;
  MetaTagGenerator generator(f.dir.Folder());
  MetaTagInputs in = mwtest::FilledInputs();
  in.title = "A=B";
  in.author = " =x= ";
  in.description = std::string(100000, 'd');
  in.keywords = "";
  in.choice = {3, -1, 0, 2, 7, 1};
  in.dateUsed = true;
  in.dublinCore = true;
  in.date = {2005, 3, 22};
  in.expires = {1999, 12, 31};
  ASSERT_TRUE(generator.SaveInputs(in, nullptr));

  const std::string text = f.dir.Read("metatags.met");
  const auto lines = mw::SplitLines(text);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(text.substr(0, 24), "[METATTAGS]\r\ntitle=A=B\r\n");
  EXPECT_EQ(lines[3], "topic=3");
  EXPECT_EQ(lines[6], "dateexists=true");
  EXPECT_EQ(lines[7], "date=22.03.2005");
  EXPECT_EQ(lines[8], "expiresexists=false");
  EXPECT_EQ(lines[9], "expires=31.12.1999");
  EXPECT_EQ(lines[11], "audience=0");
  EXPECT_EQ(lines[17], "dublin=true");

  MetaTagInputs back;
  ASSERT_TRUE(generator.LoadInputs(back, nullptr));
  EXPECT_EQ(back.title, "A=B");
  EXPECT_EQ(back.author, " =x= ");
  EXPECT_EQ(back.description, in.description);
  EXPECT_EQ(back.keywords, "");
  EXPECT_EQ(back.choice, in.choice);
  EXPECT_EQ(back.date, in.date);
  EXPECT_EQ(back.expires, in.expires);
  EXPECT_TRUE(back.dateUsed && back.dublinCore && !back.expiresUsed);
}

TEST(MetaTagGenerator, ReadsOlderFilesAndRefusesDamagedOnes) {
  mwtest::MetaTagFolder f;
  MetaTagGenerator generator(f.dir.Folder());
  // Written by an earlier version: LF line ends, two-digit years, flags in other spellings.
  std::vector<std::string> lines = mwtest::SavedLines();
  lines[6] = "dateexists=TRUE";
  lines[7] = "date=1.3.05";
  lines[9] = "expires=31.12.99";
  f.dir.Write("metatags.met", mw::JoinLinesCrLf(lines) + "extra line\n");
  MetaTagInputs in;
  ASSERT_TRUE(generator.LoadInputs(in, nullptr));
  EXPECT_FALSE(in.dateUsed);
  EXPECT_EQ(in.date, (mw::MetaTagDate{2005, 3, 1}));
  EXPECT_EQ(in.expires, (mw::MetaTagDate{1999, 12, 31}));

  struct Damage {
    int line;  // counted from 0; -1 cuts the file to 17 lines
    const char* text;
    const char* message;
  };
  const Damage damages[] = {{-1, "", "Zeile 18 fehlt"},
                            {3, "topic=abc", "Zeile 4: 'abc' ist kein gültiger Integerwert"},
                            {14, "robots=", "Zeile 15: '' ist kein gültiger Integerwert"},
                            {7, "date=31.02.2005", "Zeile 8: '31.02.2005' ist kein gültiges Datum"},
                            {9, "expires=2005-03-22", "Zeile 10: '2005-03-22' ist kein gültiges Datum"}};
  for (const auto& d : damages) {
    lines = mwtest::SavedLines();
    if (d.line < 0)
      lines.pop_back();
    else
      lines[d.line] = d.text;
    f.dir.Write("metatags.met", mw::JoinLinesCrLf(lines));
    MetaTagInputs kept = mwtest::FilledInputs();
    std::string error;
    EXPECT_FALSE(generator.LoadInputs(kept, &error)) << d.message;
    EXPECT_NE(error.find(generator.InputsFile()), std::string::npos) << error;
    EXPECT_NE(error.find(d.message), std::string::npos) << error;
    EXPECT_EQ(kept.title, "T") << "inputs untouched after: " << d.message;
  }
}

TEST(MetaTagGenerator, ListLoadingStopsAtAMissingFileAndSurvivesOddLines) {
  mwtest::MetaTagFolder f;
  f.WriteLists();
  f.dir.Write("pagerevisit.ini", "no bar here\r\n\0\xff\x01|\x02Z\r\n|\r\n"s);
  mw::DeleteFileIfExists(f.dir.Path() + "pagelanguage.ini");
  MetaTagGenerator generator(f.dir.Folder());
  std::string error;
  EXPECT_FALSE(generator.LoadLists(&error));
  EXPECT_NE(error.find(f.dir.Path() + "pagelanguage.ini"), std::string::npos) << error;
  EXPECT_EQ(generator.DisplayTexts(ChoiceList::Revisit), (std::vector<std::string>{"", "Z", ""}));
  EXPECT_EQ(generator.ChoiceContent(ChoiceList::Revisit, 0), "no bar here");
  EXPECT_TRUE(generator.ListLines(ChoiceList::Language).empty());
  EXPECT_TRUE(generator.ListLines(ChoiceList::Robots).empty());
  MetaTagInputs in = mwtest::FilledInputs();
  in.choice = {2, 1, 1, 1, 1, 1};
  EXPECT_EQ(generator.Generate(in).size(), 16u);  // topic, type, audience, revisit; nothing from the lost lists
}

TEST(ShippedLists, AreWindows1252WithCrLfAndStartWithDefault) {
  MetaTagGenerator generator(mw::ProgramFolder(MELDEWERK_DATA_DIR));
  std::string error;
  ASSERT_TRUE(generator.LoadLists(&error)) << error;
  for (int i = 0; i < mw::kChoiceListCount; ++i) {
    const auto list = static_cast<ChoiceList>(i);
    std::string raw;
    ASSERT_TRUE(mw::ReadWholeFile(std::string(MELDEWERK_DATA_DIR) + mw::ChoiceListFile(list), raw));
    const auto& lines = generator.ListLines(list);
    ASSERT_GE(lines.size(), 5u) << mw::ChoiceListFile(list);
    EXPECT_EQ(lines[0], "DEFAULT | keine Angaben");
    std::size_t crlf = 0;
    for (std::size_t p = raw.find("\r\n"); p != std::string::npos; p = raw.find("\r\n", p + 2)) ++crlf;
    EXPECT_EQ(crlf, lines.size()) << mw::ChoiceListFile(list) << ": every line ends in CR LF";
    EXPECT_EQ(raw.find('\xc3'), std::string::npos) << mw::ChoiceListFile(list) << " holds UTF-8";
    for (std::size_t n = 1; n < lines.size(); ++n) {
      EXPECT_FALSE(generator.ChoiceContent(list, int(n)).empty()) << lines[n];
      EXPECT_FALSE(generator.DisplayTexts(list)[n].empty()) << lines[n];
    }
  }
  EXPECT_GE(generator.ListLines(ChoiceList::Topic).size(), 41u);
  const auto languages = generator.ListLines(ChoiceList::Language);
  EXPECT_NE(std::find(languages.begin(), languages.end(), "de-AT | Deutsch (\xd6sterreich)"), languages.end());
}
