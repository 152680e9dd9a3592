#include "crawler/PageCharset.h"

#include <QStringDecoder>

#include "common/Cp1252.h"
#include "common/Text.h"
#include "platform/QtText.h"

namespace mw {
namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == ':';
}

// The charset name after "charset" at `at` (its "=" and any blanks and quotes skipped).
std::string NameAfter(std::string_view text, std::size_t at) {
  std::size_t i = at + 7;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i >= text.size() || text[i] != '=') return {};
  ++i;
  while (i < text.size() && (text[i] == ' ' || text[i] == '"' || text[i] == '\'')) ++i;
  std::size_t end = i;
  while (end < text.size() && IsNameChar(text[end])) ++end;
  return LowerCase(text.substr(i, end - i));
}

std::size_t FindCharset(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i + 7 <= text.size(); ++i)
    if ((text[i] == 'c' || text[i] == 'C') && LowerCase(text.substr(i, 7)) == "charset") return i;
  return std::string_view::npos;
}

bool HasHighByte(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

enum class Decoding { Unknown, AsIs, Utf8, Other };

// What a charset name asks for. The Latin-1 family is read as Windows-1252, as browsers do.
Decoding DecodingOf(const std::string& name) {
  if (name.empty()) return Decoding::Unknown;
  for (const char* latin : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
                            "latin-1", "l1", "us-ascii", "ascii", "ansi_x3.4-1968"})
    if (name == latin) return Decoding::AsIs;
  if (name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8") return Decoding::Utf8;
  return QStringDecoder(name.c_str()).isValid() ? Decoding::Other : Decoding::Unknown;
}

std::string Decode(std::string_view text, Decoding how, const std::string& name) {
  switch (how) {
    case Decoding::Utf8:
      return Utf8ToCp1252(text);
    case Decoding::Other: {
      QStringDecoder decoder(name.c_str());
      return FromQt(decoder.decode(QByteArrayView(text.data(), qsizetype(text.size()))));
    }
    default:
      return std::string(text);
  }
}

}  // namespace

std::string CharsetOfContentType(std::string_view contentType) {
  const std::size_t at = FindCharset(contentType, 0);
  return at == std::string_view::npos ? std::string() : NameAfter(contentType, at);
}

std::string CharsetOfMetaTag(std::string_view head) {
  for (std::size_t at = FindCharset(head, 0); at != std::string_view::npos; at = FindCharset(head, at + 7)) {
    const std::size_t open = head.rfind('<', at);
    if (open == std::string_view::npos || head.find('>', open) < at) continue;
    if (LowerCase(head.substr(open, 5)) != "<meta") continue;
    if (std::string name = NameAfter(head, at); !name.empty()) return name;
  }
  return {};
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    const int extra = (c >= 0xC2 && c < 0xE0) ? 1 : (c >= 0xE0 && c < 0xF0) ? 2 : (c >= 0xF0 && c < 0xF5) ? 3 : -1;
    if (extra < 0 || i + std::size_t(extra) >= text.size()) return false;
    const unsigned char second = static_cast<unsigned char>(text[i + 1]);
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
        (c == 0xF4 && second > 0x8F))
      return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + std::size_t(k)]) & 0xC0) != 0x80) return false;
    i += std::size_t(extra) + 1;
  }
  return true;
}

std::string PageTextToCp1252(std::string_view text, std::string_view contentType) {
  if (!HasHighByte(text)) return std::string(text);  // plain ASCII reads the same in every set in use
  for (const std::string& name : {CharsetOfContentType(contentType), CharsetOfMetaTag(text)})
    if (const Decoding how = DecodingOf(name); how != Decoding::Unknown) return Decode(text, how, name);
  return IsValidUtf8(text) ? Utf8ToCp1252(text) : std::string(text);
}

}  // namespace mw
