#include "common/Text.h"

#include <algorithm>
#include <cstdint>

namespace mw {
namespace {

bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int WordCount(std::string_view text, std::string_view delims) {
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsDelim(text[i], delims)) ++i;
    if (i < text.size()) ++count;
    while (i < text.size() && !IsDelim(text[i], delims)) ++i;
  }
  return count;
}

std::string ExtractWord(int n, std::string_view text, std::string_view delims) {
  if (n < 1) return {};
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsDelim(text[i], delims)) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsDelim(text[i], delims)) ++i;
    if (i > start && ++count == n) return std::string(text.substr(start, i - start));
  }
  return {};
}

std::string IncludeTrailingSlash(std::string_view folder) {
  std::string result(folder);
  if (!result.empty() && result.back() != '/') result += '/';
  return result;
}

std::string ExtractFilePath(std::string_view fileName) {
  const auto pos = fileName.rfind('/');
  return pos == std::string_view::npos ? std::string() : std::string(fileName.substr(0, pos + 1));
}

std::string PadLeft(std::string_view text, std::size_t minLength, char fill) {
  std::string result;
  if (text.size() < minLength) result.assign(minLength - text.size(), fill);
  result += text;
  return result;
}

std::string TrimLeft(std::string_view text) {
  std::size_t b = 0;
  while (b < text.size() && IsBlank(text[b])) ++b;
  return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  std::size_t e = text.size();
  while (e > 0 && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

std::string UpperCase(std::string_view text) {
  std::string r(text);
  std::transform(r.begin(), r.end(), r.begin(), AsciiUpper);
  return r;
}

std::string LowerCase(std::string_view text) {
  std::string r(text);
  std::transform(r.begin(), r.end(), r.begin(), AsciiLower);
  return r;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}
bool StartsWith(std::string_view text, std::string_view prefix) { return text.starts_with(prefix); }
bool EndsWith(std::string_view text, std::string_view suffix) { return text.ends_with(suffix); }

bool TryStrToInt(std::string_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > (std::int64_t(1) << 32)) return false;
  }
  const std::int64_t v = negative ? -magnitude : magnitude;
  if (base == 16 && !negative && magnitude <= 0xFFFFFFFFLL) {
    value = static_cast<int>(static_cast<std::uint32_t>(magnitude));  // hexadecimal wraps like the original
    return true;
  }
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToIntDef(std::string_view text, int fallback) {
  int v = 0;
  return TryStrToInt(text, v) ? v : fallback;
}

std::string NotAnIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "' ist kein g\xc3\xbcltiger Integerwert";
}

std::string FileOpenErrorMessage(std::string_view path, std::string_view reason) {
  return "Datei " + std::string(path) + " kann nicht ge\xc3\xb6" "ffnet werden. " + std::string(reason);
}

}  // namespace mw
