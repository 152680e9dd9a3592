#pragma once
// The meta-tag generator's rules without a window: the six choice lists, the saved inputs in
// "metatags.met", the required-field checks and the <head> block built from the inputs.
// The generator window and `meldewerk-cli metatags` both work through this class.

#include <array>
#include <string>
#include <vector>

#include "store/ProgramFolder.h"

namespace mw {

// The six choice lists, in the order they are loaded.
enum class ChoiceList { Topic = 0, Type, Audience, Revisit, Language, Robots };
constexpr int kChoiceListCount = 6;

// The list file of a choice list, such as "pagetopic.ini".
const char* ChoiceListFile(ChoiceList list);

struct MetaTagDate {
  int year = 2005;
  int month = 3;
  int day = 22;
  bool operator==(const MetaTagDate&) const = default;
};

// "2005-03-22": the content of the "date" and "DC.Date" lines.
std::string IsoDateText(const MetaTagDate& date);
// "22.03.2005": the form kept in "metatags.met".
std::string SavedDateText(const MetaTagDate& date);
// Reads day.month.year with a two- or four-digit year (two digits: 00-49 are 20xx, 50-99
// 19xx); false for anything that is not a real calendar date.
bool ParseSavedDate(const std::string& text, MetaTagDate& date);

// Everything the user enters in the generator window. Texts are Windows-1252, untrimmed.
// A choice index outside its list (or -1) means no selection, which counts as "DEFAULT".
struct MetaTagInputs {
  std::string title, author, copyright, publisher, description, keywords;
  std::array<int, kChoiceListCount> choice{};  // selected entry of each list, in ChoiceList order
  bool dateUsed = false, expiresUsed = false, dublinCore = false;
  MetaTagDate date, expires;

  int& Choice(ChoiceList list) { return choice[static_cast<int>(list)]; }
  int Choice(ChoiceList list) const { return choice[static_cast<int>(list)]; }
};

class MetaTagGenerator {
 public:
  static constexpr int kSavedLineCount = 18;

  explicit MetaTagGenerator(ProgramFolder folder) : folder_(std::move(folder)) {}

  // Reads the six list files in their order. At the first one that cannot be read it stops
  // with the error naming the file; that list and the later ones stay empty.
  bool LoadLists(std::string* error);
  const std::vector<std::string>& ListLines(ChoiceList list) const { return lists_[static_cast<int>(list)]; }
  // What a choice box shows: the text after "|" of each line, trimmed; one entry per line.
  std::vector<std::string> DisplayTexts(ChoiceList list) const;
  // The value before "|" of entry `index`, trimmed; empty when the entry counts as "DEFAULT"
  // (in any letter case) or `index` lies outside the list.
  std::string ChoiceContent(ChoiceList list, int index) const;

  std::string InputsFile() const { return folder_.File("metatags.met"); }
  bool InputsFileExists() const;
  // The 18 lines of "metatags.met", replaced atomically.
  bool SaveInputs(const MetaTagInputs& inputs, std::string* error) const;
  // Reads "metatags.met" into `inputs`. A file with fewer than 18 lines, an index that is not a
  // whole number or a date that cannot be read is refused with a message naming the file and
  // the line, and `inputs` is left as it was.
  bool LoadInputs(MetaTagInputs& inputs, std::string* error) const;

  // The message for the first required field that is empty after trimming blanks, in the
  // order title, author, copyright, publisher, description, keywords; empty when all are
  // filled. UTF-8.
  static std::string MissingFieldMessage(const MetaTagInputs& inputs);

  // The <head> block, one line each, Windows-1252.
  std::vector<std::string> Generate(const MetaTagInputs& inputs) const;

 private:
  ProgramFolder folder_;
  std::array<std::vector<std::string>, kChoiceListCount> lists_;
};

}  // namespace mw
