#include "common/SafeFileName.h"

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
        result += ch;
    }
  }
  if (!result.empty() && result[0] >= '0' && result[0] <= '9') result[0] = 'X';
  return LowerCase(result);
}

}  // namespace mw
