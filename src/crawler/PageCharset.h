#pragma once
// Page text in the page's own character set. The crawler hands titles and tag values on as
// Windows-1252, the program's text everywhere else; a page is decoded by the character set its
// Content-Type header names, else the one its META tag names, else as UTF-8 when it is valid
// UTF-8, else as Windows-1252. Characters Windows-1252 cannot hold become "?".

#include <string>
#include <string_view>

namespace mw {

// The charset parameter of a Content-Type value, lower-cased and unquoted; empty without one.
std::string CharsetOfContentType(std::string_view contentType);

// The charset a META tag of `head` names (<meta charset=...> or a content type with a charset
// parameter); empty without one.
std::string CharsetOfMetaTag(std::string_view head);

bool IsValidUtf8(std::string_view text);

// `text` (the page's head, which the META tag is looked for in) as Windows-1252.
std::string PageTextToCp1252(std::string_view text, std::string_view contentType);

}  // namespace mw
