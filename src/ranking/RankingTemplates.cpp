#include "ranking/RankingTemplates.h"

#include "common/Files.h"
#include "common/IniFile.h"
#include "submit/EngineTemplates.h"

namespace mw {

std::vector<std::string> RankingTemplateFiles(const std::string& templatesFolder) {
  return FilesWithExtension(templatesFolder, ".ran");
}

std::vector<std::string> RankingEngineNames(const std::string& templatesFolder) {
  return EngineNamesOf(RankingTemplateFiles(templatesFolder));
}

RankingTemplate RankingTemplate::Read(const std::string& path) {
  IniFile ini(path);
  RankingTemplate t;
  if (!ini.Load()) return t;
  t.basicUrl = ini.ReadString("SETTINGS", "BasicURL");
  t.blank = ini.ReadString("SETTINGS", "ReplaceSlashInURL", t.blank);
  t.quote = ini.ReadString("SETTINGS", "ReplaceAnfuehrungszeichen", t.quote);
  t.offset = ini.ReadInteger("SETTINGS", "Offset", kDefaultOffset);
  return t;
}

std::string RankingTemplate::Fill(int pageIndex, const std::string& keyword) const {
  std::string mapped;
  mapped.reserve(keyword.size());
  for (const char c : keyword) {
    if (c == ' ') mapped += blank;
    else if (c == '"') mapped += quote;
    else mapped += c;
  }
  // Wide arithmetic: a huge Offset must not overflow into a wrong position.
  const long long position = static_cast<long long>(pageIndex) * kResultsPerPage + offset;
  return ReplaceFirst(ReplaceFirst(basicUrl, "KLXKEYWORD", mapped), "KLXPOS", std::to_string(position));
}

std::string BuildRankingURL(const std::string& templatesFolder, const std::string& engine, int pageIndex,
                            const std::string& keyword) {
  return RankingTemplate::Read(TemplatePath(templatesFolder, engine, ".ran")).Fill(pageIndex, keyword);
}

}  // namespace mw
