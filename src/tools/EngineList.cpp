#include "tools/EngineList.h"

#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {
constexpr std::string_view kPlaceholder = "KLXKEYWORD";
}

bool EngineList::Read(const std::string& path, std::string* error) {
  return ReadLineFile(path, lines_, error);
}

std::vector<SearchWindow> EngineList::Windows(const std::string& term) const {
  std::vector<SearchWindow> windows;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string address = Trim(ExtractWord(1, lines_[i], "|"));
    if (address.empty()) continue;
    SearchWindow w;
    w.caption = Trim(ExtractWord(2, lines_[i], "|")) + "  Suchbegriff(e): " + term;
    w.address = InsertTerm(address, term);
    w.left = w.top = 20 * int(i + 1);
    windows.push_back(std::move(w));
  }
  return windows;
}

std::string EngineList::InsertTerm(const std::string& addressTemplate, const std::string& term) {
  const std::size_t at = addressTemplate.find(kPlaceholder);
  if (at == std::string::npos) return addressTemplate;
  return addressTemplate.substr(0, at) + term + addressTemplate.substr(at + kPlaceholder.size());
}

}  // namespace mw
