#pragma once
// The page scanner: no document tree, but a few linear passes. The text is normalised into one
// line, the places where link values begin are marked with single control bytes by a small
// multi-keyword matcher, and the marked text is walked to cut the values out. The head is read
// separately for the title and for tags such as META.

#include <functional>
#include <string>
#include <string_view>

namespace mw {

// Marker codes placed into the normalised text (which holds no byte below 32 of its own).
enum MarkerCode : unsigned char {
  kMarkHref = 4,    // " HREF=", "OPENWIN( "
  kMarkValue = 5,   // " VALUE=": taken only when it looks like a path
  kMarkSrc = 6,     // " SRC="
  kMarkBase = 7,    // "BASE HREF="
  kMarkOpen = 14,   // an element opens
  kMarkClose = 16,  // an element closes
};

// One pass: bytes below 32 are dropped (a line feed becomes a space in line mode); in quote mode
// double quotes, apostrophes and commas become spaces; a space is dropped after "=" or before a
// space or "=" of the input.
std::string Normalize(std::string_view text, bool quoteMode, bool lineMode);
void NormalizeInto(std::string_view text, bool quoteMode, bool lineMode, std::string& out);

// Replaces the last character of every keyword match by the keyword's code; whether any was placed.
bool PlaceMarkers(std::string& text);
// The same result by running the keywords' progress counters over every character; slower,
// for checks.
bool PlaceMarkersEverywhere(std::string& text);

// Hands every accepted value of the marked text to `onValue` with its marker code (4 to 7).
// `stopping` is asked before each value is handed over; true ends the walk.
using LinkValueSink = std::function<void(unsigned char kind, std::string_view value)>;
void ExtractLinks(std::string_view marked, const std::function<bool()>& stopping, const LinkValueSink& onValue);

// A tag of the head: its four-letter type and up to three attributes.
struct TMetaTag {
  std::string TagType;
  std::string Attrib[3];  // upper case
  std::string Value[3];   // as written inside quotes, upper case outside
  bool Complete = false;  // the text ended inside a value: the tag is reported
};

// `tag` is the tag text without "<" and ">".
TMetaTag ScanMetaTag(std::string_view tag);

// The refresh target of a tag (the text after "URL" in its content), or empty.
std::string RefreshTarget(const TMetaTag& tag);

// Reads the head of the received text: the title (reported as a tag TITLE/TITLE) and every tag
// with a four-letter name followed by attributes.
struct HeadSink {
  std::function<void(const std::string& title)> onTitle;
  std::function<void(const TMetaTag& tag)> onTag;  // every scanned tag, complete or not
};
void ScanHead(std::string_view body, const HeadSink& sink);

// The start of `body` up to the end of its first "</HEAD>": all that ScanHead reads. Empty when
// there is no "</HEAD>".
std::string_view HeadPart(std::string_view body);

}  // namespace mw
