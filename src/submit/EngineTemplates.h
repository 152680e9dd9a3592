#pragma once
// Engines are known only by their template files in the templates folder: "*.ini" for
// submission, "*.ran" for result-page queries. An engine is named by its file name up to the
// first "."; the name also carries the engine's language. A template's BasicURL holds the
// address with placeholders that are filled in anew, from the file, for every request.

#include <string>
#include <string_view>
#include <vector>

namespace mw {

// The file name up to (not including) its first "."; letter case kept.
std::string EngineNameOf(const std::string& templateFileName);

// "_DE", "_AT" or "_CH" in the upper-cased name.
bool IsGermanEngine(const std::string& engine);
// "_COM" in the upper-cased name.
bool IsEnglishEngine(const std::string& engine);

// File names of the engine templates ("*.ini", letter case ignored) in listing order.
std::vector<std::string> EngineTemplateFiles(const std::string& templatesFolder);
// The engine names of those files, in the same order.
std::vector<std::string> EngineNames(const std::string& templatesFolder);
// The engine name of each template file, in the same order.
std::vector<std::string> EngineNamesOf(const std::vector<std::string>& templateFiles);

// The path of an engine's template `engine` + `extension`, matching the file name without
// regard to letter case (a template listed as "Name_DE.INI" is found again).
std::string TemplatePath(const std::string& templatesFolder, const std::string& engine, std::string_view extension);

// `text` with its first occurrence of `placeholder`, if any, replaced by `value`.
std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value);

// `text` (Windows-1252) as a URL query component: its UTF-8 form with every byte except the
// unreserved characters (letters, digits, "-", ".", "_", "~") written as "%" + two hex digits.
std::string PercentEncodeQueryComponent(std::string_view text);

struct EngineTemplate {
  std::string basicUrl;
  std::string slash = "/";  // put in place of every "/" of the page address
  std::string colon = ":";  // ... every ":"
  std::string dot = ".";    // ... every "."
  // PercentEncode: the e-mail address, the name and the page address go in percent-encoded
  // (the three replacement texts are then not used).
  bool percentEncode = false;
  // Wichtig: "Die Wichtigsten" ticks this engine too.
  bool important = false;

  // Reads the SETTINGS section of the file; a missing file or key gives the defaults.
  static EngineTemplate Read(const std::string& path);

  // The submission address for one page: e-mail, then name, then the mapped page address, then
  // the project's key put in place of the first KLXMAIL, KLXNAME, KLXURL and KLXKEY. Because the
  // steps run in this order, a placeholder inside an inserted text is itself replaced by a later
  // step.
  std::string Fill(const std::string& pageUrl, const std::string& contactName, const std::string& contactEmail,
                   const std::string& key = {}) const;
};

// Reads the engine's template anew and builds the submission address for one page. An engine
// without template or BasicURL gives an empty address.
std::string BuildSubmitURL(const std::string& templatesFolder, const std::string& engine, const std::string& pageUrl,
                           const std::string& contactName, const std::string& contactEmail,
                           const std::string& key = {});

// For each engine, whether its template sets Wichtig.
std::vector<bool> EnginesMarkedImportant(const std::string& templatesFolder, const std::vector<std::string>& engines);

}  // namespace mw
