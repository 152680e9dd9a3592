#include "metatags/MetaTagGenerator.h"

#include <algorithm>
#include <cstdio>

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {

const char* const kListFiles[kChoiceListCount] = {"pagetopic.ini",   "pagetype.ini",     "pageaudience.ini",
                                                  "pagerevisit.ini", "pagelanguage.ini", "pagerobots.ini"};

// Line numbers of "metatags.met" (counted from 0; line 0 is the header).
enum SavedLine {
  kTitle = 1,
  kAuthor,
  kTopic,
  kCopyright,
  kPublisher,
  kDateExists,
  kDate,
  kExpiresExists,
  kExpires,
  kType,
  kAudience,
  kRevisit,
  kLanguage,
  kRobots,
  kDescription,
  kKeywords,
  kDublin
};

struct SavedChoice {
  SavedLine line;
  ChoiceList list;
};
const SavedChoice kSavedChoices[] = {{kTopic, ChoiceList::Topic},       {kType, ChoiceList::Type},
                                     {kAudience, ChoiceList::Audience}, {kRevisit, ChoiceList::Revisit},
                                     {kLanguage, ChoiceList::Language}, {kRobots, ChoiceList::Robots}};

const char* Flag(bool on) {
  return on ? "true" : "false";
}

// The value of a saved line: everything after its first "=", so a text holding "=" comes back whole.
std::string SavedValue(const std::string& line) {
  const std::size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

bool DigitsOnly(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsLeapYear(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// A double quote would end the attribute early; everything else stays as typed, so entities
// the user wrote on purpose survive.
std::string AttributeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::string MetaLine(const std::string& name, const std::string& content) {
  return "<meta name=\"" + name + "\" content=\"" + AttributeText(content) + "\">";
}

std::string LineError(const std::string& file, int line, const std::string& what) {
  return "Datei " + file + ", Zeile " + std::to_string(line) + ": " + what;
}

}  // namespace

const char* ChoiceListFile(ChoiceList list) {
  return kListFiles[static_cast<int>(list)];
}

std::string IsoDateText(const MetaTagDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::string SavedDateText(const MetaTagDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
  return text;
}

bool ParseSavedDate(const std::string& text, MetaTagDate& date) {
  const std::string t = Trim(text);
  if (std::count(t.begin(), t.end(), '.') != 2) return false;
  const std::size_t a = t.find('.'), b = t.find('.', a + 1);
  const std::string d = t.substr(0, a), m = t.substr(a + 1, b - a - 1), y = t.substr(b + 1);
  if (!DigitsOnly(d) || !DigitsOnly(m) || !DigitsOnly(y)) return false;
  if (d.size() > 2 || m.size() > 2 || (y.size() != 2 && y.size() != 4)) return false;
  MetaTagDate r{std::stoi(y), std::stoi(m), std::stoi(d)};
  if (y.size() == 2) r.year += r.year < 50 ? 2000 : 1900;
  if (r.year < 1 || r.month < 1 || r.month > 12 || r.day < 1 || r.day > DaysInMonth(r.year, r.month)) return false;
  date = r;
  return true;
}

bool MetaTagGenerator::LoadLists(std::string* error) {
  for (auto& list : lists_) list.clear();
  for (int i = 0; i < kChoiceListCount; ++i) {
    std::vector<std::string> lines;
    if (!ReadLineFile(folder_.File(kListFiles[i]), lines, error)) return false;
    lists_[i] = std::move(lines);
  }
  return true;
}

std::vector<std::string> MetaTagGenerator::DisplayTexts(ChoiceList list) const {
  std::vector<std::string> texts;
  for (const auto& line : ListLines(list)) texts.push_back(Trim(ExtractWord(2, line, "|")));
  return texts;
}

std::string MetaTagGenerator::ChoiceContent(ChoiceList list, int index) const {
  const auto& lines = ListLines(list);
  if (index < 0 || index >= static_cast<int>(lines.size())) return {};
  std::string value = Trim(ExtractWord(1, lines[index], "|"));
  return UpperCase(value) == "DEFAULT" ? std::string() : value;
}

bool MetaTagGenerator::InputsFileExists() const {
  return FileExists(InputsFile());
}

bool MetaTagGenerator::SaveInputs(const MetaTagInputs& in, std::string* error) const {
  std::vector<std::string> lines(kSavedLineCount);
  lines[0] = "[METATTAGS]";
  lines[kTitle] = "title=" + in.title;
  lines[kAuthor] = "author=" + in.author;
  lines[kCopyright] = "copyright=" + in.copyright;
  lines[kPublisher] = "publisher=" + in.publisher;
  lines[kDateExists] = std::string("dateexists=") + Flag(in.dateUsed);
  lines[kDate] = "date=" + SavedDateText(in.date);
  lines[kExpiresExists] = std::string("expiresexists=") + Flag(in.expiresUsed);
  lines[kExpires] = "expires=" + SavedDateText(in.expires);
  const char* const choiceKeys[] = {"topic=", "type=", "audience=", "revisit=", "language=", "robots="};
  for (int i = 0; i < kChoiceListCount; ++i)
    lines[kSavedChoices[i].line] = choiceKeys[i] + std::to_string(in.Choice(kSavedChoices[i].list));
  lines[kDescription] = "description=" + in.description;
  lines[kKeywords] = "keywords=" + in.keywords;
  lines[kDublin] = std::string("dublin=") + Flag(in.dublinCore);
  return WriteLineFile(InputsFile(), lines, error);
}

bool MetaTagGenerator::LoadInputs(MetaTagInputs& inputs, std::string* error) const {
  const std::string file = InputsFile();
  std::vector<std::string> lines;
  if (!ReadLineFile(file, lines, error)) return false;
  const auto fail = [&](const std::string& message) {
    if (error) *error = message;
    return false;
  };
  if (lines.size() < kSavedLineCount)
    return fail("Datei " + file + ", Zeile " + std::to_string(lines.size() + 1) + " fehlt; die Datei hat nur " +
                std::to_string(lines.size()) + " von " + std::to_string(kSavedLineCount) + " Zeilen.");

  MetaTagInputs r = inputs;
  const auto value = [&](SavedLine line) { return SavedValue(lines[line]); };
  r.title = value(kTitle);
  r.author = value(kAuthor);
  r.copyright = value(kCopyright);
  r.publisher = value(kPublisher);
  r.description = value(kDescription);
  r.keywords = value(kKeywords);
  r.dateUsed = value(kDateExists) == "true";
  r.expiresUsed = value(kExpiresExists) == "true";
  r.dublinCore = value(kDublin) == "true";
  for (const auto& c : kSavedChoices)
    if (!TryStrToInt(value(c.line), r.Choice(c.list)))
      return fail(LineError(file, c.line + 1, NotAnIntegerMessage(Cp1252ToUtf8(value(c.line)))));
  for (auto [line, date] : {std::pair{kDate, &r.date}, std::pair{kExpires, &r.expires}})
    if (!ParseSavedDate(value(line), *date))
      return fail(LineError(file, line + 1, "'" + Cp1252ToUtf8(value(line)) + "' ist kein g\xc3\xbcltiges Datum"));
  inputs = std::move(r);
  return true;
}

std::string MetaTagGenerator::MissingFieldMessage(const MetaTagInputs& in) {
  const std::pair<const std::string*, const char*> required[] = {
      {&in.title, "Bitte geben Sie einen Titel ein!"},
      {&in.author, "Bitte geben Sie einen Autor ein!"},
      {&in.copyright, "Bitte geben Sie ein Copyright ein!"},
      {&in.publisher, "Bitte geben Sie einen Herausgeber ein!"},
      {&in.description, "Bitte geben Sie eine Beschreibung ein!"},
      {&in.keywords, "Bitte geben Sie Suchw\xc3\xb6rter ein!"}};
  for (const auto& [text, message] : required)
    if (Trim(*text).empty()) return message;
  return {};
}

std::vector<std::string> MetaTagGenerator::Generate(const MetaTagInputs& in) const {
  std::vector<std::string> out;
  const auto choice = [&](const char* name, ChoiceList list) {
    const std::string content = ChoiceContent(list, in.Choice(list));
    if (!content.empty()) out.push_back(MetaLine(name, content));
  };
  out.push_back("<head>");
  out.push_back("<title>" + in.title + "</title>");
  out.push_back(MetaLine("description", in.description));
  out.push_back(MetaLine("keywords", in.keywords));
  out.push_back(MetaLine("title", in.title));
  out.push_back(MetaLine("author", in.author));
  out.push_back(MetaLine("publisher", in.publisher));
  out.push_back(MetaLine("copyright", in.copyright));
  if (in.dateUsed) out.push_back(MetaLine("date", IsoDateText(in.date)));
  if (in.expiresUsed) out.push_back(MetaLine("expires", IsoDateText(in.expires)));
  out.push_back(MetaLine("abstract", in.description));
  choice("page-topic", ChoiceList::Topic);
  choice("page-type", ChoiceList::Type);
  choice("audience", ChoiceList::Audience);
  choice("revisit", ChoiceList::Revisit);
  choice("robots", ChoiceList::Robots);
  choice("language", ChoiceList::Language);
  if (in.dublinCore) {
    out.push_back(MetaLine("DC.Title", in.title));
    out.push_back(MetaLine("DC.Creator", in.author));
    choice("DC.Subject", ChoiceList::Topic);
    out.push_back(MetaLine("DC.Description", in.description));
    out.push_back(MetaLine("DC.Publisher", in.publisher));
    if (in.dateUsed) out.push_back(MetaLine("DC.Date", IsoDateText(in.date)));
    out.push_back(MetaLine("DC.Type", "Text"));
    out.push_back(MetaLine("DC.Format", "text/html"));
    choice("DC.Language", ChoiceList::Language);
    out.push_back(MetaLine("DC.Rights", in.copyright));
  }
  out.push_back("<meta http-equiv=\"content-Type\" content=\"text/html; charset=iso-8859-1\">");
  out.push_back(MetaLine("generator", "Meldewerk"));
  out.push_back("</head>");
  return out;
}

}  // namespace mw
