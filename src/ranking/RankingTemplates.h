#pragma once
// Ranking templates ("*.ran" in the templates folder) describe one result page of an engine:
// BasicURL with the placeholders KLXKEYWORD and KLXPOS. Engines are named and flagged as the
// submission templates are (submit/EngineTemplates.h).

#include <string>
#include <vector>

namespace mw {

// File names of the ranking templates ("*.ran", letter case ignored) in listing order.
std::vector<std::string> RankingTemplateFiles(const std::string& templatesFolder);
// The engine names of those files, in the same order.
std::vector<std::string> RankingEngineNames(const std::string& templatesFolder);

struct RankingTemplate {
  static constexpr int kDefaultOffset = 10;
  static constexpr int kResultsPerPage = 10;

  std::string basicUrl;
  std::string blank = "+";   // key ReplaceSlashInURL: put in place of every blank of the keyword
  std::string quote = "\"";  // key ReplaceAnfuehrungszeichen: ... every double quote
  int offset = kDefaultOffset;  // decimal or "0x" hexadecimal; anything else gives the default

  static RankingTemplate Read(const std::string& path);

  // The address of result page `pageIndex` (counted from 0): the mapped keyword in place of
  // the first KLXKEYWORD, then pageIndex * 10 + offset in place of the first KLXPOS.
  std::string Fill(int pageIndex, const std::string& keyword) const;
};

// Reads the engine's ranking template anew and builds the address of one result page.
std::string BuildRankingURL(const std::string& templatesFolder, const std::string& engine, int pageIndex,
                            const std::string& keyword);

}  // namespace mw
