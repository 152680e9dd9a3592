#pragma once
// Ranking templates ("*.ran" in the templates folder) describe one result page of an engine:
// BasicURL with the placeholders KLXKEYWORD and KLXPOS. Engines are named and flagged as the
// submission templates are (submit/EngineTemplates.h).
//
// Two optional keys serve engines that read their query as UTF-8 and count pages their own way:
// EncodeKeyword=true sends the keyword UTF-8 and percent-encoded, and Step replaces the ten
// results per page of the position value (Step=1 for engines that number their pages).

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
  std::string blank = "+";      // key ReplaceSlashInURL: put in place of every blank of the keyword
  std::string quote = "\"";     // key ReplaceAnfuehrungszeichen: ... every double quote
  bool quoteSet = false;        // the template gives ReplaceAnfuehrungszeichen
  int offset = kDefaultOffset;  // decimal or "0x" hexadecimal; anything else gives the default
  int step = kResultsPerPage;   // key Step, when a whole number above 0
  bool encodeKeyword = false;   // key EncodeKeyword: "true" (any letter case) or "1"

  static RankingTemplate Read(const std::string& path);

  // The address of result page `pageIndex` (counted from 0): the mapped keyword in place of
  // the first KLXKEYWORD, then pageIndex * step + offset in place of the first KLXPOS.
  std::string Fill(int pageIndex, const std::string& keyword) const;
};

// The keyword of a template with EncodeKeyword: the Windows-1252 text as UTF-8, every byte
// but the unreserved ones (letters, digits, "-", ".", "_", "~") as %XX, a blank as `blank`
// and a double quote as `quote`.
std::string EncodeQueryKeyword(const std::string& keyword, const std::string& blank, const std::string& quote);

// Reads the engine's ranking template anew and builds the address of one result page.
std::string BuildRankingURL(const std::string& templatesFolder, const std::string& engine, int pageIndex,
                            const std::string& keyword);

}  // namespace mw
