// The generator's rules without a window: the block, the required fields, "metatags.met" and
// the shipped choice lists.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "MetaTagFixture.h"
#include "common/Files.h"

using mw::ChoiceList;
using mw::MetaTagGenerator;
using mw::MetaTagInputs;
using namespace std::string_literals;

// Every line the test inputs can produce: dates, every choice and Dublin Core.
const std::vector<std::string> kFullBlock = {
    "<head>",
    "<title>T</title>",
    R"(<meta name="description" content="D">)",
    R"(<meta name="keywords" content="K">)",
    R"(<meta name="title" content="T">)",
    R"(<meta name="author" content="A">)",
    R"(<meta name="publisher" content="P">)",
    R"(<meta name="copyright" content="C">)",
    R"(<meta name="date" content="2005-03-22">)",
    R"(<meta name="abstract" content="D">)",
    R"(<meta name="page-topic" content="Reisen">)",
    R"(<meta name="page-type" content="Shop">)",
    R"(<meta name="audience" content="Alle">)",
    R"(<meta name="revisit" content="7 days">)",
    R"(<meta name="robots" content="noindex, follow">)",
    R"(<meta name="language" content="de-AT">)",
    R"(<meta name="DC.Title" content="T">)",
    R"(<meta name="DC.Creator" content="A">)",
    R"(<meta name="DC.Subject" content="Reisen">)",
    R"(<meta name="DC.Description" content="D">)",
    R"(<meta name="DC.Publisher" content="P">)",
    R"(<meta name="DC.Date" content="2005-03-22">)",
    R"(<meta name="DC.Type" content="Text">)",
    R"(<meta name="DC.Format" content="text/html">)",
    R"(<meta name="DC.Language" content="de-AT">)",
    R"(<meta name="DC.Rights" content="C">)",
    R"(<meta http-equiv="content-Type" content="text/html; charset=iso-8859-1">)",
    R"(<meta name="generator" content="Meldewerk">)",
    "</head>"};

TEST(MetaTagGenerator, BlockFollowsTheChoicesAndBoxes) {
  mwtest::MetaTagFolder f;
  MetaTagGenerator generator(f.dir.Folder());
  ASSERT_TRUE(generator.LoadLists(nullptr));
  MetaTagInputs in = mwtest::FilledInputs();
  in.dateUsed = in.dublinCore = true;
  in.choice = {2, 1, 1, 1, 2, 1};
  EXPECT_EQ(generator.Generate(in), kFullBlock);

  // Without the boxes and with every choice at "DEFAULT" (also written "default", or an index
  // outside its list) the block keeps the twelve lines that are always there.
  std::vector<std::string> twelve;
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 9, 26, 27, 28}) twelve.push_back(kFullBlock[n]);
  for (const auto choice : {std::array{0, 0, 0, 0, 0, 0}, std::array{1, 0, 0, 0, 99, -1}}) {
    in = mwtest::FilledInputs();
    in.choice = choice;
    EXPECT_EQ(generator.Generate(in), twelve);
  }

  in.expiresUsed = in.dublinCore = true;
  in.expires = {2006, 1, 9};
  in.title = " Say \"hi\"";
  in.description = "ab 5 \x80 \"netto\" &amp; <mehr>";
  const auto lines = generator.Generate(in);
  EXPECT_EQ(lines[1], "<title> Say \"hi\"</title>");  // the title line keeps the text as typed
  EXPECT_EQ(lines[2], "<meta name=\"description\" content=\"ab 5 \x80 &quot;netto&quot; &amp; <mehr>\">");
  EXPECT_EQ(lines[4], "<meta name=\"title\" content=\" Say &quot;hi&quot;\">");
  EXPECT_EQ(lines[8], "<meta name=\"expires\" content=\"2006-01-09\">");
  EXPECT_EQ(lines.size(), 20u);  // no Dublin Core line for the expiry date
}

TEST(MetaTagGenerator, RequiredFieldsAreCheckedInOrderAfterTrimming) {
  const std::pair<std::string MetaTagInputs::*, const char*> fields[] = {
      {&MetaTagInputs::title, "Bitte geben Sie einen Titel ein!"},
      {&MetaTagInputs::author, "Bitte geben Sie einen Autor ein!"},
      {&MetaTagInputs::copyright, "Bitte geben Sie ein Copyright ein!"},
      {&MetaTagInputs::publisher, "Bitte geben Sie einen Herausgeber ein!"},
      {&MetaTagInputs::description, "Bitte geben Sie eine Beschreibung ein!"},
      {&MetaTagInputs::keywords, "Bitte geben Sie Suchwörter ein!"}};
  MetaTagInputs all = mwtest::FilledInputs();
  for (auto it = std::rbegin(fields); it != std::rend(fields); ++it) {
    all.*(it->first) = " \t ";  // emptied from the last field to the first: the first empty one is named
    EXPECT_EQ(MetaTagGenerator::MissingFieldMessage(all), it->second);
  }
  MetaTagInputs in = mwtest::FilledInputs();
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
  in.dateUsed = in.dublinCore = true;
  in.expires = {1999, 12, 31};
  ASSERT_TRUE(generator.SaveInputs(in, nullptr));
  const auto lines = mw::SplitLines(f.dir.Read("metatags.met"));
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(f.dir.Read("metatags.met").substr(0, 24), "[METATTAGS]\r\ntitle=A=B\r\n");
  EXPECT_EQ(lines[3] + lines[6] + lines[7] + lines[9] + lines[17],
            "topic=3dateexists=truedate=22.03.2005expires=31.12.1999dublin=true");

  MetaTagInputs back;
  ASSERT_TRUE(generator.LoadInputs(back, nullptr));
  EXPECT_EQ(back.title + "|" + back.author + "|" + back.keywords, "A=B| =x= |");
  EXPECT_EQ(back.description, in.description);
  EXPECT_EQ(back.choice, in.choice);
  EXPECT_EQ(back.expires, in.expires);
  EXPECT_TRUE(back.dateUsed && back.dublinCore && !back.expiresUsed);
}

