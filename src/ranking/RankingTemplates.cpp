#include "ranking/RankingTemplates.h"

#include "common/Cp1252.h"
#include "common/Files.h"
#include "common/IniFile.h"
#include "common/Text.h"
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
  t.quoteSet = ini.HasKey("SETTINGS", "ReplaceAnfuehrungszeichen");
  t.quote = ini.ReadString("SETTINGS", "ReplaceAnfuehrungszeichen", t.quote);
  t.offset = ini.ReadInteger("SETTINGS", "Offset", kDefaultOffset);
  t.step = ini.ReadInteger("SETTINGS", "Step", kResultsPerPage);
  if (t.step <= 0) t.step = kResultsPerPage;
  const std::string encode = LowerCase(Trim(ini.ReadString("SETTINGS", "EncodeKeyword")));
  t.encodeKeyword = encode == "true" || encode == "1";
  return t;
}

namespace {
bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}
}  // namespace

std::string EncodeQueryKeyword(const std::string& keyword, const std::string& blank, const std::string& quote) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : Cp1252ToUtf8(keyword)) {
    if (c == ' ')
      out += blank;
    else if (c == '"')
      out += quote;
    else if (IsUnreserved(c))
      out += char(c);
    else
      out.append({'%', kHex[c >> 4], kHex[c & 15]});
  }
  return out;
}

std::string RankingTemplate::Fill(int pageIndex, const std::string& keyword) const {
  std::string mapped;
  if (encodeKeyword) {
    mapped = EncodeQueryKeyword(keyword, blank, quoteSet ? quote : "%22");
  } else {
    mapped.reserve(keyword.size());
    for (const char c : keyword) {
      if (c == ' ')
        mapped += blank;
      else if (c == '"')
        mapped += quote;
      else
        mapped += c;
    }
  }
  // Wide arithmetic: a huge Offset must not overflow into a wrong position.
  const long long position = static_cast<long long>(pageIndex) * step + offset;
  return ReplaceFirst(ReplaceFirst(basicUrl, "KLXKEYWORD", mapped), "KLXPOS", std::to_string(position));
}

std::string BuildRankingURL(const std::string& templatesFolder, const std::string& engine, int pageIndex,
                            const std::string& keyword) {
  return RankingTemplate::Read(TemplatePath(templatesFolder, engine, ".ran")).Fill(pageIndex, keyword);
}

}  // namespace mw
