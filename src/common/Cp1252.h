#pragma once
// Windows-1252 <-> UTF-8. Domain text is held as Windows-1252 bytes; it is converted only where
// it meets the widgets (and the few file-system names that must be shown).

#include <string>
#include <string_view>

namespace mw {

std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters without a Windows-1252 form become "?"; malformed UTF-8 bytes are taken as
// Latin-1 bytes so that nothing is silently dropped.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace mw
