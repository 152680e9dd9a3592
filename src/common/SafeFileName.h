#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mw {

// Folds a page address or a project title (Windows-1252 bytes) into a file-name part:
// punctuation and control bytes to "_" or "x", German letters spelled out, a leading digit to "X", then ASCII
// lower case. "http://www.a.de/" becomes "httpxxxwww_a_dex".
std::string SafeFileName(std::string_view text);

// The longest file name the file systems we run on take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// The file name `prefix` + SafeFileName(`text`) + `extension` (such as "keywords_", a page
// address and ".txt"). A name longer than kMaxFileNameBytes is cut and ends in "_" + sixteen
// hex digits of a hash of the whole `text` before the extension, so two long addresses that
// share their beginning still get two files. Every report and keyword file name is built here.
std::string FittingFileName(std::string_view prefix, std::string_view text, std::string_view extension);

}  // namespace mw
