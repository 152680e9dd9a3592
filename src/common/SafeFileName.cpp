#include "common/SafeFileName.h"

#include <cstdint>
#include <cstdio>

#include "common/Text.h"

namespace mw {

std::string SafeFileName(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 8);
  for (const char ch : text) {
    switch (static_cast<unsigned char>(ch)) {
      case ' ': case '\'': case '.': case '-': case '!': case '$': case '%': case '=': case '"':
      case 0xA7 /* section sign */: case '?': case ',': case 0xB4 /* acute */: case '`':
        result += '_';
        break;
      case '&':
        result += 'a';
        break;
      case '*': case ':': case '(': case ')': case '\\': case '/': case '>': case '<':
        result += 'x';
        break;
      case 0xE4: result += "ae"; break;
      case 0xC4: result += "Ae"; break;
      case 0xF6: result += "oe"; break;
      case 0xD6: result += "Oe"; break;
      case 0xFC: result += "ue"; break;
      case 0xDC: result += "Ue"; break;
      case 0xDF: result += "ss"; break;
      default:
        // A NUL would end the path early and other control bytes have no place in a name.
        result += static_cast<unsigned char>(ch) < 32 ? '_' : ch;
    }
  }
  if (!result.empty() && result[0] >= '0' && result[0] <= '9') result[0] = 'X';
  return LowerCase(result);
}

std::string FittingFileName(std::string_view prefix, std::string_view text, std::string_view extension) {
  std::string name = std::string(prefix) + SafeFileName(text) + std::string(extension);
  if (name.size() <= kMaxFileNameBytes) return name;
  std::uint64_t hash = 1469598103934665603ULL;  // FNV-1a of the whole text
  for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ULL;
  char tag[24];
  const int tagBytes = std::snprintf(tag, sizeof tag, "_%016llx", static_cast<unsigned long long>(hash));
  const std::size_t tail = static_cast<std::size_t>(tagBytes) + extension.size();
  name.resize(kMaxFileNameBytes > tail ? kMaxFileNameBytes - tail : 0);
  return name + tag + std::string(extension);
}

}  // namespace mw
