#pragma once

#include <string>
#include <string_view>

namespace mw {

// Folds a page address or a project title (Windows-1252 bytes) into a file-name part:
// punctuation to "_" or "x", German letters spelled out, a leading digit to "X", then ASCII
// lower case. "http://www.a.de/" becomes "httpxxxwww_a_dex".
std::string SafeFileName(std::string_view text);

}  // namespace mw
