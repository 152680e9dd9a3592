#pragma once
// The rules of the main window's step gates and of the URL-list window, without widgets.

#include <string>
#include <vector>

namespace mw {

inline constexpr const char* kNewProjectUrl = "http://www.";

// A site address counts as entered unless it is, trimmed, the bare text a new project starts with.
bool UrlEntered(const std::string& urlText);
bool ContactDataComplete(const std::string& name, const std::string& email);
// The e-mail check on leaving the field: an "@" and a "." anywhere, in any order.
bool EmailLooksValid(const std::string& email);

// The lines a text field holds (a field with no text holds none).
std::vector<std::string> TextLines(const std::string& text);

// Step 2 in the mode with sub-pages needs more than the start address in the result list.
bool CrawlFoundPages(const std::vector<std::string>& resultLines);

// URL-list window: true when a non-blank line lacks "http://" and "https://" (any letter case).
bool AnyLineWithoutScheme(const std::vector<std::string>& lines);
// The non-blank lines, trimmed, in order.
std::vector<std::string> AcceptedListLines(const std::vector<std::string>& lines);

}  // namespace mw
