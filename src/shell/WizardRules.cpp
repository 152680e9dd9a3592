#include "shell/WizardRules.h"

#include "common/Files.h"
#include "common/Text.h"

namespace mw {

bool UrlEntered(const std::string& urlText) {
  return Trim(urlText) != kNewProjectUrl;
}

bool ContactDataComplete(const std::string& name, const std::string& email) {
  return !name.empty() && !email.empty();
}

bool EmailLooksValid(const std::string& email) {
  return Contains(email, "@") && Contains(email, ".");
}

std::vector<std::string> TextLines(const std::string& text) {
  return SplitLines(text);
}

bool CrawlFoundPages(const std::vector<std::string>& resultLines) {
  return resultLines.size() > 1;
}

bool AnyLineWithoutScheme(const std::vector<std::string>& lines) {
  for (const auto& line : lines) {
    const std::string l = Trim(LowerCase(line));
    if (!l.empty() && !Contains(l, "http://") && !Contains(l, "https://")) return true;
  }
  return false;
}

std::vector<std::string> AcceptedListLines(const std::vector<std::string>& lines) {
  std::vector<std::string> accepted;
  for (const auto& line : lines)
    if (std::string t = Trim(line); !t.empty()) accepted.push_back(std::move(t));
  return accepted;
}

}  // namespace mw
