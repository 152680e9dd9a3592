#pragma once
// Page lists: one file per engine and project (engine + ".ser"), one line per page:
// date of the last submission (dd.mm.yy, "00.00.00" for never) | address | TRUE or FALSE.

#include <string>
#include <string_view>
#include <vector>

namespace mw {

inline constexpr const char* kNeverSubmitted = "00.00.00";

struct PageListEntry {
  std::string date = kNeverSubmitted;
  std::string url;
  bool marked = false;

  bool operator==(const PageListEntry&) const = default;
};

// Reads one line: more than one "|"-word gives date, address and mark (exactly "TRUE");
// the older one-field form (a bare address) reads as never submitted and marked.
PageListEntry ParsePageListLine(std::string_view line);

// date + " | " + address + " | " + "TRUE" or "FALSE".
std::string FormatPageListLine(const PageListEntry& entry);

// The step-4 display form: date, five blanks, address.
std::string PageListDisplayText(const PageListEntry& entry);

class PageList {
 public:
  // A missing file is an empty list; lines of only blanks and "|" (" ", "|||") are skipped. False (with the German error text) when it cannot be read.
  static bool Read(const std::string& path, std::vector<PageListEntry>& entries, std::string* error = nullptr);
  static bool Write(const std::string& path, const std::vector<PageListEntry>& entries,
                    std::string* error = nullptr);
  // The file's content: one formatted line per entry, each ended by CR LF.
  static std::string Format(const std::vector<PageListEntry>& entries);
};

}  // namespace mw
