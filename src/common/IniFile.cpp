#include "common/IniFile.h"

#include <algorithm>
#include <utility>

#include "common/Files.h"
#include "common/Text.h"

namespace mw {
namespace {

// "[name]" with blanks allowed around; the name between the brackets, trimmed.
bool SectionHeader(std::string_view line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const auto close = t.find(']');
  if (close == std::string::npos) return false;
  name = Trim(std::string_view(t).substr(1, close - 1));
  return true;
}

bool KeyOf(std::string_view line, std::string& key, std::string_view* value) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  if (key.empty() || key[0] == ';') return false;
  if (value) *value = line.substr(eq + 1);
  return true;
}

std::string CleanValue(std::string_view raw) {
  std::string v = Trim(raw);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  if (v.size() > IniFile::kMaxValueLength) v.resize(IniFile::kMaxValueLength);
  return v;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Load(std::string* error) {
  lines_.clear();
  if (!FileExists(path_)) return true;
  return ReadLineFile(path_, lines_, error);
}

bool IniFile::Save(std::string* error) const { return WriteLineFile(path_, lines_, error); }

void IniFile::SetText(std::string_view text) { lines_ = SplitLines(text); }

std::string IniFile::Text() const { return JoinLinesCrLf(lines_); }

IniFile::Found IniFile::Locate(std::string_view section, std::string_view key) const {
  Found f;
  std::string name;
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (SectionHeader(lines_[i], name)) {
      if (inSection) return f;  // the section ended; a later header of the same name is not read
      if (SameText(name, section)) {
        inSection = true;
        f.sectionLine = static_cast<std::ptrdiff_t>(i);
        f.sectionEnd = f.sectionLine + 1;
      }
      continue;
    }
    if (!inSection) continue;
    std::string k;
    if (KeyOf(lines_[i], k, nullptr)) {
      f.sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
      if (SameText(k, key)) {
        f.keyLine = static_cast<std::ptrdiff_t>(i);
        return f;
      }
    }
  }
  return f;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Locate(section, key).keyLine >= 0;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Found f = Locate(section, key);
  if (f.keyLine < 0) return std::string(fallback);
  std::string k;
  std::string_view value;
  KeyOf(lines_[static_cast<std::size_t>(f.keyLine)], k, &value);
  return CleanValue(value);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  return HasKey(section, key) ? StrToIntDef(ReadString(section, key), fallback) : fallback;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  // A line break pasted into an edit would end the value and start a key of its own.
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const Found f = Locate(section, key);
  if (f.keyLine >= 0) {
    lines_[static_cast<std::size_t>(f.keyLine)] = std::move(line);
  } else if (f.sectionLine >= 0) {
    lines_.insert(lines_.begin() + f.sectionEnd, std::move(line));
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
  }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback) {
  IniFile ini(path);
  ini.Load();
  return ini.ReadString(section, key, fallback);
}

}  // namespace mw
