#pragma once
// The table of known file extensions that tells a file link from a page link.

#include <array>
#include <string_view>

namespace mw {

inline constexpr std::size_t kKnownFileTypeCount = 550;

// Lower-case extensions without the dot, sorted by CompareFileType.
extern const std::array<std::string_view, kKnownFileTypeCount> kKnownFileTypes;

// The table's order: punctuation before digits before letters, each group by byte value.
int CompareFileType(std::string_view a, std::string_view b);

// Whether `ext` (lower case, exact) is one of the known extensions: a binary search.
bool IsKnownFileType(std::string_view ext);

}  // namespace mw
