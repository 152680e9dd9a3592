#include "submit/EngineTemplates.h"

#include "common/Files.h"
#include "common/IniFile.h"
#include "common/Text.h"

namespace mw {

std::string EngineNameOf(const std::string& templateFileName) {
  return templateFileName.substr(0, templateFileName.find('.'));
}

bool IsGermanEngine(const std::string& engine) {
  const std::string upper = UpperCase(engine);
  return Contains(upper, "_DE") || Contains(upper, "_AT") || Contains(upper, "_CH");
}

bool IsEnglishEngine(const std::string& engine) { return Contains(UpperCase(engine), "_COM"); }

std::vector<std::string> EngineTemplateFiles(const std::string& templatesFolder) {
  return FilesWithExtension(templatesFolder, ".ini");
}

std::vector<std::string> EngineNamesOf(const std::vector<std::string>& templateFiles) {
  std::vector<std::string> names;
  for (const auto& file : templateFiles) names.push_back(EngineNameOf(file));
  return names;
}

std::vector<std::string> EngineNames(const std::string& templatesFolder) {
  return EngineNamesOf(EngineTemplateFiles(templatesFolder));
}

std::string TemplatePath(const std::string& templatesFolder, const std::string& engine, std::string_view extension) {
  const std::string folder = IncludeTrailingSlash(templatesFolder);
  return folder + FindEntryIgnoringCase(folder, engine + std::string(extension));
}

std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value) {
  const auto at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
  return text;
}

EngineTemplate EngineTemplate::Read(const std::string& path) {
  IniFile ini(path);
  EngineTemplate t;
  // A file that cannot be read is an empty template, like a missing one.
  if (!ini.Load()) return t;
  t.basicUrl = ini.ReadString("SETTINGS", "BasicURL");
  t.slash = ini.ReadString("SETTINGS", "ReplaceSlashInURL", t.slash);
  t.colon = ini.ReadString("SETTINGS", "ReplaceDoppelpunktInURL", t.colon);
  t.dot = ini.ReadString("SETTINGS", "ReplacePunktInURL", t.dot);
  return t;
}

std::string EngineTemplate::Fill(const std::string& pageUrl, const std::string& contactName,
                                 const std::string& contactEmail) const {
  std::string mapped;
  mapped.reserve(pageUrl.size());
  for (const char c : pageUrl) {
    if (c == '/') mapped += slash;
    else if (c == ':') mapped += colon;
    else if (c == '.') mapped += dot;
    else mapped += c;
  }
  std::string url = ReplaceFirst(basicUrl, "KLXMAIL", contactEmail);
  url = ReplaceFirst(std::move(url), "KLXNAME", contactName);
  return ReplaceFirst(std::move(url), "KLXURL", mapped);
}

std::string BuildSubmitURL(const std::string& templatesFolder, const std::string& engine, const std::string& pageUrl,
                           const std::string& contactName, const std::string& contactEmail) {
  return EngineTemplate::Read(TemplatePath(templatesFolder, engine, ".ini")).Fill(pageUrl, contactName, contactEmail);
}

}  // namespace mw
