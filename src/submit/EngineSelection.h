#pragma once
// The rules behind the engine lists of steps 3 and 4 and the page list shown on step 4, kept
// apart from the widgets so they can be tested on their own.

#include <string>
#include <vector>

#include "store/PageList.h"

namespace mw {

// Engine names of every "*.ini" template in the folder (name up to the first "."), sorted by
// name without regard to letter case. Both engine lists of the main window hold exactly these.
std::vector<std::string> EngineListFromTemplates(const std::string& templatesFolder);

// Which flag the engine list draws: the English one is drawn over a German one.
struct EngineFlags {
  bool german = false;
  bool english = false;
};
EngineFlags FlagsOf(const std::string& engine);

// The quick selections of step 3: one tick per engine, in list order.
enum class EngineChoice { All, None, Important, German, English, AllButGoogle };
// `important` (one flag per engine, may be empty) adds the engines whose template sets Wichtig
// to the six names of "Die Wichtigsten".
std::vector<bool> ChooseEngines(const std::vector<std::string>& engines, EngineChoice choice,
                                const std::vector<bool>& important = {});

// The page list of the engine shown on step 4: its lines as read, one row each.
class ShownPageList {
 public:
  void Clear();
  // Takes a list that is already in memory (a submission run's), as Load would have read it.
  void Set(std::string engine, std::vector<PageListEntry> entries);
  void Replace(std::size_t row, const PageListEntry& entry);
  // Loads project folder + engine + ".ser"; a missing file is an empty list. An empty engine
  // name (no engine selected) clears and shows nothing. A list that cannot be read shows no
  // rows and is never saved until another list is loaded or set.
  bool Load(const std::string& projectPath, const std::string& engine, std::string* error = nullptr);
  // Rebuilds every line with the given ticks (row i, line i) and rewrites the engine's file.
  // Does nothing without a shown engine or without an open project, and creates no file for
  // an engine that has none while its list is empty (a template added after the project).
  bool Save(const std::string& projectPath, const std::vector<bool>& ticks, std::string* error = nullptr);

  const std::string& Engine() const { return engine_; }
  const std::vector<PageListEntry>& Entries() const { return entries_; }
  std::vector<std::string> Rows() const;  // date + five blanks + address
  std::vector<bool> Marks() const;

  // Removes row `row` and returns the address it showed (the second blank-separated word of
  // the row text); empty for a row that does not exist.
  std::string RemoveRow(int row);
  // Removes a page as "Seite entfernen" does: the address of row `row`, and every line that
  // contains it, as the page-list files lose them; `ticks` loses the same rows. Returns the
  // address (empty for a row that does not exist; an empty address removes that row only).
  std::string RemovePage(int row, std::vector<bool>& ticks);

 private:
  std::string engine_;
  std::vector<PageListEntry> entries_;
  bool unreadable_ = false;  // the shown engine's file failed to load
};

// Ticks for "Alle markieren mit dem Begriff": every row whose upper-cased text contains the
// upper-cased term is ticked, the others keep `ticks` (already cleared when the user said so).
// An empty term ticks nothing.
std::vector<bool> MarkRowsContaining(const std::vector<std::string>& rows, std::vector<bool> ticks,
                                     const std::string& term);

// Drops, from every page list of the project, each line that contains `url` anywhere
// (case-sensitive). An empty address removes nothing: every line would contain it.
bool RemovePageFromProject(const std::string& projectPath, const std::string& url, std::string* error = nullptr);

}  // namespace mw