TEST(MetaTagGenerator, ReadsOlderFilesAndRefusesDamagedOnes) {
  mwtest::MetaTagFolder f;
  MetaTagGenerator generator(f.dir.Folder());
  // Two-digit years, a flag in capitals (off), LF line ends and a line too many.
  std::vector<std::string> lines = mwtest::SavedLines();
  lines[6] = "dateexists=TRUE";
  lines[7] = "date=1.3.05";
  lines[9] = "expires=31.12.99";
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  f.dir.Write("metatags.met", text + "extra\n");
  MetaTagInputs in;
  ASSERT_TRUE(generator.LoadInputs(in, nullptr));
  EXPECT_FALSE(in.dateUsed);
  EXPECT_EQ(in.date, (mw::MetaTagDate{2005, 3, 1}));
  EXPECT_EQ(in.expires, (mw::MetaTagDate{1999, 12, 31}));

  const std::tuple<int, const char*, const char*> damages[] = {
      {17, nullptr, "Zeile 18 fehlt"},
      {3, "topic=abc", "Zeile 4: 'abc' ist kein gültiger Integerwert"},
      {14, "robots=", "Zeile 15: '' ist kein gültiger Integerwert"},
      {7, "date=31.02.2005", "Zeile 8: '31.02.2005' ist kein gültiges Datum"},
      {9, "expires=2005-03-22", "Zeile 10: '2005-03-22' ist kein gültiges Datum"}};
  for (const auto& [line, damaged, message] : damages) {
    lines = mwtest::SavedLines();
    if (damaged)
      lines[line] = damaged;
    else
      lines.resize(line);
    f.dir.Write("metatags.met", mw::JoinLinesCrLf(lines));
    MetaTagInputs kept = mwtest::FilledInputs();
    std::string error;
    EXPECT_FALSE(generator.LoadInputs(kept, &error));
    EXPECT_NE(error.find(generator.InputsFile()), std::string::npos) << error;
    EXPECT_NE(error.find(message), std::string::npos) << error;
    EXPECT_EQ(kept.title, "T") << message;
  }
}

TEST(MetaTagGenerator, OddListLinesLoadWithoutHarm) {
  mwtest::MetaTagFolder f;
  f.dir.Write("pagerevisit.ini", "no bar\r\n\0\xff\x01|\x02Z\r\n|\r\n"s);
  MetaTagGenerator generator(f.dir.Folder());
  ASSERT_TRUE(generator.LoadLists(nullptr));
  EXPECT_EQ(generator.DisplayTexts(ChoiceList::Revisit), (std::vector<std::string>{"", "Z", ""}));
  EXPECT_EQ(generator.ChoiceContent(ChoiceList::Revisit, 0), "no bar");
  EXPECT_EQ(generator.ChoiceContent(ChoiceList::Revisit, 2), "");
}

TEST(ShippedLists, AreWindows1252WithCrLfAndStartWithDefault) {
  const std::string shipped = QCoreApplication::applicationDirPath().toStdString() + "/";
  MetaTagGenerator generator{mw::ProgramFolder(shipped)};
  std::string error;
  ASSERT_TRUE(generator.LoadLists(&error)) << error;
  for (int i = 0; i < mw::kChoiceListCount; ++i) {
    const auto list = static_cast<ChoiceList>(i);
    const char* name = mw::ChoiceListFile(list);
    std::string raw;
    ASSERT_TRUE(mw::ReadWholeFile(shipped + name, raw));
    const auto& lines = generator.ListLines(list);
    ASSERT_GE(lines.size(), 5u) << name;
    EXPECT_EQ(lines[0], "DEFAULT | keine Angaben") << name;
    EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), std::ptrdiff_t(lines.size())) << name;
    EXPECT_EQ(std::count(raw.begin(), raw.end(), '\r'), std::ptrdiff_t(lines.size())) << name;
    EXPECT_EQ(raw.find('\xc3'), std::string::npos) << name << " holds UTF-8";
    for (std::size_t n = 1; n < lines.size(); ++n)
      EXPECT_FALSE(generator.ChoiceContent(list, int(n)).empty() || generator.DisplayTexts(list)[n].empty())
          << lines[n];
  }
  EXPECT_GE(generator.ListLines(ChoiceList::Topic).size(), 41u);
  const auto& languages = generator.ListLines(ChoiceList::Language);
  EXPECT_NE(std::find(languages.begin(), languages.end(), "de-AT | Deutsch (\xd6sterreich)"), languages.end());
}
