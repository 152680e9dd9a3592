#include "submit/EngineTemplates.h"

#include "common/Cp1252.h"
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

bool IsEnglishEngine(const std::string& engine) {
  return Contains(UpperCase(engine), "_COM");
}

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

namespace {

bool IsTrue(const std::string& value) {
  const std::string v = LowerCase(Trim(value));
  return v == "true" || v == "1";
}

}  // namespace

std::string PercentEncodeQueryComponent(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string utf8 = Cp1252ToUtf8(text);
  std::string out;
  out.reserve(utf8.size() * 3);
  for (const unsigned char c : utf8) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~';
    if (unreserved) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
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
  t.percentEncode = IsTrue(ini.ReadString("SETTINGS", "PercentEncode"));
  t.important = IsTrue(ini.ReadString("SETTINGS", "Wichtig"));
  return t;
}

std::string EngineTemplate::Fill(const std::string& pageUrl, const std::string& contactName,
                                 const std::string& contactEmail, const std::string& key) const {
  if (percentEncode) {
    std::string url = ReplaceFirst(basicUrl, "KLXMAIL", PercentEncodeQueryComponent(contactEmail));
    url = ReplaceFirst(std::move(url), "KLXNAME", PercentEncodeQueryComponent(contactName));
    url = ReplaceFirst(std::move(url), "KLXURL", PercentEncodeQueryComponent(pageUrl));
    return ReplaceFirst(std::move(url), "KLXKEY", key);
  }
  std::string mapped;
  mapped.reserve(pageUrl.size());
  for (const char c : pageUrl) {
    if (c == '/')
      mapped += slash;
    else if (c == ':')
      mapped += colon;
    else if (c == '.')
      mapped += dot;
    else
      mapped += c;
  }
  std::string url = ReplaceFirst(basicUrl, "KLXMAIL", contactEmail);
  url = ReplaceFirst(std::move(url), "KLXNAME", contactName);
  url = ReplaceFirst(std::move(url), "KLXURL", mapped);
  return ReplaceFirst(std::move(url), "KLXKEY", key);
}

std::string BuildSubmitURL(const std::string& templatesFolder, const std::string& engine, const std::string& pageUrl,
                           const std::string& contactName, const std::string& contactEmail, const std::string& key) {
  return EngineTemplate::Read(TemplatePath(templatesFolder, engine, ".ini"))
      .Fill(pageUrl, contactName, contactEmail, key);
}

std::vector<bool> EnginesMarkedImportant(const std::string& templatesFolder, const std::vector<std::string>& engines) {
  std::vector<bool> marked;
  marked.reserve(engines.size());
  for (const auto& engine : engines)
    marked.push_back(EngineTemplate::Read(TemplatePath(templatesFolder, engine, ".ini")).important);
  return marked;
}

}  // namespace mw
