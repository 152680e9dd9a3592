#include "submit/EngineSelection.h"

#include <algorithm>

#include "common/Files.h"
#include "common/Text.h"
#include "submit/EngineTemplates.h"

namespace mw {
namespace {

bool ContainsAny(const std::string& upper, std::initializer_list<const char*> parts) {
  for (const char* part : parts)
    if (Contains(upper, part)) return true;
  return false;
}

}  // namespace

std::vector<std::string> EngineListFromTemplates(const std::string& templatesFolder) {
  std::vector<std::string> engines = EngineNames(templatesFolder);
  std::stable_sort(engines.begin(), engines.end(),
                   [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
  return engines;
}

EngineFlags FlagsOf(const std::string& engine) {
  return {IsGermanEngine(engine), IsEnglishEngine(engine)};
}

std::vector<bool> ChooseEngines(const std::vector<std::string>& engines, EngineChoice choice,
                                const std::vector<bool>& important) {
  std::vector<bool> ticks;
  ticks.reserve(engines.size());
  for (std::size_t i = 0; i < engines.size(); ++i) {
    const std::string& engine = engines[i];
    const std::string upper = UpperCase(engine);
    bool tick = false;
    switch (choice) {
      case EngineChoice::All:
        tick = true;
        break;
      case EngineChoice::None:
        tick = false;
        break;
      case EngineChoice::Important:
        tick =
            ContainsAny(upper, {"GOOGLE_DE", "FIREBALL_DE", "ALTAVISTA_DE", "ACOON_DE", "T-ONLINE_DE", "ABACHO_DE"}) ||
            (i < important.size() && important[i]);
        break;
      case EngineChoice::German:
        tick = IsGermanEngine(engine);
        break;
      case EngineChoice::English:
        tick = IsEnglishEngine(engine);
        break;
      case EngineChoice::AllButGoogle:
        tick = !Contains(upper, "GOOGLE");
        break;
    }
    ticks.push_back(tick);
  }
  return ticks;
}

void ShownPageList::Clear() {
  engine_.clear();
  entries_.clear();
  unreadable_ = false;
}

void ShownPageList::Set(std::string engine, std::vector<PageListEntry> entries) {
  engine_ = std::move(engine);
  entries_ = std::move(entries);
  unreadable_ = false;
}

void ShownPageList::Replace(std::size_t row, const PageListEntry& entry) {
  if (row < entries_.size()) entries_[row] = entry;
}

bool ShownPageList::Load(const std::string& projectPath, const std::string& engine, std::string* error) {
  Clear();
  if (engine.empty()) return true;
  engine_ = engine;
  if (projectPath.empty()) return true;
  unreadable_ = !PageList::Read(projectPath + engine + ".ser", entries_, error);
  return !unreadable_;
}

bool ShownPageList::Save(const std::string& projectPath, const std::vector<bool>& ticks, std::string* error) {
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].marked = i < ticks.size() && ticks[i];
  // A list that could not be read shows nothing; saving that would empty the file.
  if (engine_.empty() || projectPath.empty() || unreadable_) return true;
  const std::string path = projectPath + engine_ + ".ser";
  if (entries_.empty() && !FileExists(path)) return true;
  return PageList::Write(path, entries_, error);
}

std::vector<std::string> ShownPageList::Rows() const {
  std::vector<std::string> rows;
  for (const auto& entry : entries_) rows.push_back(PageListDisplayText(entry));
  return rows;
}

std::vector<bool> ShownPageList::Marks() const {
  std::vector<bool> marks;
  for (const auto& entry : entries_) marks.push_back(entry.marked);
  return marks;
}

std::string ShownPageList::RemoveRow(int row) {
  if (row < 0 || row >= int(entries_.size())) return {};
  const std::string url = ExtractWord(2, PageListDisplayText(entries_[std::size_t(row)]), " ");
  entries_.erase(entries_.begin() + row);
  return url;
}

std::string ShownPageList::RemovePage(int row, std::vector<bool>& ticks) {
  ticks.resize(entries_.size(), false);
  if (row < 0 || row >= int(entries_.size())) return {};
  const std::string url = ExtractWord(2, PageListDisplayText(entries_[std::size_t(row)]), " ");
  std::vector<PageListEntry> kept;
  std::vector<bool> keptTicks;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const bool drop = int(i) == row || (!url.empty() && Contains(FormatPageListLine(entries_[i]), url));
    if (drop) continue;
    kept.push_back(entries_[i]);
    keptTicks.push_back(ticks[i]);
  }
  entries_ = std::move(kept);
  ticks = std::move(keptTicks);
  return url;
}

std::vector<bool> MarkRowsContaining(const std::vector<std::string>& rows, std::vector<bool> ticks,
                                     const std::string& term) {
  ticks.resize(rows.size(), false);
  if (term.empty()) return ticks;
  const std::string upperTerm = UpperCase(term);
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (Contains(UpperCase(rows[i]), upperTerm)) ticks[i] = true;
  return ticks;
}

bool RemovePageFromProject(const std::string& projectPath, const std::string& url, std::string* error) {
  if (url.empty()) return true;
  for (const auto& name : FilesWithExtension(projectPath, ".ser")) {
    std::vector<std::string> lines;
    if (!ReadLineFile(projectPath + name, lines, error)) return false;
    std::erase_if(lines, [&](const std::string& line) { return Contains(line, url); });
    if (!WriteLineFile(projectPath + name, lines, error)) return false;
  }
  return true;
}

}  // namespace mw
