#include "store/PageList.h"

#include "common/Files.h"
#include "common/Text.h"

namespace mw {

PageListEntry ParsePageListLine(std::string_view line) {
  PageListEntry e;
  if (WordCount(line, "|") > 1) {
    e.date = Trim(ExtractWord(1, line, "|"));
    e.url = Trim(ExtractWord(2, line, "|"));
    e.marked = Trim(ExtractWord(3, line, "|")) == "TRUE";
  } else {
    e.url = Trim(ExtractWord(1, line, "|"));
    e.marked = true;
  }
  return e;
}

std::string FormatPageListLine(const PageListEntry& entry) {
  return entry.date + " | " + entry.url + " | " + (entry.marked ? "TRUE" : "FALSE");
}

std::string PageListDisplayText(const PageListEntry& entry) { return entry.date + "     " + entry.url; }

bool PageList::Read(const std::string& path, std::vector<PageListEntry>& entries, std::string* error) {
  entries.clear();
  if (NoSuchEntry(path)) return true;  // an empty list; any other failure is reported below
  std::vector<std::string> lines;
  if (!ReadLineFile(path, lines, error)) return false;
  entries.reserve(lines.size());
  // A line of nothing but blanks and separators ("", "|||") names no page; read as the
  // one-field form it would become an empty, marked one.
  for (const auto& line : lines)
    if (line.find_first_not_of(" \t|") != std::string::npos) entries.push_back(ParsePageListLine(line));
  return true;
}

std::string PageList::Format(const std::vector<PageListEntry>& entries) {
  // One buffer for the whole file: the submission run rewrites a list after every page.
  std::size_t size = 0;
  for (const auto& e : entries) size += e.date.size() + e.url.size() + 14;
  std::string content;
  content.reserve(size);
  for (const auto& e : entries)
    content.append(e.date).append(" | ").append(e.url).append(e.marked ? " | TRUE\r\n" : " | FALSE\r\n");
  return content;
}

bool PageList::Write(const std::string& path, const std::vector<PageListEntry>& entries, std::string* error) {
  return WriteFileAtomic(path, Format(entries), error);
}

}  // namespace mw
