#pragma once
// The program's one INI profile reader and writer. Sections and keys match without regard to
// ASCII case; blanks around a value and one pair of enclosing double quotes are dropped; a value
// is at most 2047 characters; a missing file, section or key gives the default. Writing keeps
// every other line of the file and replaces the file atomically.

#include <string>
#include <string_view>
#include <vector>

namespace mw {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  IniFile() = default;
  explicit IniFile(std::string path);

  // Reads the file; a missing file is an empty profile and not an error.
  bool Load(std::string* error = nullptr);
  bool Save(std::string* error = nullptr) const;
  void SetText(std::string_view text);
  std::string Text() const;
  const std::string& Path() const { return path_; }

  bool HasKey(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
  // The value as a whole number; the fallback when missing or not a number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

 private:
  struct Found {
    std::ptrdiff_t sectionLine = -1;  // line of the "[section]" header
    std::ptrdiff_t sectionEnd = -1;   // first line after the section's last key line
    std::ptrdiff_t keyLine = -1;
  };
  Found Locate(std::string_view section, std::string_view key) const;

  std::string path_;
  std::vector<std::string> lines_;
};

// One-call forms for the common case of a single key.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback = {});

}  // namespace mw
